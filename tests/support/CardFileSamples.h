#pragma once

#include "app/CardModel.h"

#include <QByteArray>
#include <QString>

// Card files and cards shared by the card tests.
namespace samples {

// Lines separated by "\n", in Windows-1252 with CR LF after each, as the card file holds them.
QByteArray crlf(const QString& lines);
// The 39 lines a card gives right after "Nouveau".
QByteArray newCardFile();
// A card that uses every kind of value: several lines with quotes, float sizes, an RGB
// and a system colour, the three alignments, a logo path.
CardDocument fullCard(const QString& logoPath);
QByteArray fullCardFile(const QString& logoPath);
// Writes bytes to path; false when it could not.
bool writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);

} // namespace samples
