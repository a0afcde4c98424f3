#pragma once

#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"

#include <QStringList>

// The questions, messages and dialogs of the card commands, word for word.
namespace documentprompt {

MessageRequest newCardQuestion();
MessageRequest quitQuestion();
MessageRequest cardNotFound(const QString& path);
MessageRequest logoNotFound(const QString& path);
MessageRequest logoNotDecoded(const QString& path);
MessageRequest notACardFile();
MessageRequest saveFailed();
// Names the characters the file cannot hold; OK saves them as "?", Cancel saves nothing.
MessageRequest unencodableQuestion(const QStringList& characters);

// Before work would be lost: save the changes of the card named name ("Enregistrer",
// "Ne pas enregistrer", "Annuler", the last one the default).
MessageRequest saveChangesQuestion(const QString& name);

FileDialogRequest openDialog(const QString& currentPath);
FileDialogRequest saveAsDialog(const QString& proposedName);

// The status bar's name for a card file: the name without its folder, in upper case.
QString statusName(const QString& path, const QString& fileTitle = QString());

inline QString unnamed() {
    return QStringLiteral("SANS NOM");
}
inline QString goodbye() {
    return QStringLiteral("Au revoir !");
}

} // namespace documentprompt
