#include "platform/wmf/WmfPlayer.h"

#include "platform/wmf/WmfDib.h"
#include "platform/wmf/WmfRecordType.h"

#include <QPaintEngine>
#include <QPainter>
#include <cmath>

namespace {

namespace Rop {
constexpr quint32 SourceCopy = 0x00CC0020;
constexpr quint32 NotSourceCopy = 0x00330008;
constexpr quint32 SourceAnd = 0x008800C6;
constexpr quint32 SourcePaint = 0x00EE0086;
constexpr quint32 SourceInvert = 0x00660046;
constexpr quint32 PatternCopy = 0x00F00021;
constexpr quint32 Blackness = 0x00000042;
constexpr quint32 Whiteness = 0x00FF0062;
} // namespace Rop

constexpr quint16 PaletteColours = 1;

} // namespace

void WmfPlayer::bitmapRecord(quint16 function, const WmfBytes& p) {
    using namespace WmfRecordType;
    const quint32 rop = p.u32(0);
    const auto w = [&](int i) { return double(p.word(i)); };
    // A blit without a bitmap is a record of exactly the size its function number announces.
    const bool noBitmap = p.words() == (function >> 8);
    const auto dest = [&](int x, int y, int width, int height) {
        return QRectF(QPointF(w(x), w(y)), QSizeF(w(width), w(height)));
    };
    switch (function) {
    case PatBlt:
        if (p.words() >= 6)
            patternBlit(rop, dest(5, 4, 3, 2));
        break;
    case DibBitBlt:
        if (noBitmap && p.words() >= 9)
            patternBlit(rop, dest(8, 7, 6, 5));
        else if (p.words() >= 8)
            drawBitmap(p.from(16), QRectF(w(3), w(2), w(5), w(4)), false, dest(7, 6, 5, 4), rop);
        break;
    case DibStretchBlt:
        if (noBitmap && p.words() >= 11)
            patternBlit(rop, dest(10, 9, 8, 7));
        else if (p.words() >= 10)
            drawBitmap(p.from(20), QRectF(w(5), w(4), w(3), w(2)), false, dest(9, 8, 7, 6), rop);
        break;
    case StretchDib:
        if (p.words() >= 11 && p.u16(4) != PaletteColours)
            drawBitmap(p.from(22), QRectF(w(6), w(5), w(4), w(3)), true, dest(10, 9, 8, 7), rop);
        break;
    case SetDibToDev:
        // The size is in device pixels: one pixel of the picture at its natural size.
        if (p.words() >= 9 && p.u16(0) != PaletteColours && scaleX() != 0 && scaleY() != 0) {
            const QSizeF size(w(6) * onePixel_ / std::abs(scaleX()), w(5) * onePixel_ / std::abs(scaleY()));
            drawBitmap(p.from(18), QRectF(w(4), w(3), w(6), w(5)), true, QRectF(QPointF(w(8), w(7)), size),
                       Rop::SourceCopy);
        }
        break;
    default:
        break;
    }
}

void WmfPlayer::patternBlit(quint32 rop, const QRectF& dest) {
    const QRectF r = rectToFrame(dest.left(), dest.top(), dest.right(), dest.bottom());
    if (rop == Rop::PatternCopy)
        fillRect(r, brush());
    else if (rop == Rop::Blackness)
        fillRect(r, Qt::black);
    else if (rop == Rop::Whiteness)
        fillRect(r, Qt::white);
}

void WmfPlayer::drawBitmap(const WmfBytes& dib, QRectF source, bool sourceFromBottom, const QRectF& dest,
                           quint32 rop) {
    const QPointF a = toFrame(dest.topLeft());
    const QPointF b = toFrame(dest.bottomRight());
    const QRectF target = QRectF(a, b).normalized();
    if (target.isEmpty())
        return;
    if (!painter_) {
        measured_ |= target;
        return;
    }
    const WmfDib::Decoded decoded = WmfDib::decode(dib);
    if (decoded.image.isNull())
        return;
    const QImage& image = decoded.image;
    source = source.normalized();
    // Those records count source rows from the bottom of a bottom-up bitmap.
    if (sourceFromBottom && decoded.bottomUp)
        source.moveTop(image.height() - source.bottom());
    const QRect part = source.toRect().intersected(image.rect());
    if (part.isEmpty())
        return;
    QImage pixels = image.copy(part).mirrored(b.x() < a.x(), b.y() < a.y());

    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
    const bool blends =
        painter_->paintEngine() && painter_->paintEngine()->hasFeature(QPaintEngine::BlendModes);
    if (rop == Rop::NotSourceCopy)
        pixels.invertPixels();
    else if (rop == Rop::SourceAnd && blends)
        mode = QPainter::CompositionMode_Multiply;
    else if (rop == Rop::SourcePaint && blends)
        mode = QPainter::CompositionMode_Lighten;
    else if (rop == Rop::SourceInvert && blends)
        mode = QPainter::CompositionMode_Difference;
    painter_->save();
    painter_->setCompositionMode(mode);
    painter_->drawImage(target, pixels);
    painter_->restore();
}
