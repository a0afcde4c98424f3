#include "app/CardPreview.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

ZoneLabel::ZoneLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAutoFillBackground(false);
}

void ZoneLabel::showZone(const TextZone& zone) {
    QString text = zone.Text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    setText(text);
    QFont f(zone.FontName);
    f.setPointSizeF(zone.FontSize > 0 ? zone.FontSize : 8.25);
    f.setBold(zone.FontBold);
    f.setItalic(zone.FontItalic);
    // Underline and strikethrough show on screen only; the card file and the printer ignore them.
    f.setUnderline(zone.FontUnderline);
    f.setStrikeOut(zone.FontStrikethru);
    setFont(f);
    Qt::Alignment h = Qt::AlignLeft;
    if (zone.Alignment == int(ZoneAlignment::Right))
        h = Qt::AlignRight;
    else if (zone.Alignment == int(ZoneAlignment::Centre))
        h = Qt::AlignHCenter;
    setAlignment(h | Qt::AlignTop);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, colour::resolve(zone.ForeColor, QPalette()));
    setPalette(pal);
}

void ZoneLabel::setHighlight(bool opaque, quint32 backColour) {
    opaque_ = opaque;
    backColour_ = backColour;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colour::resolve(backColour, QPalette()));
    setPalette(pal);
    setAutoFillBackground(opaque);
    update();
}

void ZoneLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit clicked();
    QLabel::mousePressEvent(event);
}

LogoBox::LogoBox(QWidget* parent) : QWidget(parent) {}

void LogoBox::setPicture(const Picture& picture) {
    picture_ = picture;
    scaled_ = QImage();
    update();
}

void LogoBox::placeTwips(const QRectF& twips) {
    setGeometry(int(std::lround(twips.x() / TwipsPerPixel)), int(std::lround(twips.y() / TwipsPerPixel)),
                std::max(0, int(std::lround(twips.width() / TwipsPerPixel))),
                std::max(0, int(std::lround(twips.height() / TwipsPerPixel))));
}

void LogoBox::paintEvent(QPaintEvent*) {
    if (picture_.isNull() || width() <= 0 || height() <= 0)
        return;
    const QSize device = size() * devicePixelRatioF();
    if (scaled_.size() != device) {
        scaled_ = picture_.toImage(device);
        scaled_.setDevicePixelRatio(devicePixelRatioF());
    }
    QPainter p(this);
    p.drawImage(rect(), scaled_);
}

void LogoBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void LogoBox::resizeEvent(QResizeEvent*) {
    scaled_ = QImage();
}
