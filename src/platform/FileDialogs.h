#pragma once

#include <QString>

// Open and save dialogs. The filter is written as pairs "label|pattern|label|pattern".
struct FileDialogRequest {
    QString title;
    QString filter;
    int filterIndex = 1;
    QString initialName;
    QString initialFolder;
    bool askBeforeReplacing = false;
};

struct FileDialogResult {
    bool cancelled = true;
    QString path;      // full path; empty when cancelled
    QString fileTitle; // the name without its folder
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual FileDialogResult open(const FileDialogRequest& request) = 0;
    virtual FileDialogResult save(const FileDialogRequest& request) = 0;
};
