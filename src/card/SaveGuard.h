#pragma once

#include <QString>
#include <functional>

class MessageBoxes;

// The one question before work is lost, for quit, close, new, open, a dropped card and the
// end of the session. Returns true when the command may go on: the card was clean, its
// changes were saved, or the person gave them up. "Annuler", a closed box, a cancelled or a
// failed save all stop the command.
bool mayLeaveCard(bool modified, const QString& cardName, MessageBoxes& messages,
                  const std::function<bool()>& save);
