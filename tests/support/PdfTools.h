#pragma once

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>

// Looks at a PDF through the poppler tools, as a person would look at the printed page.
namespace pdftools {

// Page 1 rendered at the given resolution in grey levels; a null image when it fails.
QImage rasterise(const QString& pdfPath, int dpi = 300);
// Number of pages, from pdfinfo; -1 when it fails.
int pageCount(const QString& pdfPath);

struct Word {
    QString text;
    QRectF mm; // its box on the page, in millimetres from the top-left corner
};
// The words of page 1 with their boxes (pdftotext -bbox).
QList<Word> words(const QString& pdfPath);

// Pixels darker than mid-grey along a column (x fixed) or a row (y fixed), between two limits.
int darkInColumn(const QImage& page, int x, int fromY, int toY);
int darkInRow(const QImage& page, int y, int fromX, int toX);
// The pixel nearest to a length in millimetres at the resolution.
inline int px(double mm, int dpi = 300) {
    return int(mm / 25.4 * dpi);
}
// The dark column nearest to x among x-2..x+2 along the given span, or -1 when none is
// dark over at least a quarter of it (dash-dot lines leave gaps).
int lineColumnNear(const QImage& page, int x, int fromY, int toY);
int lineRowNear(const QImage& page, int y, int fromX, int toX);

} // namespace pdftools
