#pragma once

#include "app/CardModel.h"
#include "print/PrintState.h"

#include <array>

// Cuts the three zone texts into print lines. Every line but the last keeps its CR and
// every line but the first starts with the LF; zone 1 loses the blanks around its last
// line, zone 2 around its whole text, zone 3 keeps them.
// A zone of more than ZonePrintLines::MaxLines lines cannot be printed: nothing is changed,
// the function returns false and tooLongZone (when given) receives the zone's number.
bool DecoupeLignes(const CardDocument& card, std::array<ZonePrintLines, 3>& lines,
                   int* tooLongZone = nullptr);

// The message that refuses to print such a zone.
QString zoneTooLongMessage(int zone);
