#include "SampleFiles.h"

#include <QBuffer>
#include <QPainter>
#include <QtEndian>

QByteArray WmfBuilder::words(std::initializer_list<qint16> values) {
    QByteArray out;
    for (qint16 v : values)
        out.append(char(v & 0xFF)).append(char(quint16(v) >> 8));
    return out;
}

QByteArray WmfBuilder::dwords(std::initializer_list<quint32> values) {
    QByteArray out;
    for (quint32 v : values)
        out += words({qint16(v & 0xFFFF), qint16(v >> 16)});
    return out;
}

WmfBuilder& WmfBuilder::record(quint16 function, const QByteArray& params) {
    const QByteArray p = params + QByteArray(params.size() % 2, '\0');
    const quint32 size = quint32(3 + p.size() / 2);
    records_ += dwords({size}) + words({qint16(function)}) + p;
    largest_ = std::max(largest_, size);
    objects_ += (function & 0xFFF8) == 0x02F8; // a pen, a font or a brush
    return *this;
}

WmfBuilder& WmfBuilder::pen(int style, int width, const QColor& c) {
    return record(0x02FA, words({qint16(style), qint16(width), 0}) + colour(c.rgb()));
}

WmfBuilder& WmfBuilder::brush(int style, const QColor& c) {
    return record(0x02FC, words({qint16(style)}) + colour(c.rgb()) + words({0}));
}

WmfBuilder& WmfBuilder::font(int height, int weight, const QByteArray& face, int escapement) {
    // Then italic .. pitch and family, and the face.
    return record(0x02FB, words({qint16(height), 0, qint16(escapement), qint16(escapement), qint16(weight)}) +
                              QByteArray(8, '\0') + face.left(31).leftJustified(32, '\0'));
}

WmfBuilder& WmfBuilder::textOut(int x, int y, const QByteArray& text) {
    const QByteArray p = words({qint16(text.size())}) + text + QByteArray(text.size() % 2, '\0');
    return record(0x0521, p + words({qint16(y), qint16(x)}));
}

WmfBuilder& WmfBuilder::stretchDib(const QByteArray& bitmap, QSize s, const QRect& d, bool blit) {
    const QByteArray usage = blit ? QByteArray() : words({0}); // colours from the table
    return record(blit ? 0x0B41 : 0x0F43,
                  dwords({0x00CC0020}) + usage +
                      words({qint16(s.height()), qint16(s.width()), 0, 0, qint16(d.height()),
                             qint16(d.width()), qint16(d.y()), qint16(d.x())}) +
                      bitmap);
}

QByteArray WmfBuilder::dib(int width, int height, int depth, const QList<QRgb>& table, const QByteArray& rows,
                           int compression) {
    QByteArray out =
        dwords({40, quint32(width), quint32(height), 1u | quint32(depth) << 16, quint32(compression),
                quint32(rows.size()), 2835, 2835, quint32(table.size()), 0});
    for (QRgb c : table)
        out += bgr(c);
    return out + rows;
}

QByteArray WmfBuilder::rows(const QImage& image) {
    QByteArray out;
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row;
        for (int x = 0; x < image.width(); ++x)
            row += bgr(image.pixel(x, y)).left(3);
        out += row + QByteArray(-row.size() & 3, '\0');
    }
    return out;
}

QByteArray WmfBuilder::plain() const {
    // In a file, nine header words, version 3, the size, the objects, the largest record.
    const QByteArray head = words({1, 9, 0x0300}) + dwords({quint32(12 + records_.size() / 2)}) +
                            words({qint16(objects_)}) + dwords({largest_}) + words({0});
    return head + records_ + dwords({3}) + words({0});
}

QByteArray WmfBuilder::placeable(const QRect& bounds, int unitsPerInch) const {
    const QByteArray head = dwords({0x9AC6CDD7}) +
                            words({0, qint16(bounds.left()), qint16(bounds.top()), qint16(bounds.right() + 1),
                                   qint16(bounds.bottom() + 1), qint16(unitsPerInch), 0, 0});
    quint16 sum = 0;
    for (int i = 0; i < 10; ++i)
        sum ^= qFromLittleEndian<quint16>(head.constData() + 2 * i);
    return head + words({qint16(sum)}) + plain();
}

namespace SampleFiles {

QImage quarters(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    const int w = width / 2, h = height / 2;
    p.fillRect(0, 0, w, h, Qt::red);
    p.fillRect(w, 0, width - w, h, Qt::green);
    p.fillRect(0, h, w, height - h, Qt::blue);
    p.fillRect(w, h, width - w, height - h, Qt::yellow);
    return image;
}

Samples quarterSamples(QSize s) {
    const int l = s.width() / 8, r = s.width() - 1 - l, t = s.height() / 8, b = s.height() - 1 - t;
    return {{l, t, Qt::red}, {r, t, Qt::green}, {l, b, Qt::blue}, {r, b, Qt::yellow}};
}

QByteArray icon(const QList<QImage>& images, bool cursor, QPoint hotspot) {
    QByteArray head = WmfBuilder::words({0, qint16(cursor ? 2 : 1), qint16(images.size())});
    QByteArray body;
    for (const QImage& i : images) {
        // Colours then an all-clear mask, hence the doubled height.
        const QByteArray mask((i.width() + 31) / 32 * 4 * i.height(), '\0');
        const QByteArray bitmap =
            WmfBuilder::dib(i.width(), i.height() * 2, 24, {}, WmfBuilder::rows(i) + mask);
        head += WmfBuilder::words({qint16((i.width() & 0xFF) | (i.height() & 0xFF) << 8), 0,
                                   qint16(cursor ? hotspot.x() : 1), qint16(cursor ? hotspot.y() : 24)});
        head += WmfBuilder::dwords({quint32(bitmap.size()), quint32(6 + 16 * images.size() + body.size())});
        body += bitmap;
    }
    return head + body;
}

QByteArray gif(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    const qint16 w = qint16(image.width()), h = qint16(image.height());
    QByteArray out = "GIF89a" + WmfBuilder::words({w, h}) + QByteArray("\xF7\0\0", 3); // 256 colours
    for (int i = 0; i < 256; ++i)
        out += WmfBuilder::colour(i < image.colorCount() ? image.color(i) : 0).left(3);
    out += ',' + WmfBuilder::words({0, 0, w, h}) + QByteArray("\0\x08", 2); // minimum code size 8
    // Every pixel is a 9-bit literal after a clear code, so that the table never grows.
    QByteArray codes;
    quint32 bits = 0;
    int count = 0;
    const auto putCode = [&](int code) {
        bits |= quint32(code) << count;
        for (count += 9; count >= 8; count -= 8, bits >>= 8)
            codes.append(char(bits & 0xFF));
    };
    for (int i = 0; i < w * h; ++i)
        putCode(256), putCode(image.pixelIndex(i % w, i / w));
    putCode(257);
    if (count > 0)
        codes.append(char(bits & 0xFF));
    for (qsizetype at = 0; at < codes.size(); at += 255)
        out += char(codes.mid(at, 255).size()) + codes.mid(at, 255);
    return out + QByteArray("\0;", 2);
}

QByteArray written(const QImage& image, const char* format) {
    QByteArray out;
    QBuffer buffer(&out);
    image.save(&buffer, format, 95);
    return out;
}

Samples samples(const QString& names) {
    Samples out;
    QColor colour;
    for (const QString& word : names.split(' ', Qt::SkipEmptyParts)) {
        const QStringList xy = word.split(',');
        if (xy.size() == 2)
            out.append({xy[0].toInt(), xy[1].toInt(), colour});
        else
            colour = word == u"green" ? QColor(Qt::green) : QColor::fromString(word); // Qt's, not SVG's
    }
    return out;
}

QString mismatch(const QImage& image, const Samples& samples, int tolerance) {
    if (image.isNull())
        return QStringLiteral("nothing drawn");
    for (const auto& [x, y, colour] : samples) {
        const QColor seen = image.pixelColor(x, y);
        if (std::max({std::abs(seen.red() - colour.red()), std::abs(seen.green() - colour.green()),
                      std::abs(seen.blue() - colour.blue()), std::abs(seen.alpha() - colour.alpha())}) >
            tolerance)
            return QString::asprintf("at %d,%d: %s instead of %s", x, y,
                                     qPrintable(seen.name(QColor::HexArgb)),
                                     qPrintable(colour.name(QColor::HexArgb)));
    }
    return {};
}

} // namespace SampleFiles
