#pragma once

#include "platform/FileDialogs.h"

#include <QStringList>

class QtFileDialogs : public FileDialogs {
public:
    FileDialogResult open(const FileDialogRequest& request) override;
    FileDialogResult save(const FileDialogRequest& request) override;

    // "label|pattern|label|pattern" as Qt name filters "label (masks)". Each mask is named
    // once, in both cases, since Linux names are case-sensitive; a pattern list the label
    // already carries in brackets is replaced by that one. Open dialogs add every file.
    static QStringList nameFilters(const QString& filter, bool forOpen = false);
    static QString allFilesFilter() { return QStringLiteral("Tous les fichiers (*)"); }
};
