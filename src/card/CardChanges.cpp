#include "card/CardChanges.h"

#include "card/CardFileWriter.h"

namespace cardchanges {

bool isModified(const CardDocument& card) {
    return !card.CleanContent.isEmpty() && cardfile::toBytes(card) != card.CleanContent;
}

void markClean(CardDocument& card) {
    card.CleanContent = cardfile::toBytes(card);
}

} // namespace cardchanges
