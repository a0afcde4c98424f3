#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QMetaType>
#include <QRect>
#include <initializer_list>

// Writes Windows metafiles byte by byte, for tests: records are added in order, then the
// file is closed with its headers and end record.
class WmfBuilder {
public:
    WmfBuilder& record(quint16 function, std::initializer_list<qint16> values) {
        return record(function, words(values));
    }
    WmfBuilder& record(quint16 function, const QByteArray& params);

    WmfBuilder& windowOrg(qint16 x, qint16 y) { return record(0x020B, {y, x}); }
    WmfBuilder& windowExt(qint16 width, qint16 height) { return record(0x020C, {height, width}); }
    WmfBuilder& pen(int style, int width, const QColor& c);
    WmfBuilder& brush(int style, const QColor& c);
    WmfBuilder& font(int height, int weight, const QByteArray& face, int escapement = 0);
    WmfBuilder& select(qint16 index) { return record(0x012D, {index}); }
    WmfBuilder& textColour(const QColor& c) { return record(0x0209, colour(c.rgb())); }
    WmfBuilder& backgroundMode(qint16 mode) { return record(0x0102, {mode}); }
    WmfBuilder& rectangle(qint16 l, qint16 t, qint16 r, qint16 b) { return record(0x041B, {b, r, t, l}); }
    WmfBuilder& ellipse(qint16 l, qint16 t, qint16 r, qint16 b) { return record(0x0418, {b, r, t, l}); }
    WmfBuilder& textOut(int x, int y, const QByteArray& text);
    WmfBuilder& extTextOut(int x, int y, const QByteArray& text) {
        return record(0x0A32, words({qint16(y), qint16(x), qint16(text.size()), 0}) + text);
    }
    // A bitmap of that size stretched to the destination: StretchDIB, or DIBStretchBlt if blit.
    WmfBuilder& stretchDib(const QByteArray& dib, QSize size, const QRect& dest, bool blit = false);
    WmfBuilder& stretchDib(const QImage& image, const QRect& dest, bool blit = false) {
        return stretchDib(dib(image), image.size(), dest, blit);
    }

    // A placeable file framed by bounds, with unitsPerInch units to the inch.
    QByteArray placeable(const QRect& bounds, int unitsPerInch) const;
    // A file with the standard header only.
    QByteArray plain() const;

    // An info header (height negative for top-down rows), the colour table and the rows as given.
    static QByteArray dib(int width, int height, int depth, const QList<QRgb>& table, const QByteArray& rows,
                          int compression = 0);
    static QByteArray dib(const QImage& i) { return dib(i.width(), i.height(), 24, {}, rows(i)); }
    // The image's rows, bottom-up, at 24 bits a pixel, each padded to four bytes.
    static QByteArray rows(const QImage& image);
    static QByteArray colour(QRgb c) { return words({qint16(qRed(c) | qGreen(c) << 8), qint16(qBlue(c))}); }
    static QByteArray bgr(QRgb c) { return words({qint16(qBlue(c) | qGreen(c) << 8), qint16(qRed(c))}); }
    static QByteArray words(std::initializer_list<qint16> values);
    static QByteArray dwords(std::initializer_list<quint32> values);

private:
    QByteArray records_;
    quint32 largest_ = 3;
    int objects_ = 0; // objects created, for the header
};

// Expected colours at a few points of a drawn picture.
struct Sample {
    int x, y;
    QColor colour;
};
using Samples = QList<Sample>;
Q_DECLARE_METATYPE(Samples)

// Picture files of the kinds a logo may be, written from code for the tests.
namespace SampleFiles {

// An image of four coloured quarters: red, green / blue, yellow.
QImage quarters(int width, int height);
// A point inside each quarter of an image of that size, with the quarter's colour.
Samples quarterSamples(QSize size);
// An icon (or a cursor, with its hotspot) holding the images as 24-bit bitmaps with their masks.
QByteArray icon(const QList<QImage>& images, bool cursor = false, QPoint hotspot = QPoint());
// A GIF in 256 colours, its pixels stored without real compression.
QByteArray gif(const QImage& image);
// Through Qt's own writers: "bmp", "png", "jpeg".
QByteArray written(const QImage& image, const char* format);
// Samples written as colour names (as Qt::GlobalColor names them), each followed by its points:
// "red 50,50 white 5,5 95,95".
Samples samples(const QString& names);
// The first sample the image misses by more than tolerance in any channel, described; empty if none.
QString mismatch(const QImage& image, const Samples& samples, int tolerance = 0);

} // namespace SampleFiles
