#pragma once

#include "app/CardModel.h"
#include "print/PrintState.h"
#include "setup/PrintLayout.h"

#include <array>

class PrinterSurface;

// The top-left corner of cell n (1 to 10) of the sheet.
CardOrigin cellOrigin(const PrintLayout& layout, int n);

// What a card is drawn from. The lines are the prepared print lines; drawing removes the
// leading LF of each line it prints, for the rest of the job.
struct CardSource {
    const CardDocument& card;
    const PrintLayout& layout;
    std::array<ZonePrintLines, 3>& lines;
};

// The page of identical cards puts its logo over the frame and cut marks; the single card
// puts them over its logo. Text always comes last.
enum class DrawOrder { DecorationsFirst, LogoFirst };

void drawFrame(PrinterSurface& surface, const PrintLayout& layout, CardOrigin at);
void drawCutMarks(PrinterSurface& surface, const PrintLayout& layout, CardOrigin at);
void drawLogo(PrinterSurface& surface, const CardLogo& logo, CardOrigin at);
void drawZone(PrinterSurface& surface, const TextZone& zone, int n, ZonePrintLines& lines, double cardHeight,
              CardOrigin at);

// One whole card at its origin, in the given order.
void drawCard(PrinterSurface& surface, CardSource source, CardOrigin at, DrawOrder order);
