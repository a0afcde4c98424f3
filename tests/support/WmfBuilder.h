#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>
#include <initializer_list>

// Writes Windows metafiles byte by byte, for tests: records are added in order, then the
// file is closed with its headers and end record.
class WmfBuilder {
public:
    WmfBuilder& record(quint16 function, std::initializer_list<qint16> words);
    WmfBuilder& record(quint16 function, const QByteArray& params);

    WmfBuilder& windowOrg(int x, int y);
    WmfBuilder& windowExt(int width, int height);
    WmfBuilder& mapMode(int mode);
    WmfBuilder& pen(int style, int width, const QColor& colour);
    WmfBuilder& brush(int style, const QColor& colour, int hatch = 0);
    WmfBuilder& font(int height, int weight, const QByteArray& face, int escapement = 0);
    WmfBuilder& select(int index);
    WmfBuilder& remove(int index);
    WmfBuilder& textColour(const QColor& colour);
    WmfBuilder& backgroundMode(int mode);
    WmfBuilder& textAlign(int align);
    WmfBuilder& rectangle(int left, int top, int right, int bottom);
    WmfBuilder& ellipse(int left, int top, int right, int bottom);
    WmfBuilder& polygon(const QPolygon& points);
    WmfBuilder& textOut(int x, int y, const QByteArray& text);
    WmfBuilder& extTextOut(int x, int y, const QByteArray& text);
    // The image as a bottom-up 24-bit DIB, stretched to the destination rectangle.
    WmfBuilder& stretchDib(const QImage& image, const QRect& dest);
    // A bitmap given as bytes, its source being the whole size.
    WmfBuilder& stretchDib(const QByteArray& dib, const QSize& size, const QRect& dest);
    WmfBuilder& dibStretchBlt(const QImage& image, const QRect& dest);

    // A placeable file framed by bounds, with unitsPerInch units to the inch.
    QByteArray placeable(const QRect& bounds, int unitsPerInch) const;
    // A file with the standard header only.
    QByteArray plain() const;

    static QByteArray dib24(const QImage& image);
    // An info header (height negative for top-down rows), the colour table and the rows as given.
    static QByteArray dib(int width, int height, int depth, const QList<QRgb>& table, const QByteArray& rows,
                          int compression = 0);
    static QByteArray colour(const QColor& c);
    static QByteArray words(std::initializer_list<qint16> values);

    int objects = 0; // objects created, for the header

private:
    QByteArray records_;
    quint32 largest_ = 3;
};
