#pragma once

#include "platform/FileWrites.h"

#include <QByteArray>
#include <QString>

// Replaces the file's whole content, or leaves the file as it was. The bytes go to a new
// file in the same folder, which is flushed to disk and then renamed over the old one;
// the old file's permission bits and owner carry over. Where the folder takes no new file
// but the file itself may be written (a shared folder), or where the file has other names
// (hard links), the file is rewritten in place, with a copy of its old content kept in the
// cache folder until the new content is on disk, and put back if the write fails.
// False when the new content is not safely there.
bool replaceFileContent(const QString& path, const QByteArray& bytes, FileWrites& calls = systemFileWrites());

// The folder that holds the copies of files being rewritten in place.
QString inPlaceBackupFolder();
