// How the program ends: the close box and the end of the desktop session, each through
// the save question when the card holds unsaved work.
#include "app/Form1.h"

#include <QCloseEvent>
#include <QSessionManager>

void Form1::closeEvent(QCloseEvent* event) {
    // A clean card ends the program at once, without a question; the other windows go
    // with it. Once the program is leaving, nothing is asked twice.
    if (!leaving_ && !mayLeaveCard()) {
        event->ignore();
        return;
    }
    leaving_ = true;
    event->accept();
    emit quitRequested();
}

bool Form1::sessionEnding(bool mayAsk) {
    if (leaving_ || !isCardModified())
        return true;
    // Without leave to ask, the session ends without the program deciding for the person:
    // neither a silent save over the file nor a refusal it could not explain.
    if (!mayAsk)
        return true;
    if (!mayLeaveCard())
        return false;
    leaving_ = true;
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
