#pragma once

#include "app/CardModel.h"
#include "print/CardDrawing.h"
#include "qrcode/QrMatrix.h"

#include <QByteArray>
#include <QRectF>
#include <optional>

class PrinterSurface;

// The card's contact code: a vCard made from the card's text at the moment it is drawn,
// as a QR code in the logo's rectangle.

// A module smaller than this is more than a phone's camera reliably reads on paper.
inline constexpr double MinModuleMm = 0.25;
// The blank margin a reader needs around the code, in modules, inside the logo's rectangle.
inline constexpr int QuietModules = 4;

// The logo shows the code: its recorded path is the reserved word, and it is drawn.
bool showsContactCode(const CardLogo& logo);
// Makes the logo the code; its size and margins stay.
void useContactCode(CardLogo& logo);

struct ContactCode {
    QByteArray vcard;
    std::optional<QrMatrix> matrix; // none when the vCard is too long for any code
    bool empty = false;             // the card gives no detail to put in it
};
ContactCode contactCodeOf(const CardDocument& card);

// Where the code goes: the largest square in the logo's rectangle, centred in it, quiet zone
// included, and the side of one module. at: the card's top-left corner.
struct CodePlacement {
    QRectF square;
    double moduleMm = 0;
};
CodePlacement placeCode(const CardLogo& logo, int modules, CardOrigin at = {});

// Draws the card's code in black, one filled box per run of dark modules of a row.
void drawContactCode(PrinterSurface& surface, const CardDocument& card, CardOrigin at,
                     DrawnCard* drawn = nullptr);
