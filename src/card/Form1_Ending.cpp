// How the program ends: the close box and the end of the desktop session, each through
// the save question when the card holds unsaved work.
#include "app/Form1.h"
#include "app/Module1.h"
#include "card/CardFileWriter.h"

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
    return !sessionLeftCard_.isEmpty() && cardfile::toBytes(m_.card) == sessionLeftCard_;
}

bool Form1::sessionEnding(bool mayAsk) {
    if (leaving_ || leftAtSessionEnd() || !isCardModified())
        return true;
    // Without leave to ask, the session ends without the program deciding for the person:
    // neither a silent save over the file nor a refusal it could not explain.
    if (!mayAsk)
        return true;
    if (!mayLeaveCard())
        return false;
    // The session may still be cancelled by another program: the card given up here is
    // not asked about again, but any later change is.
    sessionLeftCard_ = cardfile::toBytes(m_.card);
    return true;
}

void Form1::commitData(QSessionManager& manager) {
    // allowsInteraction() asks the session manager for its leave, and must come first.
    const bool mayAsk = manager.allowsInteraction();
    if (!sessionEnding(mayAsk))
        manager.cancel();
    if (mayAsk)
        manager.release();
}
