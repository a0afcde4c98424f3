#pragma once

#include "platform/FileDialogs.h"

#include <QStringList>

class QtFileDialogs : public FileDialogs {
public:
    FileDialogResult open(const FileDialogRequest& request) override;
    FileDialogResult save(const FileDialogRequest& request) override;

    // "label|pattern|label|pattern" as Qt name filters ("label (pattern pattern)").
    static QStringList nameFilters(const QString& filter);
};
