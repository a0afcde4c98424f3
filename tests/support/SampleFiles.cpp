#include "SampleFiles.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

namespace SampleFiles {
namespace {

void put16(QByteArray& out, quint16 v) {
    out.append(char(v & 0xFF)).append(char(v >> 8));
}

void put32(QByteArray& out, quint32 v) {
    put16(out, quint16(v & 0xFFFF));
    put16(out, quint16(v >> 16));
}

QByteArray iconBitmap(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    QByteArray out;
    put32(out, 40);
    put32(out, quint32(image.width()));
    put32(out, quint32(image.height() * 2)); // colours and mask
    put16(out, 1);
    put16(out, 32);
    out.append(QByteArray(24, '\0'));
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            out.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append(char(qAlpha(c)));
        }
    }
    const int maskStride = (image.width() + 31) / 32 * 4;
    out.append(QByteArray(maskStride * image.height(), '\0'));
    return out;
}

} // namespace

QImage quarters(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    const int w = width / 2;
    const int h = height / 2;
    p.fillRect(0, 0, w, h, Qt::red);
    p.fillRect(w, 0, width - w, h, Qt::green);
    p.fillRect(0, h, w, height - h, Qt::blue);
    p.fillRect(w, h, width - w, height - h, Qt::yellow);
    return image;
}

QByteArray icon(const QList<QImage>& images, bool cursor, QPoint hotspot) {
    QByteArray head;
    put16(head, 0);
    put16(head, cursor ? 2 : 1);
    put16(head, quint16(images.size()));
    QByteArray body;
    const int dataStart = 6 + 16 * int(images.size());
    for (const QImage& image : images) {
        const QByteArray bitmap = iconBitmap(image);
        head.append(char(image.width() & 0xFF)).append(char(image.height() & 0xFF)).append('\0').append('\0');
        put16(head, quint16(cursor ? hotspot.x() : 1));
        put16(head, quint16(cursor ? hotspot.y() : 32));
        put32(head, quint32(bitmap.size()));
        put32(head, quint32(dataStart + body.size()));
        body += bitmap;
    }
    return head + body;
}

QByteArray gif(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    QByteArray out("GIF89a");
    put16(out, quint16(image.width()));
    put16(out, quint16(image.height()));
    out.append(char(0xF7)).append('\0').append('\0'); // global table of 256 colours
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < image.colorCount() ? image.color(i) : 0;
        out.append(char(qRed(c))).append(char(qGreen(c))).append(char(qBlue(c)));
    }
    out.append(',');
    put16(out, 0);
    put16(out, 0);
    put16(out, quint16(image.width()));
    put16(out, quint16(image.height()));
    out.append('\0');
    out.append(char(8)); // minimum code size
    // Every pixel is a 9-bit literal; a clear code before the table would widen the codes.
    QByteArray codes;
    quint32 bits = 0;
    int count = 0;
    const auto putCode = [&](int code) {
        bits |= quint32(code) << count;
        count += 9;
        while (count >= 8) {
            codes.append(char(bits & 0xFF));
            bits >>= 8;
            count -= 8;
        }
    };
    int sinceClear = 0;
    putCode(256);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (sinceClear == 254) {
                putCode(256);
                sinceClear = 0;
            }
            putCode(image.pixelIndex(x, y));
            ++sinceClear;
        }
    }
    putCode(257);
    if (count > 0)
        codes.append(char(bits & 0xFF));
    for (qsizetype at = 0; at < codes.size(); at += 255) {
        const QByteArray block = codes.mid(at, 255);
        out.append(char(block.size())).append(block);
    }
    out.append('\0').append(';');
    return out;
}

QByteArray written(const QImage& image, const char* format) {
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(95);
    writer.write(image);
    return out;
}

} // namespace SampleFiles
