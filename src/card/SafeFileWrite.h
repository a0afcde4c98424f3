#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file's whole content, or leaves the file as it was: the bytes go to a
// temporary file in the same folder, which is flushed to disk and then renamed over the
// old one. False when any step fails.
bool replaceFileContent(const QString& path, const QByteArray& bytes);
