#include "card/SaveGuard.h"

#include "card/DocumentPrompts.h"

bool mayLeaveCard(bool modified, const QString& cardName, MessageBoxes& messages,
                  const std::function<bool()>& save) {
    if (!modified)
        return true;
    switch (messages.show(documentprompt::saveChangesQuestion(cardName))) {
    case MsgAnswer::Save:
        return save();
    case MsgAnswer::Discard:
        return true;
    default:
        return false;
    }
}
