#pragma once

#include "print/CardDrawing.h"

#include <QRectF>
#include <QString>
#include <vector>

// What will not come out right on paper, found on the boxes the card's drawing measured.
// Nothing is refused: the screen only marks them.
enum class TroubleKind {
    PastEdge,     // a line runs past the card's edge
    ZonesMeet,    // a zone's lines reach the next zone's first line
    LogoOverText, // the logo lies over a zone's text
    TooManyLines, // more lines than a zone can print
    CodeTooSmall, // the contact code's modules are too small to be read
    CodeTooLong,  // the card's details do not fit in a contact code
    CodeEmpty,    // the contact code carries no detail
    CodePastEdge, // the contact code runs past the card's edge
};

struct CardTrouble {
    TroubleKind kind;
    int zone;    // 1 to 3; 0 for the logo's place
    QRectF area; // millimetres, where to mark it
    QString message;
};

std::vector<CardTrouble> findTroubles(const DrawnCard& drawn);

// The trouble of a zone whose text has more lines than printing takes.
CardTrouble tooManyLines(int zone, const DrawnCard& drawn);
