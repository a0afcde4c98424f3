#pragma once

#include <QString>
#include <array>

// Top-left corner of the card cell being printed, in millimetres. The set-up dialog stores
// it when a position is clicked; the page job overwrites it for every card.
struct CardOrigin {
    double X = 0;
    double Y = 0;
};

// One zone's text cut into print lines (at most 15).
struct ZonePrintLines {
    static constexpr int MaxLines = 15;
    std::array<QString, MaxLines + 1> Lines; // 1-based: Lines[1] .. Lines[Count]
    qint16 Count = 0;
};
