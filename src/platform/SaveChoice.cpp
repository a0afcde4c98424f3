#include "platform/SaveChoice.h"

#include "platform/DialogPaths.h"

#include <QFileInfo>

MessageRequest replaceQuestion(const QString& path, const QString& title) {
    return {QStringLiteral("Le fichier « %1 » existe déjà.\rVoulez-vous le remplacer ?")
                .arg(QFileInfo(path).fileName()),
            title, MsgButtons::YesNo, MsgIcon::Exclamation, 2};
}

FileDialogResult chooseSavePath(FileDialogs& files, MessageBoxes& messages,
                                const FileDialogRequest& request) {
    FileDialogRequest shown = request;
    // The dialog would ask about the name as typed; the question belongs to the final one.
    shown.askBeforeReplacing = false;
    for (;;) {
        const FileDialogResult chosen = files.save(shown);
        if (chosen.cancelled || chosen.path.isEmpty())
            return {};
        const QString path = dialogpaths::withExtension(chosen.path, request.defaultSuffix);
        if (request.askBeforeReplacing && QFileInfo::exists(path) &&
            messages.show(replaceQuestion(path, request.title)) != MsgAnswer::Yes) {
            shown.initialName = path;
            continue;
        }
        FileDialogResult result;
        result.cancelled = false;
        result.path = path;
        result.fileTitle = QFileInfo(path).fileName();
        return result;
    }
}
