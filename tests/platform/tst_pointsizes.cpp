// Every point size reaches the page as the card gives it, measured on the PDF itself: the
// width of a long run of digits (no kerning between them) against the font's own advances.
#include "platform/QPrinterSurface.h"

#include <QPrinter>
#include <QProcess>
#include <QRawFont>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString Digits = QStringLiteral("01234567890123456789012345");
const QString Family = QStringLiteral("Liberation Sans");
const QList<float> Sizes{6, 7, 7.5f, 8, 8.25f, 10, 10.5f, 12, 24};

// The run's width for one point, from the font file's advances in its own units.
double widthPerPoint() {
    QFont f(Family);
    f.setHintingPreference(QFont::PreferNoHinting);
    QRawFont raw = QRawFont::fromFont(f);
    raw.setPixelSize(raw.unitsPerEm());
    const QList<quint32> glyphs = raw.glyphIndexesForString(Digits);
    double units = 0;
    for (const QPointF& a : raw.advancesForGlyphIndexes(glyphs))
        units += a.x();
    return units / raw.unitsPerEm();
}

// The width of every word of the page, in points, top to bottom.
QList<double> wordWidths(const QString& pdf) {
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {"-bbox", pdf, "-"});
    if (!text.waitForFinished(60000))
        return {};
    static const QRegularExpression word(
        QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="[\d.]+" xMax="([\d.]+)")re"));
    QList<double> out;
    auto it = word.globalMatch(QString::fromUtf8(text.readAllStandardOutput()));
    while (it.hasNext()) {
        const auto m = it.next();
        out << m.captured(2).toDouble() - m.captured(1).toDouble();
    }
    return out;
}

void drawSizes(PrinterSurface& s) {
    s.setScaleMode(6);
    s.setTransparentText(true);
    s.setFontName(Family);
    double y = 10;
    for (const float size : Sizes) {
        s.setFontSize(size);
        s.setCurrentX(10);
        s.setCurrentY(y);
        s.print(Digits);
        y += 15;
    }
    s.endDoc();
}

} // namespace

class PointSizesTest : public QObject {
    Q_OBJECT
private slots:
    // The PDF file, and the printer device that the print preview paints on, at its own resolution.
    void exactSizes_data() {
        QTest::addColumn<bool>("device");
        QTest::addColumn<int>("resolution");
        QTest::newRow("PDF file") << false << 0;
        QTest::newRow("printer device, 1200 dpi") << true << 1200;
        QTest::newRow("printer device, 300 dpi") << true << 300;
        QTest::newRow("printer device, 96 dpi") << true << 96;
    }
    void exactSizes() {
        QFETCH(bool, device);
        QFETCH(int, resolution);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("tailles.pdf"));
        if (device) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setResolution(resolution);
            drawSizes(*QPrinterSurface::device(printer));
        } else {
            drawSizes(*QPrinterSurface::pdfFile(pdf));
        }
        const QList<double> widths = wordWidths(pdf);
        QCOMPARE(widths.size(), Sizes.size());
        const double perPoint = widthPerPoint();
        for (int i = 0; i < Sizes.size(); ++i) {
            const double measured = widths[i] / perPoint;
            QVERIFY2(
                qAbs(measured - Sizes[i]) <= 0.01,
                qPrintable(QStringLiteral("%1 pt prints at %2 pt").arg(Sizes[i]).arg(measured, 0, 'f', 4)));
        }
    }
};

QTEST_MAIN(PointSizesTest)
#include "tst_pointsizes.moc"
