#include "print/CardDrawing.h"

#include "platform/PrinterSurface.h"
#include "qrcode/ContactCode.h"

#include <QRegularExpression>

namespace {

// Positions reach the surface as single-precision values.
double single(double mm) {
    return double(float(mm));
}

// Where each zone's lines go, in millimetres from the cell's left edge. None follows the
// card width: they were laid out for the 85 mm card.
struct ZoneGeometry {
    double inset;
    double rightEdge;
    double centre;
    double topFraction;
};

ZoneGeometry geometryOf(int n) {
    switch (n) {
    case 1:
        // Clear of the logo corner; centred on the band from 15 to 85 mm.
        return {15, 78, 100.0 / 2, 0};
    case 2:
        return {3, 78, 85.0 / 2, 0.33};
    default:
        return {3, 78, 85.0 / 2, 0.66};
    }
}

// Where a printed line's characters lie: from its first to its last non-blank character, as
// high as the rows it prints (its own CR at the end adds none).
QRectF inkBox(PrinterSurface& s, const QString& line, double x, double y) {
    QString rows = line;
    if (rows.endsWith(QLatin1Char('\r')))
        rows.chop(1);
    const double height = s.textHeight(rows);
    const qsizetype first = rows.indexOf(QRegularExpression(QStringLiteral("[^ \r\n]")));
    if (first < 0)
        return QRectF(x, y, 0, height);
    const qsizetype last = rows.lastIndexOf(QRegularExpression(QStringLiteral("[^ \r\n]")));
    const double left = x + s.textWidth(rows.left(first));
    return QRectF(left, y, s.textWidth(rows.left(last + 1)) - (left - x), height);
}

// The logo's place holds a picture, or the contact code made from the card.
void drawCardLogo(PrinterSurface& s, const CardDocument& card, CardOrigin at, DrawnCard* drawn) {
    if (showsContactCode(card.Logo))
        drawContactCode(s, card, at, drawn);
    else
        drawLogo(s, card.Logo, at, drawn);
}

} // namespace

CardOrigin cellOrigin(const PrintLayout& layout, int n) {
    const QPointF p = SheetPosition::origin(layout, n);
    return {p.x(), p.y()};
}

void drawFrame(PrinterSurface& s, const PrintLayout& layout, CardOrigin at) {
    const double x = at.X, y = at.Y, w = layout.cardWidth, h = layout.cardHeight;
    s.setDrawStyle(0);
    s.line(single(x + 2), single(y + 2), single(x + w - 2), single(y + 2), colour::Black);
    s.line(single(x + w - 2), single(y + 2), single(x + w - 2), single(y + h - 2), colour::Black);
    s.line(single(x + w - 2), single(y + h - 2), single(x + 2), single(y + h - 2), colour::Black);
    s.line(single(x + 2), single(y + 2), single(x + 2), single(y + h - 2), colour::Black);
}

void drawCutMarks(PrinterSurface& s, const PrintLayout& layout, CardOrigin at) {
    const double x = at.X, y = at.Y, w = layout.cardWidth, h = layout.cardHeight;
    s.setDrawStyle(3);
    s.line(single(x), single(y), single(x + w), single(y), colour::Black);
    s.line(single(x + w), single(y), single(x + w), single(y + h), colour::Black);
    s.line(single(x + w), single(y + h), single(x), single(y + h), colour::Black);
    s.line(single(x), single(y), single(x), single(y + h), colour::Black);
}

void drawLogo(PrinterSurface& s, const CardLogo& logo, CardOrigin at, DrawnCard* drawn) {
    if (logo.Path == QLatin1String(NoLogo))
        return;
    s.setCurrentX(single(at.X + logo.Left));
    s.setCurrentY(single(at.Y + logo.Top));
    s.paintPicture(logo.picture, s.currentX(), s.currentY(), single(logo.Width), single(logo.Height));
    if (drawn && !logo.picture.isNull())
        drawn->logo =
            QRectF(s.currentX(), s.currentY(), single(logo.Width), single(logo.Height)).normalized();
}

void drawZone(PrinterSurface& s, const TextZone& zone, int n, ZonePrintLines& lines, double cardHeight,
              CardOrigin at, DrawnZone* drawn) {
    const ZoneGeometry g = geometryOf(n);
    s.setFontName(zone.FontName);
    s.setFontSize(zone.FontSize);
    s.setFontBold(zone.FontBold);
    s.setFontItalic(zone.FontItalic);
    s.setForeColor(zone.ForeColor);
    double y = at.Y + g.topFraction * cardHeight;
    if (drawn)
        *drawn = {y, at.X + g.inset, {}};
    // Measured on the stored first line with its CR: a zone of several lines steps by one
    // line height, a one-line zone by half of one.
    const double step = s.textHeight(lines.Lines[1]) / 2;
    for (int i = 1; i <= lines.Count; ++i) {
        QString& line = lines.Lines[std::size_t(i)];
        const double width = s.textWidth(line);
        double x;
        switch (zone.Alignment) {
        case qint16(ZoneAlignment::Right):
            x = at.X + g.rightEdge - width;
            break;
        case qint16(ZoneAlignment::Centre):
            x = at.X + g.centre - width / 2;
            break;
        default:
            x = at.X + g.inset;
            break;
        }
        y += step;
        s.setCurrentX(single(x));
        s.setCurrentY(single(y));
        if (line.startsWith(QLatin1Char('\n')))
            line.remove(0, 1);
        s.print(line);
        if (drawn)
            drawn->lines.push_back(inkBox(s, line, single(x), single(y)));
    }
}

void drawCard(PrinterSurface& s, CardSource source, CardOrigin at, DrawOrder order, DrawnCard* drawn) {
    const PrintLayout& layout = source.layout;
    if (drawn)
        *drawn = {QRectF(at.X, at.Y, layout.cardWidth, layout.cardHeight), std::nullopt, {}, std::nullopt};
    if (order == DrawOrder::LogoFirst)
        drawCardLogo(s, source.card, at, drawn);
    if (layout.printFrame)
        drawFrame(s, layout, at);
    if (layout.printCutMarks)
        drawCutMarks(s, layout, at);
    if (order == DrawOrder::DecorationsFirst)
        drawCardLogo(s, source.card, at, drawn);
    for (int n = 1; n <= 3; ++n)
        drawZone(s, source.card.zone(n), n, source.lines[std::size_t(n - 1)], layout.cardHeight, at,
                 drawn ? &drawn->zones[std::size_t(n - 1)] : nullptr);
}
