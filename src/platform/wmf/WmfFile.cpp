#include "platform/wmf/WmfFile.h"

#include "platform/wmf/WmfRecordType.h"
#include "platform/wmf/WmfText.h"

namespace {

constexpr qsizetype PlaceableSize = 22;
constexpr qsizetype HeaderSize = 18;
constexpr qsizetype RecordHeaderSize = 6;

bool standardHeader(const WmfBytes& b, qsizetype at) {
    const quint16 type = b.u16(at);
    return b.has(at, HeaderSize) && (type == 1 || type == 2) && b.u16(at + 2) == 9;
}

} // namespace

bool WmfFile::looksLikeWmf(const QByteArray& head) {
    const WmfBytes b(head.constData(), head.size());
    return b.u32(0) == PlaceableKey || standardHeader(b, 0);
}

std::optional<WmfFile> WmfFile::parse(const QByteArray& data) {
    if (data.size() > MaxFileSize)
        return std::nullopt;
    const WmfBytes b(data.constData(), data.size());
    WmfFile file;
    file.data_ = data;
    qsizetype at = 0;
    if (b.u32(0) == PlaceableKey) {
        if (!b.has(0, PlaceableSize))
            return std::nullopt;
        quint16 sum = 0;
        for (int i = 0; i < 10; ++i)
            sum ^= b.u16(2 * i);
        if (sum != b.u16(20))
            return std::nullopt;
        const QPoint topLeft(b.s16(6), b.s16(8));
        const QPoint bottomRight(b.s16(10), b.s16(12));
        if (topLeft.x() == bottomRight.x() || topLeft.y() == bottomRight.y())
            return std::nullopt;
        file.placeable_ = true;
        file.bounds_ =
            QRect(QPoint(std::min(topLeft.x(), bottomRight.x()), std::min(topLeft.y(), bottomRight.y())),
                  QSize(std::abs(bottomRight.x() - topLeft.x()), std::abs(bottomRight.y() - topLeft.y())));
        // A missing inch size is taken as the most common one, twips.
        file.unitsPerInch_ = b.u16(14) ? b.u16(14) : 1440;
        at = PlaceableSize;
    }
    if (!standardHeader(b, at))
        return std::nullopt;
    file.objectCount_ = b.u16(at + 10);
    at += HeaderSize;

    for (;;) {
        if (!b.has(at, RecordHeaderSize) || qsizetype(file.records_.size()) >= MaxRecords)
            return std::nullopt;
        const qint64 bytes = qint64(b.u32(at)) * 2;
        const quint16 function = b.u16(at + 4);
        if (bytes < RecordHeaderSize || !b.has(at, bytes))
            return std::nullopt;
        if (function == WmfRecordType::Eof)
            break;
        file.records_.push_back({function, at + RecordHeaderSize, qsizetype(bytes) - RecordHeaderSize});
        at += bytes;
    }
    return file;
}

QStringList WmfFile::texts() const {
    QStringList out;
    for (const WmfRecord& record : records_) {
        if (const auto text = WmfText::read(record.function, params(record)))
            out.append(text->text);
    }
    return out;
}
