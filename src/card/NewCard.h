#pragma once

#include "app/CardModel.h"

// The blank card of "Nouveau": three empty zones in black "arial" 8, left-aligned, no
// logo, the 630-twip logo box 5 mm from the card's top-left corner, and no file.
// Underline and strikethrough stay as they were.
void resetToNewCard(CardDocument& card);
