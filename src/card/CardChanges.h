#pragma once

#include "app/CardModel.h"

// Whether the card holds work that its file does not. The card is compared through the
// bytes it would write (and the texts as typed), so a change of any field the file keeps
// counts, and only those: an edit undone by hand leaves the card clean again.
namespace cardchanges {

bool isModified(const CardDocument& card);
// What the comparison looks at: the file's bytes, then the texts as typed.
QByteArray contentOf(const CardDocument& card);
// After a successful open, save, save as or "Nouveau": the card is what its file holds.
void markClean(CardDocument& card);

} // namespace cardchanges
