#include "platform/wmf/WmfPlayer.h"

#include "app/Windows1252.h"
#include "platform/wmf/WmfDib.h"
#include "platform/wmf/WmfRecordType.h"

#include <QPainter>
#include <cmath>

namespace {

QColor colourAt(const WmfBytes& p, qsizetype at) {
    return QColor(p.u8(at), p.u8(at + 1), p.u8(at + 2));
}

// Points far outside the picture are pulled in so that nothing downstream works on huge numbers;
// what is that far away is never seen.
double clampTo(double v, double low, double high) {
    if (!std::isfinite(v))
        return low;
    return std::min(std::max(v, low), high);
}

} // namespace

WmfPlayer::WmfPlayer(const WmfFile& file, const QRectF& frame, double unitsPerInch, double onePixel)
    : file_(file), frame_(frame), unitsPerInch_(unitsPerInch), onePixel_(onePixel) {}

void WmfPlayer::play(QPainter& painter) {
    painter_ = &painter;
    painter.save();
    painter.save(); // the level the clip records replace
    run();
    painter.restore();
    painter.restore();
    painter_ = nullptr;
}

QRectF WmfPlayer::measure() {
    painter_ = nullptr;
    measured_ = QRectF();
    run();
    return measured_;
}

void WmfPlayer::run() {
    state_ = WmfDeviceState();
    state_.windowOrg = state_.viewportOrg = frame_.topLeft();
    state_.windowExt = state_.viewportExt = frame_.size();
    saved_.clear();
    clipChanges_ = 0;
    textCharacters_ = 0;
    objects_.assign(size_t(file_.objectCount()), WmfObject());
    for (const WmfRecord& r : file_.records())
        record(r.function, file_.params(r));
}

void WmfPlayer::record(quint16 function, const WmfBytes& p) {
    using namespace WmfRecordType;
    switch (function) {
    case SaveDC:
    case RestoreDC:
    case SetBkMode:
    case SetPolyFillMode:
    case SetTextAlign:
    case SetTextColor:
    case SetBkColor:
    case MoveTo:
    case IntersectClipRect:
    case ExcludeClipRect:
        stateRecord(function, p);
        break;
    case SetMapMode:
    case SetWindowOrg:
    case SetWindowExt:
    case SetViewportOrg:
    case SetViewportExt:
    case OffsetWindowOrg:
    case OffsetViewportOrg:
    case ScaleWindowExt:
    case ScaleViewportExt:
        mappingRecord(function, p);
        break;
    case CreatePenIndirect:
    case CreateBrushIndirect:
    case CreateFontIndirect:
    case DibCreatePatternBrush:
    case CreatePatternBrush:
    case CreatePalette:
    case CreateRegion:
    case SelectObject:
    case DeleteObject:
        objectRecord(function, p);
        break;
    case DibBitBlt:
    case DibStretchBlt:
    case StretchDib:
    case SetDibToDev:
    case PatBlt:
        bitmapRecord(function, p);
        break;
    default:
        // Drawing records; anything unknown draws nothing.
        drawingRecord(function, p);
        break;
    }
}

void WmfPlayer::stateRecord(quint16 function, const WmfBytes& p) {
    using namespace WmfRecordType;
    if (function == SaveDC) {
        saveState();
        return;
    }
    if (p.words() < 1)
        return;
    switch (function) {
    case RestoreDC:
        restoreState(p.word(0));
        break;
    case SetBkMode:
        state_.opaqueBackground = p.word(0) == 2;
        break;
    case SetPolyFillMode:
        state_.winding = p.word(0) == 2;
        break;
    case SetTextAlign:
        state_.textAlign = p.u16(0);
        break;
    case SetTextColor:
        if (p.has(0, 4))
            state_.textColour = colourAt(p, 0);
        break;
    case SetBkColor:
        if (p.has(0, 4))
            state_.backColour = colourAt(p, 0);
        break;
    case MoveTo:
        if (p.words() >= 2)
            state_.position = QPointF(p.word(1), p.word(0));
        break;
    case IntersectClipRect:
    case ExcludeClipRect:
        clipRect(p, function == ExcludeClipRect);
        break;
    default:
        break;
    }
}

void WmfPlayer::mappingRecord(quint16 function, const WmfBytes& p) {
    using namespace WmfRecordType;
    if (function == SetMapMode) {
        const int mode = p.word(0);
        if (p.words() >= 1 && mode >= WmfMapMode::Text && mode <= WmfMapMode::Anisotropic)
            state_.mapMode = mode;
        return;
    }
    if (function == ScaleWindowExt || function == ScaleViewportExt) {
        // y denominator, y numerator, x denominator, x numerator
        if (p.words() < 4 || !p.word(0) || !p.word(1) || !p.word(2) || !p.word(3))
            return;
        QSizeF& ext = function == ScaleWindowExt ? state_.windowExt : state_.viewportExt;
        ext = QSizeF(ext.width() * p.word(3) / p.word(2), ext.height() * p.word(1) / p.word(0));
        return;
    }
    if (p.words() < 2)
        return;
    const QPointF value(p.word(1), p.word(0));
    switch (function) {
    case SetWindowOrg:
        state_.windowOrg = value;
        break;
    case SetViewportOrg:
        state_.viewportOrg = value;
        break;
    case OffsetWindowOrg:
        state_.windowOrg += value;
        break;
    case OffsetViewportOrg:
        state_.viewportOrg += value;
        break;
    case SetWindowExt:
    case SetViewportExt:
        // An extent of zero cannot map anything: the device refuses it.
        if (value.x() && value.y())
            (function == SetWindowExt ? state_.windowExt : state_.viewportExt) = QSizeF(value.x(), value.y());
        break;
    default:
        break;
    }
}

void WmfPlayer::objectRecord(quint16 function, const WmfBytes& p) {
    using namespace WmfRecordType;
    switch (function) {
    case CreatePenIndirect:
        if (p.has(0, 10)) {
            WmfPen pen;
            pen.style = p.u16(0) & 0x000F;
            pen.flags = p.u16(0) & 0xFF00;
            pen.width = std::abs(p.s16(2));
            pen.colour = colourAt(p, 6);
            createObject(pen);
        } else {
            createObject(WmfOtherObject());
        }
        break;
    case CreateBrushIndirect:
        if (p.has(0, 8)) {
            WmfBrush brush;
            brush.style = p.u16(0);
            brush.colour = colourAt(p, 2);
            brush.hatch = p.u16(6);
            createObject(brush);
        } else {
            createObject(WmfOtherObject());
        }
        break;
    case CreateFontIndirect:
        if (p.has(0, 18)) {
            WmfFont font;
            font.height = p.s16(0);
            font.width = p.s16(2);
            font.escapement = p.s16(4);
            font.weight = p.s16(8);
            font.italic = p.u8(10);
            font.underline = p.u8(11);
            font.strikeOut = p.u8(12);
            font.charSet = p.u8(13);
            font.pitchAndFamily = p.u8(17);
            QByteArray face = p.bytes(18, std::min<qsizetype>(32, p.size() - 18));
            face.truncate(face.indexOf('\0') < 0 ? face.size() : face.indexOf('\0'));
            font.face = cp1252::decode(face);
            createObject(font);
        } else {
            createObject(WmfOtherObject());
        }
        break;
    case DibCreatePatternBrush: {
        const QImage image = WmfDib::decode(p.from(4)).image;
        if (image.isNull()) {
            createObject(WmfOtherObject());
        } else {
            WmfBrush brush;
            brush.style = 3;
            brush.pattern = image;
            createObject(brush);
        }
        break;
    }
    case SelectObject:
        if (p.words() >= 1)
            selectObject(p.u16(0));
        break;
    case DeleteObject:
        if (p.words() >= 1)
            deleteObject(p.u16(0));
        break;
    default:
        // Palettes, regions and old-style pattern brushes still take their place in the table.
        createObject(WmfOtherObject());
        break;
    }
}

void WmfPlayer::createObject(WmfObject object) {
    for (WmfObject& slot : objects_) {
        if (std::holds_alternative<std::monostate>(slot)) {
            slot = std::move(object);
            return;
        }
    }
    // Some writers under-count their objects; the table grows, within reason.
    if (objects_.size() < size_t(MaxObjects))
        objects_.push_back(std::move(object));
}

void WmfPlayer::selectObject(int index) {
    if (index < 0 || size_t(index) >= objects_.size())
        return;
    const WmfObject& object = objects_[size_t(index)];
    if (const auto* pen = std::get_if<WmfPen>(&object))
        state_.pen = *pen;
    else if (const auto* brush = std::get_if<WmfBrush>(&object))
        state_.brush = *brush;
    else if (const auto* font = std::get_if<WmfFont>(&object))
        state_.font = *font;
}

void WmfPlayer::deleteObject(int index) {
    if (index >= 0 && size_t(index) < objects_.size())
        objects_[size_t(index)] = std::monostate();
}

void WmfPlayer::saveState() {
    if (saved_.size() < size_t(MaxSavedStates))
        saved_.push_back(state_);
}

void WmfPlayer::restoreState(int which) {
    // Negative: that many saves back; positive: the n-th save from the first.
    const qint64 target = which < 0 ? qint64(saved_.size()) + which : qint64(which) - 1;
    if (which == 0 || target < 0 || target >= qint64(saved_.size()))
        return;
    const bool clipChanged = state_.clip.has_value() || saved_[size_t(target)].clip.has_value();
    state_ = saved_[size_t(target)];
    saved_.resize(size_t(target));
    if (clipChanged && ++clipChanges_ <= MaxClipChanges)
        applyClip();
}

void WmfPlayer::clipRect(const WmfBytes& p, bool exclude) {
    // bottom, right, top, left
    if (p.words() < 4 || ++clipChanges_ > MaxClipChanges)
        return;
    // Endless cutting would only slow the drawing down; past a limit the clip stays as it is.
    if (state_.clip && state_.clip->elementCount() > MaxClipElements)
        return;
    QPainterPath rect;
    rect.addRect(rectToFrame(p.word(3), p.word(2), p.word(1), p.word(0)));
    if (exclude) {
        QPainterPath all;
        all.addRect(frame_.adjusted(-frame_.width(), -frame_.height(), frame_.width(), frame_.height()));
        state_.clip = state_.clip.value_or(all).subtracted(rect);
    } else {
        state_.clip = state_.clip ? state_.clip->intersected(rect) : rect;
    }
    applyClip();
}

void WmfPlayer::applyClip() {
    if (!painter_)
        return;
    painter_->restore();
    painter_->save();
    if (state_.clip)
        painter_->setClipPath(*state_.clip, Qt::IntersectClip);
}

double WmfPlayer::scaleX() const {
    switch (state_.mapMode) {
    case WmfMapMode::Text:
        return 1;
    case WmfMapMode::LoMetric:
        return unitsPerInch_ / 254;
    case WmfMapMode::HiMetric:
        return unitsPerInch_ / 2540;
    case WmfMapMode::LoEnglish:
        return unitsPerInch_ / 100;
    case WmfMapMode::HiEnglish:
        return unitsPerInch_ / 1000;
    case WmfMapMode::Twips:
        return unitsPerInch_ / 1440;
    default:
        break;
    }
    const double sx = state_.viewportExt.width() / state_.windowExt.width();
    if (state_.mapMode == WmfMapMode::Isotropic) {
        const double sy = state_.viewportExt.height() / state_.windowExt.height();
        return std::copysign(std::min(std::abs(sx), std::abs(sy)), sx);
    }
    return sx;
}

double WmfPlayer::scaleY() const {
    switch (state_.mapMode) {
    case WmfMapMode::Text:
        return 1;
    case WmfMapMode::Isotropic: {
        const double sx = state_.viewportExt.width() / state_.windowExt.width();
        const double sy = state_.viewportExt.height() / state_.windowExt.height();
        return std::copysign(std::min(std::abs(sx), std::abs(sy)), sy);
    }
    case WmfMapMode::Anisotropic:
        return state_.viewportExt.height() / state_.windowExt.height();
    default:
        // The fixed units count upwards.
        return -scaleX();
    }
}

QPointF WmfPlayer::toFrame(double x, double y) const {
    const double margin = FarAway * std::max(frame_.width(), frame_.height());
    const double fx = (x - state_.windowOrg.x()) * scaleX() + state_.viewportOrg.x();
    const double fy = (y - state_.windowOrg.y()) * scaleY() + state_.viewportOrg.y();
    return QPointF(clampTo(fx, frame_.left() - margin, frame_.right() + margin),
                   clampTo(fy, frame_.top() - margin, frame_.bottom() + margin));
}

QRectF WmfPlayer::rectToFrame(double left, double top, double right, double bottom) const {
    return QRectF(toFrame(left, top), toFrame(right, bottom)).normalized();
}
