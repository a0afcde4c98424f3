#include "platform/ScreenSurface.h"

#include "app/Colour.h"
#include "platform/CardText.h"
#include "platform/SurfacePen.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

ScreenSurface::ScreenSurface(QPainter* painter, double pixelsPerMm) : painter_(painter), k_(pixelsPerMm) {
    font_.setPointSizeF(8.25);
}

void ScreenSurface::setOrientation(int value) {
    if (value != 1 && value != 2)
        throw PrinterError("unknown orientation");
    orientation_ = value;
}

void ScreenSurface::setScaleMode(int value) {
    if (value != 6)
        throw PrinterError("only millimetres are supported");
}

void ScreenSurface::setFontSize(float points) {
    if (!(points > 0))
        throw PrinterError("font size");
    font_.setPointSizeF(points);
}

void ScreenSurface::line(double x1, double y1, double x2, double y2, quint32 colour) {
    if (painter_) {
        painter_->setPen(surfacePen(colour, drawStyle_, lineWidthDots_, k_, 1));
        painter_->drawLine(QPointF(x1 * k_, y1 * k_), QPointF(x2 * k_, y2 * k_));
    }
    x_ = x2;
    y_ = y2;
}

void ScreenSurface::fillBox(double x1, double y1, double x2, double y2, quint32 colour) {
    x_ = x2;
    y_ = y2;
    if (!painter_)
        return;
    // On whole pixels, so that boxes side by side meet without a seam or a blur.
    const QPoint from(int(std::lround(std::min(x1, x2) * k_)), int(std::lround(std::min(y1, y2) * k_)));
    const QPoint to(int(std::lround(std::max(x1, x2) * k_)), int(std::lround(std::max(y1, y2) * k_)));
    painter_->fillRect(QRect(from, to - QPoint(1, 1)), colour::onCard(colour));
}

void ScreenSurface::paintPicture(const Picture& picture, double x, double y, double width, double height) {
    if (!painter_)
        return;
    painter_->save();
    painter_->setRenderHint(QPainter::SmoothPixmapTransform);
    picture.paint(*painter_, QRectF(x * k_, y * k_, width * k_, height * k_));
    painter_->restore();
}

void ScreenSurface::print(const QString& text) {
    const CardText t = CardText(font_);
    const QStringList lines = CardText::printedLines(text);
    if (painter_)
        t.draw(*painter_, k_, x_, y_, lines, colour::onCard(foreColor_), !transparentText_);
    x_ = 0;
    y_ += t.lineHeight() * double(lines.size());
}

double ScreenSurface::textWidth(const QString& text) {
    return CardText(font_).textWidth(text);
}

double ScreenSurface::textHeight(const QString& text) {
    return CardText(font_).textHeight(text);
}
