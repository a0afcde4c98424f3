#pragma once

#include "app/PressableLabel.h"

#include <QGroupBox>
#include <array>

class FilteredEdit;

// One card cell of the sheet picture; a click, Space or Enter chooses it while it is enabled.
class PositionBox : public PressableLabel {
    Q_OBJECT
public:
    PositionBox(int n, QWidget* parent);
    void setBackground(const QColor& colour);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// The picture of the A4 sheet: the ten card cells, the six measure boxes beside the margins,
// gaps and sizes they set, and the dimension marks that join each box to its span.
class SheetPicture : public QGroupBox {
    Q_OBJECT
public:
    explicit SheetPicture(QWidget* parent);

    std::array<PositionBox*, 10> positions{};
    std::array<FilteredEdit*, 6> measures{}; // Text1 .. Text6
    QLabel* caption = nullptr;               // Label12

    // Where the sheet's top edge is drawn, in twips within the picture.
    int sheetTopTwips() const;

signals:
    // A click on a card while the cards are disabled.
    void lockedPositionClicked(int n);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};
