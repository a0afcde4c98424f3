#include "platform/CardText.h"

#include <QFontMetricsF>
#include <QPainter>

namespace {

// Large enough that the glyph grid and hinting leave no trace in the metrics.
constexpr int ReferencePixels = 2048;
constexpr double MmPerPoint = 25.4 / 72;

} // namespace

CardText::CardText(const QString& family, double points, bool bold, bool italic) {
    font_.setFamily(family);
    font_.setPixelSize(ReferencePixels);
    font_.setBold(bold);
    font_.setItalic(italic);
    font_.setHintingPreference(QFont::PreferNoHinting);
    font_.setKerning(true);
    mmPerPixel_ = points * MmPerPoint / ReferencePixels;
}

double CardText::lineHeight() const {
    return QFontMetricsF(font_).lineSpacing() * mmPerPixel_;
}

double CardText::width(const QString& line) const {
    return QFontMetricsF(font_).horizontalAdvance(line) * mmPerPixel_;
}

double CardText::textWidth(const QString& text) const {
    double widest = 0;
    for (const QString& part : measuredLines(text))
        widest = std::max(widest, width(part));
    return widest;
}

double CardText::textHeight(const QString& text) const {
    return lineHeight() * double(1 + text.count(QLatin1Char('\r')));
}

void CardText::draw(QPainter& painter, double k, double xMm, double yMm, const QStringList& lines,
                    const QColor& colour, bool opaqueBackground) const {
    const QFontMetricsF metrics(font_);
    painter.save();
    painter.translate(xMm * k, yMm * k);
    painter.scale(mmPerPixel_ * k, mmPerPixel_ * k);
    painter.setFont(font_);
    painter.setPen(colour);
    double top = 0;
    for (const QString& line : lines) {
        if (opaqueBackground)
            painter.fillRect(QRectF(0, top, metrics.horizontalAdvance(line), metrics.lineSpacing()),
                             Qt::white);
        if (!line.isEmpty())
            painter.drawText(QPointF(0, top + metrics.ascent()), line);
        top += metrics.lineSpacing();
    }
    painter.restore();
}

QStringList CardText::printedLines(const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\r"));
    t.remove(QLatin1Char('\n'));
    return t.split(QLatin1Char('\r'));
}

QStringList CardText::measuredLines(const QString& text) {
    QString t = text;
    t.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    return t.split(QLatin1Char('\r'));
}
