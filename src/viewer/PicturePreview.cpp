#include "viewer/PicturePreview.h"

#include <QPainter>

PicturePreview::PicturePreview(QWidget* parent) : QWidget(parent) {}

void PicturePreview::setPicture(const Picture& picture) {
    picture_ = picture;
    update();
}

QSize PicturePreview::pixelSize() const {
    return size() * devicePixelRatioF();
}

void PicturePreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    picture_.paint(painter, QRectF(rect()));
    // A thin edge, so that the empty box can be seen.
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
