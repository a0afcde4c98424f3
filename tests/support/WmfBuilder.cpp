#include "WmfBuilder.h"

#include <QtEndian>

namespace {

void put16(QByteArray& out, quint16 v) {
    out.append(char(v & 0xFF)).append(char(v >> 8));
}

void put32(QByteArray& out, quint32 v) {
    put16(out, quint16(v & 0xFFFF));
    put16(out, quint16(v >> 16));
}

} // namespace

QByteArray WmfBuilder::words(std::initializer_list<qint16> values) {
    QByteArray out;
    for (qint16 v : values)
        put16(out, quint16(v));
    return out;
}

QByteArray WmfBuilder::colour(const QColor& c) {
    QByteArray out;
    out.append(char(c.red())).append(char(c.green())).append(char(c.blue())).append('\0');
    return out;
}

WmfBuilder& WmfBuilder::record(quint16 function, std::initializer_list<qint16> values) {
    return record(function, words(values));
}

WmfBuilder& WmfBuilder::record(quint16 function, const QByteArray& params) {
    QByteArray p = params;
    if (p.size() % 2)
        p.append('\0');
    const quint32 size = quint32(3 + p.size() / 2);
    put32(records_, size);
    put16(records_, function);
    records_.append(p);
    largest_ = std::max(largest_, size);
    return *this;
}

WmfBuilder& WmfBuilder::windowOrg(int x, int y) {
    return record(0x020B, {qint16(y), qint16(x)});
}

WmfBuilder& WmfBuilder::windowExt(int width, int height) {
    return record(0x020C, {qint16(height), qint16(width)});
}

WmfBuilder& WmfBuilder::mapMode(int mode) {
    return record(0x0103, {qint16(mode)});
}

WmfBuilder& WmfBuilder::pen(int style, int width, const QColor& c) {
    ++objects;
    return record(0x02FA, words({qint16(style), qint16(width), 0}) + colour(c));
}

WmfBuilder& WmfBuilder::brush(int style, const QColor& c, int hatch) {
    ++objects;
    return record(0x02FC, words({qint16(style)}) + colour(c) + words({qint16(hatch)}));
}

WmfBuilder& WmfBuilder::font(int height, int weight, const QByteArray& face, int escapement) {
    ++objects;
    QByteArray p = words({qint16(height), 0, qint16(escapement), qint16(escapement), qint16(weight)});
    p.append(QByteArray(8, '\0')); // italic .. pitch and family
    p.append(face.left(31));
    p.append(QByteArray(32 - std::min<qsizetype>(face.size(), 31), '\0'));
    return record(0x02FB, p);
}

WmfBuilder& WmfBuilder::select(int index) {
    return record(0x012D, {qint16(index)});
}

WmfBuilder& WmfBuilder::remove(int index) {
    return record(0x01F0, {qint16(index)});
}

WmfBuilder& WmfBuilder::textColour(const QColor& c) {
    return record(0x0209, colour(c));
}

WmfBuilder& WmfBuilder::backgroundMode(int mode) {
    return record(0x0102, {qint16(mode)});
}

WmfBuilder& WmfBuilder::textAlign(int align) {
    return record(0x012E, {qint16(align)});
}

WmfBuilder& WmfBuilder::rectangle(int left, int top, int right, int bottom) {
    return record(0x041B, {qint16(bottom), qint16(right), qint16(top), qint16(left)});
}

WmfBuilder& WmfBuilder::ellipse(int left, int top, int right, int bottom) {
    return record(0x0418, {qint16(bottom), qint16(right), qint16(top), qint16(left)});
}

WmfBuilder& WmfBuilder::polygon(const QPolygon& points) {
    QByteArray p = words({qint16(points.size())});
    for (const QPoint& pt : points)
        p += words({qint16(pt.x()), qint16(pt.y())});
    return record(0x0324, p);
}

WmfBuilder& WmfBuilder::textOut(int x, int y, const QByteArray& text) {
    QByteArray p = words({qint16(text.size())}) + text;
    if (p.size() % 2)
        p.append('\0');
    return record(0x0521, p + words({qint16(y), qint16(x)}));
}

WmfBuilder& WmfBuilder::extTextOut(int x, int y, const QByteArray& text) {
    return record(0x0A32, words({qint16(y), qint16(x), qint16(text.size()), 0}) + text);
}

WmfBuilder& WmfBuilder::stretchDib(const QImage& image, const QRect& d) {
    return stretchDib(dib24(image), image.size(), d);
}

WmfBuilder& WmfBuilder::stretchDib(const QByteArray& bitmap, const QSize& size, const QRect& d) {
    QByteArray p;
    put32(p, 0x00CC0020);
    p += words({0, qint16(size.height()), qint16(size.width()), 0, 0, qint16(d.height()), qint16(d.width()),
                qint16(d.y()), qint16(d.x())});
    return record(0x0F43, p + bitmap);
}

QByteArray WmfBuilder::dib(int width, int height, int depth, const QList<QRgb>& table, const QByteArray& rows,
                           int compression) {
    QByteArray out;
    put32(out, 40);
    put32(out, quint32(width));
    put32(out, quint32(height));
    put16(out, 1);
    put16(out, quint16(depth));
    put32(out, quint32(compression));
    put32(out, quint32(rows.size()));
    put32(out, 2835);
    put32(out, 2835);
    put32(out, quint32(table.size()));
    put32(out, 0);
    for (QRgb c : table)
        out.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append('\0');
    return out + rows;
}

WmfBuilder& WmfBuilder::dibStretchBlt(const QImage& image, const QRect& d) {
    const qint16 w = qint16(image.width());
    const qint16 h = qint16(image.height());
    QByteArray p;
    put32(p, 0x00CC0020);
    p += words({h, w, 0, 0, qint16(d.height()), qint16(d.width()), qint16(d.y()), qint16(d.x())});
    return record(0x0B41, p + dib24(image));
}

QByteArray WmfBuilder::dib24(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int stride = (image.width() * 3 + 3) / 4 * 4;
    QByteArray out;
    put32(out, 40);
    put32(out, quint32(image.width()));
    put32(out, quint32(image.height()));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);
    put32(out, quint32(stride * image.height()));
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            row.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c)));
        }
        row.append(QByteArray(stride - row.size(), '\0'));
        out += row;
    }
    return out;
}

QByteArray WmfBuilder::plain() const {
    QByteArray eof;
    put32(eof, 3);
    put16(eof, 0);
    QByteArray out;
    put16(out, 1);      // in a file
    put16(out, 9);      // header words
    put16(out, 0x0300); // version
    put32(out, quint32((18 + records_.size() + eof.size()) / 2));
    put16(out, quint16(objects));
    put32(out, largest_);
    put16(out, 0);
    return out + records_ + eof;
}

QByteArray WmfBuilder::placeable(const QRect& bounds, int unitsPerInch) const {
    QByteArray head;
    put32(head, 0x9AC6CDD7);
    put16(head, 0);
    put16(head, quint16(bounds.left()));
    put16(head, quint16(bounds.top()));
    put16(head, quint16(bounds.left() + bounds.width()));
    put16(head, quint16(bounds.top() + bounds.height()));
    put16(head, quint16(unitsPerInch));
    put32(head, 0);
    quint16 sum = 0;
    for (int i = 0; i < 10; ++i)
        sum ^= qFromLittleEndian<quint16>(head.constData() + 2 * i);
    put16(head, sum);
    return head + plain();
}
