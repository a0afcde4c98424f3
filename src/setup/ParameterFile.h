#pragma once

#include "platform/FileWrites.h"
#include "setup/PrintLayout.h"

#include <QByteArray>
#include <QString>

// The parameter file (.PAR): line 1 the six measures, line 2 the two flags, CR LF after each.
namespace parameterfile {

// Nothing longer is read: a parameter file holds a few dozen bytes, and a file picked by
// mistake must not be loaded whole.
inline constexpr qint64 MaxBytes = 64 * 1024;

// The file's bytes for the layout; the built-in layout gives 30 bytes.
QByteArray encode(const PrintLayout& layout);

// Reads the eight fields in file order into the layout: each measure as soon as it is read,
// the two flags together once both are. Returns false at the first field that is missing or
// cannot be read; what was applied before it stays applied. `truncated` says the data was
// cut short, so that a field running into its end is not taken as complete. A UTF-8
// byte-order mark before the first field, as text editors write, is skipped. On a false
// result, stoppedAt (when given) receives the number (1 to 8) of the field that stopped it.
bool apply(const QByteArray& data, PrintLayout& layout, bool truncated = false, int* stoppedAt = nullptr);

// apply() on the file at path (at most MaxBytes of it); false when it cannot be opened, and
// then stoppedAt receives 0.
bool read(const QString& path, PrintLayout& layout, int* stoppedAt = nullptr);

// Writes the layout by replaceFileContent(): a failed write leaves any previous file as it was.
bool write(const QString& path, const PrintLayout& layout, FileWrites& calls = systemFileWrites());

} // namespace parameterfile
