#include "card/CardChanges.h"

#include "card/CardFileWriter.h"

namespace cardchanges {

// The texts come again as typed: the file keeps a character it cannot hold as "?", and
// replacing one such character by another is still a change to keep.
QByteArray contentOf(const CardDocument& card) {
    QByteArray key = cardfile::toBytes(card);
    for (const TextZone& z : card.Zones)
        key += '\0' + z.Text.toUtf8() + '\0' + z.FontName.toUtf8();
    return key + '\0' + card.Logo.RecordedPath.toUtf8();
}

bool isModified(const CardDocument& card) {
    return !card.CleanContent.isEmpty() && contentOf(card) != card.CleanContent;
}

void markClean(CardDocument& card) {
    card.CleanContent = contentOf(card);
}

} // namespace cardchanges
