#pragma once

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <QTest>

// A measure (millimetres, pixels) within a tolerance of what it should be.
#define QVERIFY_NEAR(got, want, tolerance)                                                                   \
    QVERIFY2(qAbs((got) - (want)) < (tolerance), qPrintable(QStringLiteral("%1, not %2").arg(got).arg(want)))

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

// The pixel nearest to a length in millimetres at the resolution.
inline int px(double mm, int dpi = 300) {
    return int(mm / 25.4 * dpi);
}
// Pixels darker than mid-grey along a column (vertical, at = x) or a row (at = y), from..to.
int darkAlong(const QImage& page, bool vertical, int at, int from, int to);
// The dark column (or row) nearest to `at` among at-2..at+2, or -1 when none is dark over at
// least a quarter of from..to (dash-dot lines leave gaps).
int lineNear(const QImage& page, bool vertical, int at, int from, int to);
// Whether a 300 dpi page has a line within one pixel of `at` mm, along from..to mm.
bool lineAt(const QImage& page, bool vertical, double at, double from, double to);

} // namespace pdftools
