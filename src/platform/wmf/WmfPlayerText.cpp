#include "platform/wmf/WmfPlayer.h"

#include "platform/wmf/WmfText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

// Text is laid out with a font of this pixel size, then scaled to the record's size, so that
// tiny or huge logical units draw alike.
constexpr int LayoutPixels = 200;

constexpr int AlignUpdatePosition = 0x0001;
constexpr int AlignHorizontal = 0x0006;
constexpr int AlignRight = 0x0002;
constexpr int AlignCentre = 0x0006;
constexpr int AlignVertical = 0x0018;
constexpr int AlignBottom = 0x0008;
constexpr int AlignBaseline = 0x0018;

QFont layoutFont(const WmfFont& f) {
    QFont font;
    if (!f.face.isEmpty())
        font.setFamily(f.face);
    switch (f.pitchAndFamily & 0xF0) {
    case 0x10:
        font.setStyleHint(QFont::Serif);
        break;
    case 0x30:
        font.setStyleHint(QFont::TypeWriter);
        break;
    case 0x40:
        font.setStyleHint(QFont::Cursive);
        break;
    case 0x50:
        font.setStyleHint(QFont::Decorative);
        break;
    default:
        font.setStyleHint(QFont::SansSerif);
        break;
    }
    font.setPixelSize(LayoutPixels);
    font.setWeight(QFont::Weight(f.weight > 0 ? std::clamp(f.weight, 100, 900) : 400));
    font.setItalic(f.italic);
    return font;
}

} // namespace

void WmfPlayer::drawText(const WmfText& t) {
    textCharacters_ += t.text.size();
    if ((t.text.isEmpty() && !t.rect) || textCharacters_ > MaxTextCharacters)
        return;
    const WmfFont& f = state_.font;
    const double sx = std::abs(scaleX());
    const double sy = std::abs(scaleY());
    // A positive height counts the line's leading too; the character itself is a little smaller.
    double em = f.height < 0 ? -f.height * sy : f.height * sy * 0.87;
    if (f.height == 0)
        em = 16 * onePixel_;
    const double limit = 64 * std::max(frame_.width(), frame_.height());
    if (!(em > 0) || em > limit)
        return;
    const QFont font = layoutFont(f);
    const QFontMetricsF metrics(font);
    const double k = em / LayoutPixels; // frame units per layout pixel
    // A font width asks for narrower or wider characters than the face's own.
    double stretch = 1;
    if (f.width != 0 && metrics.averageCharWidth() > 0)
        stretch = std::clamp(std::abs(f.width) * sx / k / metrics.averageCharWidth(), 0.05, 20.0);
    const double kx = k * stretch;

    // Where each character starts, in layout pixels.
    std::vector<double> starts;
    double width = 0;
    if (t.advances.size() == size_t(t.text.size())) {
        for (qint16 advance : t.advances) {
            starts.push_back(width);
            width += advance * sx / kx;
        }
    } else {
        width = metrics.horizontalAdvance(t.text);
    }

    const bool current = state_.textAlign & AlignUpdatePosition;
    const QPointF origin = toFrame(current ? state_.position : QPointF(t.position));
    double x = 0;
    if ((state_.textAlign & AlignHorizontal) == AlignCentre)
        x = -width / 2;
    else if ((state_.textAlign & AlignHorizontal) == AlignRight)
        x = -width;
    double baseline = metrics.ascent();
    if ((state_.textAlign & AlignVertical) == AlignBaseline)
        baseline = 0;
    else if ((state_.textAlign & AlignVertical) == AlignBottom)
        baseline = -metrics.descent();
    if (current && scaleX() != 0)
        state_.position.rx() += width * kx / scaleX();

    QTransform place;
    place.translate(origin.x(), origin.y());
    place.rotate(-f.escapement / 10.0);
    place.scale(kx, k);
    const QRectF box(x, baseline - metrics.ascent(), width, metrics.ascent() + metrics.descent());
    std::optional<QRectF> rect;
    if (t.rect)
        rect = rectToFrame(t.rect->left(), t.rect->top(), t.rect->right() + 1, t.rect->bottom() + 1);

    if (!painter_) {
        measured_ |= place.mapRect(box);
        if (rect && (t.options & WmfText::Opaque))
            measured_ |= *rect;
        return;
    }
    painter_->save();
    if (rect && (t.options & WmfText::Opaque))
        painter_->fillRect(*rect, state_.backColour);
    if (rect && (t.options & WmfText::Clipped))
        painter_->setClipRect(*rect, Qt::IntersectClip);
    painter_->setTransform(place, true);
    if (state_.opaqueBackground && !(t.options & WmfText::Opaque))
        painter_->fillRect(box, state_.backColour);
    // Glyphs go through their outlines: under the stretched, squeezed or turned mappings a metafile
    // may ask for, the font engine's own glyph images can fail.
    QPainterPath glyphs;
    if (starts.empty()) {
        glyphs.addText(QPointF(x, baseline), font, t.text);
    } else {
        for (qsizetype i = 0; i < t.text.size(); ++i)
            glyphs.addText(QPointF(x + starts[size_t(i)], baseline), font, QString(t.text.at(i)));
    }
    const double line = std::max(metrics.lineWidth(), 1.0);
    if (f.underline)
        glyphs.addRect(QRectF(x, baseline + metrics.underlinePos(), width, line));
    if (f.strikeOut)
        glyphs.addRect(QRectF(x, baseline - metrics.strikeOutPos(), width, line));
    glyphs.setFillRule(Qt::WindingFill);
    painter_->fillPath(glyphs, state_.textColour);
    painter_->restore();
}
