#include "platform/wmf/WmfPlayer.h"

#include "platform/wmf/WmfRecordType.h"
#include "platform/wmf/WmfText.h"

#include <QPainter>
#include <QtMath>
#include <cmath>

namespace {

enum ArcKind { ArcOnly, PieSlice, ChordShape };

Qt::BrushStyle hatchStyle(int hatch) {
    switch (hatch) {
    case 0:
        return Qt::HorPattern;
    case 1:
        return Qt::VerPattern;
    case 2:
        return Qt::FDiagPattern;
    case 3:
        return Qt::BDiagPattern;
    case 4:
        return Qt::CrossPattern;
    default:
        return Qt::DiagCrossPattern;
    }
}

} // namespace

void WmfPlayer::drawingRecord(quint16 function, const WmfBytes& p) {
    using namespace WmfRecordType;
    switch (function) {
    case LineTo:
        if (p.words() >= 2) {
            const QPointF to(p.word(1), p.word(0));
            QPainterPath path(toFrame(state_.position));
            path.lineTo(toFrame(to));
            state_.position = to;
            drawShape(path, false);
        }
        break;
    case Polyline:
    case Polygon:
        drawPoints(p, function == Polygon);
        break;
    case PolyPolygon:
        drawPolyPolygon(p);
        break;
    case Rectangle:
    case Ellipse:
        if (p.words() >= 4) {
            const QRectF r = rectToFrame(p.word(3), p.word(2), p.word(1), p.word(0));
            QPainterPath path;
            if (function == Rectangle)
                path.addRect(r);
            else
                path.addEllipse(r);
            drawShape(path, true);
        }
        break;
    case RoundRect:
        // corner height, corner width, bottom, right, top, left
        if (p.words() >= 6) {
            const QRectF r = rectToFrame(p.word(5), p.word(4), p.word(3), p.word(2));
            QPainterPath path;
            path.addRoundedRect(r, std::abs(p.word(1) * scaleX()) / 2, std::abs(p.word(0) * scaleY()) / 2);
            drawShape(path, true);
        }
        break;
    case Arc:
        drawArc(p, ArcOnly);
        break;
    case Pie:
        drawArc(p, PieSlice);
        break;
    case Chord:
        drawArc(p, ChordShape);
        break;
    case SetPixel:
        if (p.words() >= 4) {
            const QPointF at = toFrame(p.word(3), p.word(2));
            fillRect(QRectF(at, QSizeF(onePixel_, onePixel_)), QColor(p.u8(0), p.u8(1), p.u8(2)));
        }
        break;
    case TextOut:
    case ExtTextOut:
        if (const auto text = WmfText::read(function, p))
            drawText(*text);
        break;
    default:
        break;
    }
}

QPen WmfPlayer::pen() const {
    const WmfPen& p = state_.pen;
    if (p.style == 5)
        return Qt::NoPen;
    QPen pen(p.colour);
    // Wider than the picture, a pen covers it all anyway.
    const double widest = 2 * std::max(frame_.width(), frame_.height());
    pen.setWidthF(std::clamp(std::abs(p.width * scaleX()), onePixel_, std::max(onePixel_, widest)));
    static const Qt::PenStyle dashes[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                          Qt::DashDotDotLine};
    pen.setStyle(p.style >= 1 && p.style <= 4 ? dashes[p.style] : Qt::SolidLine);
    const int cap = p.flags & 0x0F00;
    pen.setCapStyle(cap == 0x0100 ? Qt::SquareCap : cap == 0x0200 ? Qt::FlatCap : Qt::RoundCap);
    const int join = p.flags & 0xF000;
    pen.setJoinStyle(join == 0x1000 ? Qt::BevelJoin : join == 0x2000 ? Qt::MiterJoin : Qt::RoundJoin);
    return pen;
}

QBrush WmfPlayer::brush() const {
    const WmfBrush& b = state_.brush;
    QBrush brush;
    switch (b.style) {
    case 1:
        return Qt::NoBrush;
    case 2:
        brush = QBrush(b.colour, hatchStyle(b.hatch));
        break;
    case 3:
    case 5:
    case 6:
        if (b.pattern.isNull())
            return Qt::NoBrush;
        brush = QBrush(b.pattern);
        break;
    default:
        return QBrush(b.colour);
    }
    // Patterns keep their pixel size whatever the picture's units.
    brush.setTransform(QTransform::fromScale(onePixel_, onePixel_));
    return brush;
}

void WmfPlayer::drawShape(QPainterPath path, bool filled) {
    path.setFillRule(state_.winding ? Qt::WindingFill : Qt::OddEvenFill);
    const QPen outline = pen();
    if (!painter_) {
        const double half = outline.style() == Qt::NoPen ? 0 : outline.widthF() / 2;
        measured_ |= path.boundingRect().adjusted(-half, -half, half, half);
        return;
    }
    if (filled) {
        if (state_.brush.style == 2 && state_.opaqueBackground)
            painter_->fillPath(path, state_.backColour);
        painter_->fillPath(path, brush());
    }
    if (outline.style() == Qt::NoPen)
        return;
    // Dashes along a path reaching far beyond the picture would be counted by the million, unseen.
    const QRectF bounds = path.boundingRect();
    if (outline.style() != Qt::SolidLine &&
        (bounds.width() > 4 * frame_.width() || bounds.height() > 4 * frame_.height())) {
        QPen solid = outline;
        solid.setStyle(Qt::SolidLine);
        painter_->strokePath(path, solid);
        return;
    }
    painter_->strokePath(path, outline);
}

void WmfPlayer::fillRect(const QRectF& rect, const QBrush& brush) {
    if (!painter_)
        measured_ |= rect;
    else
        painter_->fillRect(rect, brush);
}

void WmfPlayer::drawPoints(const WmfBytes& p, bool closed) {
    const qint16 count = p.word(0);
    if (count < 1 || p.words() < 1 + 2 * qsizetype(count))
        return;
    QPolygonF points;
    points.reserve(count);
    for (qint16 i = 0; i < count; ++i)
        points.append(toFrame(p.word(1 + 2 * i), p.word(2 + 2 * i)));
    QPainterPath path;
    path.addPolygon(points);
    if (closed)
        path.closeSubpath();
    drawShape(path, closed);
}

void WmfPlayer::drawPolyPolygon(const WmfBytes& p) {
    const int polygons = p.u16(0);
    if (polygons < 1 || p.words() < 1 + polygons)
        return;
    qsizetype at = 1 + polygons;
    QPainterPath path;
    for (int i = 0; i < polygons; ++i) {
        const int count = p.u16(2 + 2 * i);
        if (p.words() < at + 2 * qsizetype(count))
            return;
        QPolygonF points;
        points.reserve(count);
        for (int k = 0; k < count; ++k, at += 2)
            points.append(toFrame(p.word(at), p.word(at + 1)));
        path.addPolygon(points);
        path.closeSubpath();
    }
    drawShape(path, true);
}

void WmfPlayer::drawArc(const WmfBytes& p, int kind) {
    // end y, end x, start y, start x, bottom, right, top, left
    if (p.words() < 8)
        return;
    const QRectF r = rectToFrame(p.word(7), p.word(6), p.word(5), p.word(4));
    if (r.width() <= 0 || r.height() <= 0)
        return;
    const QPointF c = r.center();
    // The arc runs anticlockwise, as seen, from where the first radial meets the ellipse to the second.
    const auto angle = [&](const QPointF& at) {
        return qRadiansToDegrees(std::atan2(-(at.y() - c.y()) / r.height(), (at.x() - c.x()) / r.width()));
    };
    const double start = angle(toFrame(p.word(3), p.word(2)));
    double sweep = angle(toFrame(p.word(1), p.word(0))) - start;
    if (sweep <= 0)
        sweep += 360;
    QPainterPath path;
    if (kind == PieSlice)
        path.moveTo(c);
    else
        path.arcMoveTo(r, start);
    path.arcTo(r, start, sweep);
    if (kind != ArcOnly)
        path.closeSubpath();
    drawShape(path, kind != ArcOnly);
}
