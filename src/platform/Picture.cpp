#include "platform/Picture.h"

#include <QPainter>

QSize Picture::naturalSize() const {
    return vector_ ? vector_->naturalSize() : image_.size();
}

void Picture::paint(QPainter& painter, const QRectF& target) const {
    if (vector_) {
        vector_->paint(painter, target);
    } else if (!image_.isNull()) {
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, image_);
        painter.restore();
    }
}

QImage Picture::toImage(const QSize& size) const {
    if (isNull() || size.isEmpty())
        return {};
    if (!vector_)
        return image_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage out(size, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing);
    vector_->paint(p, QRectF(QPointF(0, 0), QSizeF(size)));
    return out;
}
