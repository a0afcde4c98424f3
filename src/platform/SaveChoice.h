#pragma once

#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"

// Runs a save dialog and settles the final name: the request's extension is added to a name
// typed without it, and the question whether to replace an existing file is asked for that
// final name, not the typed one. Answering no shows the dialog again on that name. The
// result is cancelled when the person gives up.
FileDialogResult chooseSavePath(FileDialogs& files, MessageBoxes& messages, const FileDialogRequest& request);

// "Le fichier « name » existe déjà. Voulez-vous le remplacer ?", Yes/No, No the default.
MessageRequest replaceQuestion(const QString& path, const QString& title);
