#pragma once

#include "app/CardModel.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"

// The logo's choice, paste and removal, apart from the main window.
namespace logocommands {

// The open dialog's entries: all pictures, then one kind each; the blanks inside each
// description are part of it.
QString fileFilter();
// The open dialog for a logo, starting in the given folder on the recorded picture.
FileDialogRequest openRequest(const CardLogo& logo, const QString& currentFolder);
// The one message of a choice or paste that fails.
MessageRequest unsupportedPicture();

// The box size a removed logo goes back to, in twips.
inline constexpr double DefaultBoxTwips = 630;
// Takes the logo off the card: empty picture, default size, margins kept.
void remove(CardLogo& logo);

} // namespace logocommands
