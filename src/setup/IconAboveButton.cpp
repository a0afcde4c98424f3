#include "setup/IconAboveButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

void IconAboveButton::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    const QIcon icon = option.icon;
    option.text.clear();
    option.icon = QIcon();
    p.drawControl(QStyle::CE_PushButton, option);

    const QRect inside = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    const QSize iconSize = option.iconSize;
    const int textHeight = fontMetrics().height();
    const int gap = 2;
    const int top = inside.top() + (inside.height() - iconSize.height() - gap - textHeight) / 2;
    const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    const QRect iconRect(inside.left() + (inside.width() - iconSize.width()) / 2, top, iconSize.width(),
                         iconSize.height());
    icon.paint(&p, iconRect, Qt::AlignCenter, mode);
    const QRect textRect(inside.left(), top + iconSize.height() + gap, inside.width(), textHeight);
    p.drawItemText(textRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextShowMnemonic, palette(), isEnabled(),
                   caption, QPalette::ButtonText);
}
