#pragma once

#include <QLine>
#include <QRect>
#include <vector>

// Where things lie on the sheet picture of the set-up dialog, in twips within the picture.
namespace sheetpicture {

// Position box n (1 to 10): two columns, five rows, numbered row by row.
QRect positionBox(int n);
// Measure box Text1 .. Text6.
QRect measureBox(int box);

// One dimension mark: the span it measures, with an arrow head at each end, the short lines
// that carry the span's ends out to the edges it measures from, and the leader that joins
// the measure box to the span when the box does not sit on it.
struct Dimension {
    int box = 0; // the measure box, 1 to 6
    QLine span;
    std::vector<QLine> extensions;
    QLine leader; // null when the box sits on the span
};
// sheetTop: where the sheet's top edge is drawn (below the picture's caption).
std::vector<Dimension> dimensions(int sheetTop);

} // namespace sheetpicture
