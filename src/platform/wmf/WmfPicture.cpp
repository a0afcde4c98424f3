#include "platform/wmf/WmfPicture.h"

#include "platform/wmf/WmfPlayer.h"
#include "platform/wmf/WmfRecordType.h"

#include <QPainter>
#include <cmath>

namespace {

// A metafile without the placeable header says where it draws through its first window
// origin and extent.
std::optional<QRectF> windowOf(const WmfFile& file) {
    std::optional<QPointF> origin;
    std::optional<QSizeF> extent;
    for (const WmfRecord& r : file.records()) {
        const WmfBytes p = file.params(r);
        if (p.words() < 2)
            continue;
        if (r.function == WmfRecordType::SetWindowOrg && !origin)
            origin = QPointF(p.word(1), p.word(0));
        if (r.function == WmfRecordType::SetWindowExt && !extent && p.word(0) && p.word(1))
            extent = QSizeF(p.word(1), p.word(0));
    }
    if (!extent)
        return std::nullopt;
    return QRectF(origin.value_or(QPointF()), *extent).normalized();
}

QSize fitWithin(QSizeF size, int side) {
    if (size.width() > side || size.height() > side)
        size.scale(side, side, Qt::KeepAspectRatio);
    return QSize(std::max(1, qRound(size.width())), std::max(1, qRound(size.height())));
}

} // namespace

std::shared_ptr<const WmfPicture> WmfPicture::fromData(const QByteArray& data) {
    auto file = WmfFile::parse(data);
    if (!file)
        return nullptr;
    std::shared_ptr<WmfPicture> picture(new WmfPicture(std::move(*file)));
    const WmfFile& f = picture->file_;
    if (f.placeable()) {
        picture->unitsPerInch_ = f.unitsPerInch();
        picture->frame_ = QRectF(f.bounds());
        picture->natural_ = fitWithin(picture->frame_.size() * ScreenDpi / f.unitsPerInch(), MaxNaturalSide);
        return picture;
    }
    if (const auto window = windowOf(f)) {
        picture->frame_ = *window;
    } else {
        // No frame given: the picture is whatever its records draw, measured over the whole
        // 16-bit plane.
        WmfPlayer probe(f, QRectF(-32768, -32768, 65536, 65536), ScreenDpi, 1);
        picture->frame_ = probe.measure();
    }
    const QRectF& frame = picture->frame_;
    if (!std::isfinite(frame.width()) || !std::isfinite(frame.height()) || frame.width() <= 0 ||
        frame.height() <= 0)
        return nullptr;
    picture->natural_ = fitWithin(frame.size(), PlainNaturalSide);
    return picture;
}

void WmfPicture::paint(QPainter& painter, const QRectF& target) const {
    if (target.isEmpty())
        return;
    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.translate(target.topLeft());
    painter.scale(target.width() / frame_.width(), target.height() / frame_.height());
    painter.translate(-frame_.topLeft());
    WmfPlayer player(file_, frame_, unitsPerInch_, onePixel());
    player.play(painter);
    painter.restore();
}
