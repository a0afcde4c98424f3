#include "platform/RasterCompleteness.h"

#include "platform/wmf/WmfBytes.h"

#include <QByteArrayView>

namespace {

quint32 bigEndian32(const WmfBytes& b, qsizetype at) {
    return quint32(b.u8(at)) << 24 | quint32(b.u8(at + 1)) << 16 | quint32(b.u8(at + 2)) << 8 | b.u8(at + 3);
}

// Chunks follow the signature until the end chunk, each whole.
bool pngComplete(const WmfBytes& b) {
    qsizetype at = 8;
    while (b.has(at, 12)) {
        const qint64 length = bigEndian32(b, at);
        if (!b.has(at, 12 + length))
            return false;
        if (b.bytes(at + 4, 4) == "IEND")
            return true;
        at += 12 + length;
    }
    return false;
}

// The end-of-image marker comes after the first scan.
bool jpegComplete(const QByteArray& data) {
    const qsizetype scan = data.indexOf(QByteArrayView("\xFF\xDA", 2));
    return scan >= 0 && data.lastIndexOf(QByteArrayView("\xFF\xD9", 2)) > scan;
}

// Skips a chain of sub-blocks; false when it runs past the end.
bool skipSubBlocks(const WmfBytes& b, qsizetype& at) {
    for (;;) {
        if (!b.has(at, 1))
            return false;
        const int length = b.u8(at++);
        if (length == 0)
            return true;
        at += length;
    }
}

// Blocks follow the screen descriptor up to the trailer, with at least one image among them.
bool gifComplete(const WmfBytes& b) {
    if (!b.has(0, 13))
        return false;
    qsizetype at = 13;
    if (b.u8(10) & 0x80)
        at += 3 * (qsizetype(2) << (b.u8(10) & 7));
    int images = 0;
    for (;;) {
        if (!b.has(at, 1))
            return false;
        switch (b.u8(at)) {
        case ';':
            return images > 0;
        case '!':
            at += 2;
            if (!skipSubBlocks(b, at))
                return false;
            break;
        case ',': {
            if (!b.has(at, 10))
                return false;
            const quint8 flags = b.u8(at + 9);
            at += 10;
            if (flags & 0x80)
                at += 3 * (qsizetype(2) << (flags & 7));
            at += 1; // minimum code size
            if (!skipSubBlocks(b, at))
                return false;
            ++images;
            break;
        }
        default:
            return false;
        }
    }
}

// The rows the header announces are all in the file.
bool bmpComplete(const WmfBytes& b) {
    if (!b.has(0, 26))
        return false;
    const qint64 offset = b.u32(10);
    const bool core = b.u32(14) == 12;
    const qint64 width = core ? b.u16(18) : b.s32(18);
    const qint64 height = core ? b.u16(20) : b.s32(22);
    const qint64 depth = core ? b.u16(24) : b.u16(28);
    const quint32 compression = core ? 0 : b.u32(30);
    // Beyond these no plugin decodes the picture anyway; the bounds keep the sums below exact.
    constexpr qint64 Limit = 1 << 20;
    if (!b.has(offset, 0) || width <= 0 || width > Limit || height > Limit || height < -Limit || depth > 64)
        return false;
    if (compression == 0 || compression == 3) {
        const qint64 stride = (width * depth + 31) / 32 * 4;
        return b.has(offset, stride * (height < 0 ? -height : height));
    }
    return b.has(offset, b.u32(34));
}

// Every image the directory lists lies inside the file.
bool iconComplete(const WmfBytes& b) {
    const int count = b.u16(4);
    if (count == 0 || !b.has(6, 16 * qsizetype(count)))
        return false;
    for (int i = 0; i < count; ++i) {
        const qsizetype entry = 6 + 16 * qsizetype(i);
        if (!b.has(b.u32(entry + 12), b.u32(entry + 8)))
            return false;
    }
    return true;
}

} // namespace

bool rasterComplete(const QByteArray& format, const QByteArray& data) {
    const WmfBytes b(data.constData(), data.size());
    if (format == "png")
        return pngComplete(b);
    if (format == "jpeg" || format == "jpg")
        return jpegComplete(data);
    if (format == "gif")
        return gifComplete(b);
    if (format == "bmp" || format == "dib")
        return bmpComplete(b);
    if (format == "ico" || format == "cur")
        return iconComplete(b);
    return false;
}
