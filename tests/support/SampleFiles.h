#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPoint>

// Picture files of the kinds a logo may be, written from code for the tests.
namespace SampleFiles {

// An image of four coloured quarters: red, green / blue, yellow.
QImage quarters(int width, int height);

// An icon (or a cursor, with its hotspot) holding the images as 32-bit bitmaps with their masks.
QByteArray icon(const QList<QImage>& images, bool cursor = false, QPoint hotspot = QPoint());
// A GIF in 256 colours, its pixels stored without real compression.
QByteArray gif(const QImage& image);
// Through Qt's own writers: "bmp", "png", "jpeg".
QByteArray written(const QImage& image, const char* format);

} // namespace SampleFiles
