#include "setup/SheetPicture.h"

#include "app/Colour.h"
#include "setup/FilteredEdit.h"
#include "setup/SetupTexts.h"
#include "setup/SheetGeometry.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionGroupBox>
#include <algorithm>
#include <cmath>

namespace {

constexpr int TwipsPerPixel = 15;

QRect pixels(const QRect& twips) {
    return {twips.x() / TwipsPerPixel, twips.y() / TwipsPerPixel, twips.width() / TwipsPerPixel,
            twips.height() / TwipsPerPixel};
}
QPointF pixels(const QPoint& twips) {
    return {twips.x() / double(TwipsPerPixel), twips.y() / double(TwipsPerPixel)};
}

void arrowHead(QPainter& p, const QPointF& tip, const QPointF& from) {
    const QPointF d = tip - from;
    const double length = std::hypot(d.x(), d.y());
    if (length == 0)
        return;
    const QPointF u = d / length;
    const QPointF n(-u.y(), u.x());
    const double size = 5;
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip - u * size + n * size * 0.45);
    head.lineTo(tip - u * size - n * size * 0.45);
    head.closeSubpath();
    p.fillPath(head, p.pen().color());
}

} // namespace

PositionBox::PositionBox(int n, QWidget* parent) : PressableLabel(parent) {
    setObjectName(QStringLiteral("Label%1").arg(n));
    setText(QStringLiteral("Carte %1").arg(n));
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::Box);
    setGeometry(pixels(sheetpicture::positionBox(n)));
    setAutoFillBackground(true);
    setBackground(colour::resolve(0xFFFFFF, palette()));
}

void PositionBox::setBackground(const QColor& colour) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colour);
    setPalette(pal);
}

void PositionBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit clicked();
    QLabel::mousePressEvent(event);
}

SheetPicture::SheetPicture(QWidget* parent) : QGroupBox(parent) {
    setObjectName(QStringLiteral("Frame1"));
    setTitle(QStringLiteral("Feuille A4 "));
    // The title in red; the boxes inside keep the usual text colour, and their greyed one
    // while they are disabled.
    const QColor text = palette().color(QPalette::Active, QPalette::WindowText);
    const QColor greyed = palette().color(QPalette::Disabled, QPalette::WindowText);
    QPalette red = palette();
    red.setColor(QPalette::WindowText, colour::resolve(0xFF, red));
    setPalette(red);

    for (int n = 1; n <= 10; ++n)
        positions[n - 1] = new PositionBox(n, this);

    caption = new QLabel(QStringLiteral("Marges et séparateurs en mm"), this);
    caption->setObjectName(QStringLiteral("Label12"));
    caption->setGeometry(pixels(QRect(2040, 240, 2175, 255)));
    QFont smaller = caption->font();
    smaller.setPointSizeF(7.5); // the caption's whole text within its box
    caption->setFont(smaller);

    for (int box = 1; box <= 6; ++box) {
        auto* edit = new FilteredEdit(setup::MeasureKeys, setup::MeasureLength, this);
        edit->setObjectName(QStringLiteral("Text%1").arg(box));
        edit->setGeometry(pixels(sheetpicture::measureBox(box)));
        // Margins and separators light green, the card's own size light cyan.
        QPalette pal = edit->palette();
        pal.setColor(QPalette::Base, colour::resolve(box <= 4 ? 0xC0FFC0 : 0xFFFFC0, pal));
        edit->setPalette(pal);
        measures[box - 1] = edit;
    }

    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Active, QPalette::WindowText, text);
        pal.setColor(QPalette::Inactive, QPalette::WindowText, text);
        pal.setColor(QPalette::Disabled, QPalette::WindowText, greyed);
        w->setPalette(pal);
    }
}

void SheetPicture::mousePressEvent(QMouseEvent* event) {
    // A disabled card passes its click on to the sheet.
    for (int n = 1; n <= 10; ++n) {
        const PositionBox* box = positions[n - 1];
        if (event->button() == Qt::LeftButton && !box->isEnabled() &&
            box->geometry().contains(event->pos())) {
            emit lockedPositionClicked(n);
            return;
        }
    }
    QGroupBox::mousePressEvent(event);
}

int SheetPicture::sheetTopTwips() const {
    // Just under the caption, and above the boxes of the first row of measures.
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const QRect title = style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
    return std::min((title.bottom() + 1) * TwipsPerPixel,
                    sheetpicture::measureBox(3).top() - 2 * TwipsPerPixel);
}

void SheetPicture::paintEvent(QPaintEvent* event) {
    QGroupBox::paintEvent(event);
    QPainter p(this);
    // The sheet itself: white paper over the frame, under the caption.
    const int top = sheetTopTwips() / TwipsPerPixel;
    p.setPen(QPen(palette().color(QPalette::Mid), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRect(0, top, width() - 1, height() - top - 1));

    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(40, 40, 110);
    for (const auto& d : sheetpicture::dimensions(sheetTopTwips())) {
        p.setPen(QPen(ink, 1));
        for (const QLine& e : d.extensions)
            p.drawLine(pixels(e.p1()), pixels(e.p2()));
        const QPointF a = pixels(d.span.p1());
        const QPointF b = pixels(d.span.p2());
        p.drawLine(a, b);
        arrowHead(p, a, b);
        arrowHead(p, b, a);
        if (!d.leader.isNull()) {
            p.setPen(QPen(ink, 1, Qt::DotLine));
            p.drawLine(pixels(d.leader.p1()), pixels(d.leader.p2()));
        }
    }
}
