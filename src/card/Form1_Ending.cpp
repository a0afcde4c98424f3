// How the program ends: the close box and the end of the desktop session, each through
// the save question when the card holds unsaved work.
#include "app/Form1.h"
#include "app/Module1.h"
#include "card/CardChanges.h"

#include <QCloseEvent>
#include <QSessionManager>

void Form1::closeEvent(QCloseEvent* event) {
    // A clean card ends the program at once, without a question; the other windows go
    // with it. Once the program is leaving, nothing is asked twice.
    if (!leaving_ && !leftAtSessionEnd() && !mayLeaveCard()) {
        event->ignore();
        return;
    }
    leaving_ = true;
    event->accept();
    emit quitRequested();
}

bool Form1::leftAtSessionEnd() const {
    return !sessionLeftCard_.isEmpty() && cardchanges::contentOf(m_.card) == sessionLeftCard_;
}

bool Form1::sessionHasWorkToAsk() const {
    return !leaving_ && !leftAtSessionEnd() && isCardModified();
}

bool Form1::sessionEnding(bool mayAsk) {
    if (!sessionHasWorkToAsk())
        return true;
    // Without leave to ask, the session ends without the program deciding for the person:
    // neither a silent save over the file nor a refusal it could not explain.
    if (!mayAsk)
        return true;
    if (!mayLeaveCard())
        return false;
    // The session may still be cancelled by another program: the card given up here is
    // not asked about again, but any later change is.
    sessionLeftCard_ = cardchanges::contentOf(m_.card);
    return true;
}

void Form1::commitData(QSessionManager& manager) {
    // Leave to ask is sought only when there is something to ask about: it holds up the
    // session manager until it is given.
    if (!sessionHasWorkToAsk())
        return;
    const bool mayAsk = manager.allowsInteraction();
    if (!sessionEnding(mayAsk))
        manager.cancel();
    if (mayAsk)
        manager.release();
}
