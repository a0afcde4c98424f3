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
// A card with every kind of value (quotes, float sizes, RGB and system colours, the three
// alignments, a logo path) and its file.
CardDocument fullCard(const QString& logoPath);
QByteArray fullCardFile(const QString& logoPath);
bool writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);

} // namespace samples
