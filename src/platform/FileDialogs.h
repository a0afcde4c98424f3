#pragma once

#include <QString>

// Open and save dialogs. The filter is written as pairs "label|pattern|label|pattern"; a
// pattern may hold several masks separated by ";".
struct FileDialogRequest {
    QString title;
    QString filter;
    int filterIndex = 1;
    // An absolute name opens the dialog in its own folder, that name selected.
    QString initialName;
    // Where a dialog given no absolute name starts; the current folder when empty.
    QString initialFolder;
    bool askBeforeReplacing = false;
    // Extension (without the dot) given to a saved name that lacks it; see chooseSavePath.
    QString defaultSuffix;
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
