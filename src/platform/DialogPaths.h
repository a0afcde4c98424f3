#pragma once

#include <QString>

// File names and folders as the file dialogs treat them.
namespace dialogpaths {

// The path with "." and extension added, unless its name already ends with that extension
// in any case; a name ending in a dot takes the extension after that dot.
QString withExtension(const QString& path, const QString& extension);

// True for an existing folder that can be listed without risk: not inside the kernel's own
// file systems (/proc, /sys, /dev and their kind), where merely reading an entry to show
// it may block for ever.
bool isSafeStartFolder(const QString& folder);

struct StartPlace {
    QString folder;
    QString fileName; // selected in that folder; may be empty
};
// Where a dialog opens. An absolute initial name opens its own folder with its name
// selected; a relative one opens initialFolder (else currentFolder) with that name. A folder
// that is not safe to list gives way to home.
StartPlace startPlace(const QString& initialName, const QString& initialFolder, const QString& currentFolder,
                      const QString& home);

} // namespace dialogpaths
