#include "app/CaptionRoom.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <algorithm>

namespace {

int frameOf(const QWidget* w) {
    return w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
}

QSize buttonRoom(const QPushButton* b) {
    const QSize text = b->text().isEmpty() ? QSize() : b->fontMetrics().size(Qt::TextShowMnemonic, b->text());
    const QSize icon = b->icon().isNull() ? QSize(0, 0) : b->iconSize();
    // A button that shows its icon above its caption.
    const bool above = b->inherits("IconAboveButton");
    QSize room = above ? QSize(std::max(text.width(), icon.width()), text.height() + icon.height() + 2)
                       : QSize(text.width() + (icon.isEmpty() ? 0 : icon.width() + 4),
                               std::max(text.height(), icon.height()));
    const int frame = 2 * frameOf(b);
    return room + QSize(frame, frame);
}

QSize checkRoom(const QAbstractButton* b) {
    const bool radio = b->inherits("QRadioButton");
    const QStyle* s = b->style();
    const int indicator =
        s->pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth, nullptr, b);
    const int spacing = s->pixelMetric(
        radio ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing, nullptr, b);
    const QSize text = b->fontMetrics().size(Qt::TextShowMnemonic, b->text());
    return {indicator + spacing + text.width(), std::max(text.height(), indicator)};
}

QSize frameTitleRoom(const QGroupBox* g) {
    if (g->title().isEmpty())
        return {};
    QStyleOptionGroupBox option;
    option.initFrom(g);
    option.text = g->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    option.rect = QRect(0, 0, 10000, 10000);
    const QRect title = g->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, g);
    const int text = g->fontMetrics().size(Qt::TextShowMnemonic, g->title()).width();
    // The same gap on both sides of the title.
    return {title.x() + std::max(title.width(), text) + title.x(), title.height()};
}

QSize labelRoom(const QLabel* l, int width) {
    if (l->text().isEmpty() || !l->pixmap().isNull())
        return {};
    const QMargins m = l->contentsMargins();
    const int sides = m.left() + m.right() + 2 * l->margin();
    const int ends = m.top() + m.bottom() + 2 * l->margin();
    if (l->wordWrap())
        return {0, l->heightForWidth(width)};
    // The ink of the text: the space after its last letter may lie beyond the box.
    const int ink = l->fontMetrics().tightBoundingRect(l->text()).right() + 1;
    return {std::max(0, ink) + sides, l->fontMetrics().height() + ends};
}

QSize boxRoom(const QWidget* w, const QString& text, int extra) {
    const int frame = 2 * frameOf(w);
    return {w->fontMetrics().horizontalAdvance(text) + frame + extra, w->fontMetrics().height() + frame};
}

QSize statusRoom(const QStatusBar* bar) {
    QSize room(0, 0);
    for (const QLabel* panel : bar->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (panel->isHidden())
            continue;
        const QSize r = labelRoom(panel, 0);
        room.rwidth() += r.width() + 8; // the panels' spacing and their own frame
        room.setHeight(std::max(room.height(), r.height() + 4));
    }
    return room;
}

} // namespace

QSize captionRoom(const QWidget* w, int width) {
    if (const auto* b = qobject_cast<const QPushButton*>(w))
        return buttonRoom(b);
    if (const auto* b = qobject_cast<const QAbstractButton*>(w))
        return checkRoom(b);
    if (const auto* g = qobject_cast<const QGroupBox*>(w))
        return frameTitleRoom(g);
    if (const auto* l = qobject_cast<const QLabel*>(w))
        return labelRoom(l, width);
    if (const auto* e = qobject_cast<const QLineEdit*>(w))
        return boxRoom(e, e->text(), 4);
    if (const auto* c = qobject_cast<const QComboBox*>(w))
        return boxRoom(c, c->currentText(),
                       4 + c->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, c));
    if (const auto* s = qobject_cast<const QStatusBar*>(w))
        return statusRoom(s);
    return {};
}
