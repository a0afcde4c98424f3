#pragma once

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <QTest>

// A measure within a tolerance of what it should be.
#define QVERIFY_NEAR(got, want, tolerance)                                                                   \
    QVERIFY2(qAbs((got) - (want)) < (tolerance), qPrintable(QStringLiteral("%1, not %2").arg(got).arg(want)))

// Page 1 of a PDF through the poppler tools, as a person would look at the printed page.
namespace pdftools {
QImage rasterise(const QString& pdfPath); // 300 dpi, grey levels; null when it fails
int pageCount(const QString& pdfPath);    // -1 when it fails
struct Word {
    QString text;
    QRectF mm; // from the page's top-left corner
};
QList<Word> words(const QString& pdfPath);
// Whether a line, dark over a quarter of from..to at least, lies within one pixel of `at` (all in mm).
bool lineAt(const QImage& page, bool vertical, double at, double from, double to);
} // namespace pdftools
