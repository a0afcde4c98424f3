#include "platform/wmf/WmfDib.h"

#include <optional>
#include <vector>

namespace WmfDib {
namespace {

constexpr quint32 Rgb = 0;
constexpr quint32 Rle8 = 1;
constexpr quint32 Rle4 = 2;
constexpr quint32 BitFields = 3;

struct Header {
    qint64 width = 0;
    qint64 height = 0;
    int bitCount = 0;
    quint32 compression = Rgb;
    qsizetype colours = 0;    // entries in the colour table
    qsizetype colourSize = 4; // bytes per entry
    qsizetype tableOffset = 0;
    quint32 masks[3] = {0x7C00, 0x03E0, 0x001F};
};

std::optional<Header> readHeader(const WmfBytes& dib) {
    Header h;
    const quint32 size = dib.u32(0);
    if (size == 12) {
        h.width = dib.u16(4);
        h.height = dib.u16(6);
        h.bitCount = dib.u16(10);
        h.colourSize = 3;
        if (h.bitCount <= 8)
            h.colours = qsizetype(1) << h.bitCount;
        h.tableOffset = 12;
        return h;
    }
    if (size < 40 || !dib.has(0, size))
        return std::nullopt;
    h.width = dib.s32(4);
    h.height = dib.s32(8);
    h.bitCount = dib.u16(14);
    h.compression = dib.u32(16);
    const quint32 used = dib.u32(32);
    if (used > 65536)
        return std::nullopt;
    h.colours = used ? qsizetype(used) : (h.bitCount <= 8 ? qsizetype(1) << h.bitCount : 0);
    h.tableOffset = size;
    if (h.compression == BitFields) {
        // The three masks follow a short header and sit inside the longer ones.
        if (!dib.has(40, 12))
            return std::nullopt;
        for (int i = 0; i < 3; ++i)
            h.masks[i] = dib.u32(40 + 4 * i);
        if (size == 40)
            h.tableOffset += 12;
    } else if (h.bitCount == 32) {
        h.masks[0] = 0xFF0000;
        h.masks[1] = 0x00FF00;
        h.masks[2] = 0x0000FF;
    }
    return h;
}

// Scales a masked channel to 0..255.
int channel(quint32 value, quint32 mask) {
    if (!mask)
        return 0;
    int shift = 0;
    while (!(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    const quint32 v = (value >> shift) & mask;
    return int(v * 255 / mask);
}

// Run-length rows, bottom row first: runs of one index (or two alternating nibbles), literal
// stretches padded to a word, and escapes for the end of a row, the end of the bitmap and a jump.
// Pixels no run reaches keep the first colour.
void decodeRunLengths(const WmfBytes& data, bool nibbles, QImage& image, const std::vector<QRgb>& table) {
    const auto indexed = [&](int index) {
        return size_t(index) < table.size() ? table[size_t(index)] : qRgb(0, 0, 0);
    };
    image.fill(indexed(0));
    const qint64 width = image.width();
    const qint64 height = image.height();
    qint64 x = 0;
    qint64 row = 0; // from the bottom
    const auto put = [&](int index) {
        if (x < width && row < height)
            reinterpret_cast<QRgb*>(image.scanLine(int(height - 1 - row)))[x] = indexed(index);
        ++x;
    };
    qsizetype at = 0;
    while (data.has(at, 2) && row < height) {
        const int count = data.u8(at);
        const int value = data.u8(at + 1);
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count && x < width; ++i)
                put(nibbles ? (i % 2 ? value & 0x0F : value >> 4) : value);
        } else if (value == 0) {
            x = 0;
            ++row;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            x += data.u8(at);
            row += data.u8(at + 1);
            at += 2;
        } else {
            const qsizetype bytes = nibbles ? (value + 1) / 2 : value;
            if (!data.has(at, bytes))
                break;
            for (int i = 0; i < value; ++i) {
                const int byte = data.u8(at + (nibbles ? i / 2 : i));
                put(nibbles ? (i % 2 ? byte & 0x0F : byte >> 4) : byte);
            }
            at += bytes + (bytes & 1);
        }
    }
}

} // namespace

Decoded decode(const WmfBytes& dib) {
    Decoded out;
    const auto header = readHeader(dib);
    if (!header)
        return out;
    const Header& h = *header;
    const bool runs =
        (h.compression == Rle8 && h.bitCount == 8) || (h.compression == Rle4 && h.bitCount == 4);
    const bool bits = runs || h.compression == Rgb ||
                      (h.compression == BitFields && (h.bitCount == 16 || h.bitCount == 32));
    const bool depth = h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 16 ||
                       h.bitCount == 24 || h.bitCount == 32;
    const qint64 height = h.height < 0 ? -h.height : h.height;
    if (!bits || !depth || h.width <= 0 || height <= 0 || h.width > 32767 || height > 32767 ||
        h.width * height > MaxPixels)
        return out;

    std::vector<QRgb> table(size_t(h.colours));
    for (qsizetype i = 0; i < h.colours; ++i) {
        const qsizetype at = h.tableOffset + i * h.colourSize;
        if (!dib.has(at, h.colourSize))
            return out;
        table[size_t(i)] = qRgb(dib.u8(at + 2), dib.u8(at + 1), dib.u8(at));
    }
    const qsizetype bitsOffset = h.tableOffset + h.colours * h.colourSize;
    if (runs) {
        // Compressed rows always run upwards.
        if (h.height < 0)
            return out;
        QImage image(int(h.width), int(height), QImage::Format_RGB32);
        if (image.isNull())
            return out;
        decodeRunLengths(dib.from(bitsOffset), h.compression == Rle4, image, table);
        out.image = image;
        return out;
    }
    const qint64 stride = (h.width * h.bitCount + 31) / 32 * 4;
    if (!dib.has(bitsOffset, stride * height))
        return out;

    QImage image(int(h.width), int(height), QImage::Format_RGB32);
    if (image.isNull())
        return out;
    out.bottomUp = h.height > 0;
    const auto indexed = [&](int index) {
        return size_t(index) < table.size() ? table[size_t(index)] : qRgb(0, 0, 0);
    };
    for (qint64 row = 0; row < height; ++row) {
        const qsizetype line = bitsOffset + row * stride;
        auto* dest = reinterpret_cast<QRgb*>(image.scanLine(int(out.bottomUp ? height - 1 - row : row)));
        for (qint64 x = 0; x < h.width; ++x) {
            QRgb c = 0;
            switch (h.bitCount) {
            case 1:
                c = indexed((dib.u8(line + x / 8) >> (7 - x % 8)) & 1);
                break;
            case 4:
                c = indexed((dib.u8(line + x / 2) >> (x % 2 ? 0 : 4)) & 0x0F);
                break;
            case 8:
                c = indexed(dib.u8(line + x));
                break;
            case 16: {
                const quint32 v = dib.u16(line + 2 * x);
                c = qRgb(channel(v, h.masks[0]), channel(v, h.masks[1]), channel(v, h.masks[2]));
                break;
            }
            case 24:
                c = qRgb(dib.u8(line + 3 * x + 2), dib.u8(line + 3 * x + 1), dib.u8(line + 3 * x));
                break;
            default: {
                const quint32 v = dib.u32(line + 4 * x);
                c = qRgb(channel(v, h.masks[0]), channel(v, h.masks[1]), channel(v, h.masks[2]));
                break;
            }
            }
            dest[x] = c;
        }
    }
    out.image = image;
    return out;
}

} // namespace WmfDib
