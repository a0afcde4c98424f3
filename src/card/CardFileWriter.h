#pragma once

#include "app/CardModel.h"

#include <QByteArray>
#include <QStringList>

// The card file's bytes: Windows-1252 text, CR LF line ends, three zone blocks and the
// logo block, in the order the reader expects them.
namespace cardfile {

// The file's content. A card that records no logo writes "AUCUN".
QByteArray toBytes(const CardDocument& card);
// Every distinct character of what the file would hold that Windows-1252 cannot store and
// that would therefore come back as "?", in order of appearance.
QStringList unencodableCharacters(const CardDocument& card);

} // namespace cardfile
