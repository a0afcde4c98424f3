#include "about/DonationPicture.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

QImage donationPicture(const QFont& font, qreal devicePixelRatio) {
    // Drawn at the screen's density, so that it stays sharp there.
    QImage image(QSize(100, 44) * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient fill(0, 0, 0, 44);
    fill.setColorAt(0, QColor(255, 224, 120));
    fill.setColorAt(1, QColor(240, 170, 40));
    QPainterPath shape;
    shape.addRoundedRect(QRectF(1.5, 1.5, 97, 41), 10, 10);
    p.fillPath(shape, fill);
    p.setPen(QPen(QColor(170, 110, 20), 1.5));
    p.drawPath(shape);

    // The largest size at which the caption fits, whichever typeface stands in.
    const QString text = QStringLiteral("Faire un don");
    QFont caption = font;
    caption.setBold(true);
    for (int pixels = 16; pixels > 8; --pixels) {
        caption.setPixelSize(pixels);
        if (QFontMetrics(caption).horizontalAdvance(text) <= 86)
            break;
    }
    p.setFont(caption);
    p.setPen(QColor(40, 40, 90));
    p.drawText(QRect(0, 0, 100, 44), Qt::AlignCenter, text);
    return image;
}
