#pragma once

#include <QByteArray>
#include <QString>

// The 8-bit code page of the card files and of metafile text.
namespace cp1252 {

QString decode(const QByteArray& bytes);
// Characters the code page cannot hold become '?'.
QByteArray encode(const QString& text);
// The distinct characters of text that encode() would turn into '?', in order of appearance.
QString unencodable(const QString& text);

} // namespace cp1252
