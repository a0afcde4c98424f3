#pragma once

#include "app/CardModel.h"
#include "print/PrintState.h"
#include "setup/PrintLayout.h"

#include <QRectF>
#include <array>
#include <optional>
#include <vector>

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

// What the drawing of one card covered, in millimetres on the surface, for a screen that
// shows the card and marks what will not come out right on paper.
struct DrawnZone {
    double top = 0;  // the zone's top; its first line lies one step below
    double left = 0; // where its left-aligned lines start
    // Each printed line, from its first to its last visible character (blanks left out) and
    // one line high per row it prints; a blank line has no width.
    std::vector<QRectF> lines;
};
// The contact code in the logo's place: its square, quiet zone included, and its modules.
struct DrawnCode {
    QRectF square;
    double moduleMm = 0;
    bool encoded = true; // false: the card's details do not fit in a code, and none was drawn
    bool empty = false;  // the code carries no detail of the card
};
struct DrawnCard {
    QRectF card;
    std::optional<QRectF> logo; // when a picture or the contact code is drawn
    std::array<DrawnZone, 3> zones;
    std::optional<DrawnCode> code;
};

void drawFrame(PrinterSurface& surface, const PrintLayout& layout, CardOrigin at);
void drawCutMarks(PrinterSurface& surface, const PrintLayout& layout, CardOrigin at);
void drawLogo(PrinterSurface& surface, const CardLogo& logo, CardOrigin at, DrawnCard* drawn = nullptr);
void drawZone(PrinterSurface& surface, const TextZone& zone, int n, ZonePrintLines& lines, double cardHeight,
              CardOrigin at, DrawnZone* drawn = nullptr);

// One whole card at its origin, in the given order. With drawn, also measures what each part
// covers (a few more measuring calls on the surface).
void drawCard(PrinterSurface& surface, CardSource source, CardOrigin at, DrawOrder order,
              DrawnCard* drawn = nullptr);
