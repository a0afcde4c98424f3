#pragma once

#include <QByteArray>
#include <QString>

// File names are bytes to the system, not always UTF-8 (a Latin-1 name from an old disk).
// Bytes that are not UTF-8 are carried in the text as the lone surrogates U+DC80 to U+DCFF,
// one per byte, so that the name opens and is written back exactly as the system gave it.
namespace filename {

QString fromBytes(const QByteArray& bytes);
QByteArray toBytes(const QString& name);

// A path as Qt's file dialogs give it back, where bytes that are not UTF-8 came out as
// U+FFFD and so name no file. Each such part is looked up among its folder's entries by
// their bytes; a part that one entry alone matches takes that entry's name. Any other
// path comes back as it is.
QString fromDialogName(const QString& path);

} // namespace filename
