#include "setup/SheetGeometry.h"

namespace sheetpicture {
namespace {

constexpr int BoxWidth = 1095;
constexpr int BoxHeight = 735;
constexpr int Columns[2] = {840, 2760};
constexpr int Rows[5] = {720, 1920, 3120, 4320, 5520};

// Lines drawn between rows and beside columns, clear of the boxes.
constexpr int VerticalMarksX = 1700; // right of Text3 and Text4, over the first column
constexpr int HorizontalMarksY = 1000;

QPoint middleRight(const QRect& r) {
    return {r.x() + r.width(), r.y() + r.height() / 2};
}
QPoint middleBottom(const QRect& r) {
    return {r.x() + r.width() / 2, r.y() + r.height()};
}

} // namespace

QRect positionBox(int n) {
    return {Columns[(n - 1) % 2], Rows[(n - 1) / 2], BoxWidth, BoxHeight};
}

QRect measureBox(int box) {
    static const QPoint places[6] = {{120, 600},  {2040, 600}, {960, 240},
                                     {960, 1560}, {120, 2760}, {2040, 2160}};
    return {places[box - 1], QSize(615, 285)};
}

std::vector<Dimension> dimensions(int sheetTop) {
    const QRect card1 = positionBox(1);
    const QRect card2 = positionBox(2);
    const QRect card3 = positionBox(3);
    const int card1Right = card1.x() + card1.width();
    const int card1Bottom = card1.y() + card1.height();
    const int card3Right = card3.x() + card3.width();
    const int card3Bottom = card3.y() + card3.height();
    std::vector<Dimension> out;

    // Left margin: from the sheet's left edge to the first column.
    Dimension left{1, QLine(0, HorizontalMarksY, card1.x(), HorizontalMarksY), {}, {}};
    left.leader =
        QLine(middleBottom(measureBox(1)), QPoint(middleBottom(measureBox(1)).x(), HorizontalMarksY));
    out.push_back(left);

    // Gap between the columns.
    Dimension columns{2, QLine(card1Right, HorizontalMarksY, card2.x(), HorizontalMarksY), {}, {}};
    columns.leader =
        QLine(middleBottom(measureBox(2)), QPoint(middleBottom(measureBox(2)).x(), HorizontalMarksY));
    out.push_back(columns);

    // Top margin: from the sheet's top edge to the first row.
    Dimension top{3, QLine(VerticalMarksX, sheetTop, VerticalMarksX, card1.y()), {}, {}};
    top.leader = QLine(middleRight(measureBox(3)), QPoint(VerticalMarksX, middleRight(measureBox(3)).y()));
    out.push_back(top);

    // Gap between the rows.
    Dimension rows{4, QLine(VerticalMarksX, card1Bottom, VerticalMarksX, card3.y()), {}, {}};
    rows.leader = QLine(middleRight(measureBox(4)), QPoint(VerticalMarksX, middleRight(measureBox(4)).y()));
    out.push_back(rows);

    // Card width, under the card of the second row.
    const int widthY = measureBox(5).center().y();
    Dimension width{5, QLine(card3.x(), widthY, card3Right, widthY), {}, {}};
    width.extensions = {QLine(card3.x(), card3Bottom, card3.x(), widthY + 90),
                        QLine(card3Right, card3Bottom, card3Right, widthY + 90)};
    width.leader = QLine(middleRight(measureBox(5)), QPoint(card3.x(), widthY));
    out.push_back(width);

    // Card height, beside the card of the second row; its box sits on the span.
    const int heightX = measureBox(6).center().x();
    Dimension height{6, QLine(heightX, card3.y(), heightX, card3Bottom), {}, {}};
    height.extensions = {QLine(card3Right, card3.y(), heightX + 90, card3.y()),
                         QLine(card3Right, card3Bottom, heightX + 90, card3Bottom)};
    out.push_back(height);
    return out;
}

} // namespace sheetpicture
