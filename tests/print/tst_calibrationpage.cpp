#include "print/CalibrationPage.h"
#include "setup/ParameterFile.h"

#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The calibration page as the printer gets it: written by kalimo --calibration-pdf,
// rasterised at 600 dpi, measured. The rulers must be true to 0.1 mm, the cell corners
// where the layout puts them; each shipped preset is measured against the maker's or
// computed measures it claims.
namespace {

constexpr double Dpi = 600;
double px(double mm) {
    return mm / 25.4 * Dpi;
}
double mm(double px) {
    return px * 25.4 / Dpi;
}

QByteArray run(const QString& program, const QStringList& arguments, int* exitCode = nullptr) {
    QProcess p;
    p.start(program, arguments);
    const bool done = p.waitForFinished(60000);
    if (exitCode)
        *exitCode = done ? p.exitCode() : -1;
    return p.readAllStandardOutput() + p.readAllStandardError();
}

// Ink within two pixels (0.08 mm) of the point.
bool dark(const QImage& page, double xmm, double ymm) {
    const int x = int(px(xmm)), y = int(px(ymm));
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (page.valid(x + dx, y + dy) && qGray(page.pixel(x + dx, y + dy)) < 128)
                return true;
    return false;
}

// Centres (mm) of the dark runs along a row (horizontal) or a column, from..to in mm.
QList<double> runs(const QImage& page, bool alongRow, double at, double from, double to) {
    QList<double> out;
    const int fixed = int(px(at));
    int start = -1;
    for (int i = int(px(from)); i <= int(px(to)) + 1; ++i) {
        const int x = alongRow ? i : fixed, y = alongRow ? fixed : i;
        const bool d = page.valid(x, y) && qGray(page.pixel(x, y)) < 128 && i <= int(px(to));
        if (d && start < 0)
            start = i;
        if (!d && start >= 0) {
            out << mm((start + i) / 2.0); // pixel i-1 is the last dark one: centre of [start, i)
            start = -1;
        }
    }
    return out;
}

double nearest(const QList<double>& values, double target) {
    double best = 1e9;
    for (double v : values)
        if (qAbs(v - target) < qAbs(best - target))
            best = v;
    return best;
}

} // namespace

class TestCalibrationPage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QImageReader::setAllocationLimit(1024); } // a page at 600 dpi

    void page_data() {
        QTest::addColumn<QString>("preset"); // a shipped file, or the six measures of a file written here
        QTest::addColumn<QList<double>>("measures"); // left, top, column gap, row gap, width, height
        // Computed, not a maker's template: ten 85 x 54 cards centred on A4, no gap.
        QTest::newRow("shipped CENTREE-10-85x54.PAR")
            << "CENTREE-10-85x54.PAR" << QList<double>{20, 13.5, 0, 0, 85, 54};
        QTest::newRow("gaps between the cards")
            << "15,10.5,5,3,85,54" << QList<double>{15, 10.5, 5, 3, 85, 54};
        QTest::newRow("six numbers, no flags")
            << "12.5,8.25,2,1.5,80,50" << QList<double>{12.5, 8.25, 2, 1.5, 80, 50};
    }

    void page() {
        QFETCH(QString, preset);
        QFETCH(QList<double>, measures);
        QTemporaryDir dir;
        QString par = QStringLiteral(KALIMO_SOURCE_DIR "/resources/presets/") + preset;
        if (!preset.endsWith(QLatin1String(".PAR"))) {
            par = dir.filePath(QStringLiteral("MESURES.PAR"));
            QFile f(par);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(preset.toLatin1() + "\r\n");
        }
        // The file holds the measures it claims.
        PrintLayout layout;
        int stoppedAt = 0;
        // Whole, or the six measures without the flags.
        QVERIFY(parameterfile::read(par, layout, &stoppedAt) || stoppedAt >= 7);
        QCOMPARE((QList<double>{layout.leftMargin, layout.topMargin, layout.horizontalSeparator,
                                layout.verticalSeparator, layout.cardWidth, layout.cardHeight}),
                 measures);

        const QString pdf = dir.filePath(QStringLiteral("calibration.pdf"));
        int exitCode = -1;
        const QByteArray said =
            run(QStringLiteral(KALIMO_EXECUTABLE), {"--calibration-pdf", pdf, "--par", par}, &exitCode);
        QVERIFY2(exitCode == 0, said.constData());
        // One page, the exact A4 box.
        const QString info = QString::fromLatin1(run("pdfinfo", {pdf}));
        QVERIFY2(info.contains(QRegularExpression("Pages: +1\n")), qPrintable(info));
        QVERIFY2(info.contains(QRegularExpression("Page size: +595.27\\d* x 841.8\\d* pts")),
                 qPrintable(info));
        run("pdftoppm", {"-r", "600", "-gray", "-png", "-singlefile", pdf, dir.filePath("page")});
        const QImage page(dir.filePath("page.png"));
        QCOMPARE(page.size(), QSize(4961, 7016));

        // Every millimetre tick of both rulers within 0.1 mm of its place; long ticks every
        // 5 and 10 mm only.
        using namespace calibration;
        const QList<double> across = runs(page, true, RulerY + 1.25, 0, 210); // between two ticks down
        for (int k = 1; k < 210; ++k)
            QVERIFY2(qAbs(nearest(across, k) - k) < 0.1,
                     qPrintable(QStringLiteral("%1: %2").arg(k).arg(nearest(across, k))));
        const QList<double> down = runs(page, false, RulerX + 1.5, 0, 297); // between two ticks across
        for (int k = 1; k < 297; ++k)
            QVERIFY2(qAbs(nearest(down, k) - k) < 0.1,
                     qPrintable(QStringLiteral("%1: %2").arg(k).arg(nearest(down, k))));
        for (int k = 1; k < 210; ++k) {
            if (k == int(RulerX)) // the other ruler's line
                continue;
            QCOMPARE(dark(page, k, RulerY + 3.25), k % 5 == 0);
            QCOMPARE(dark(page, k, RulerY + 4.25), k % 10 == 0);
        }

        // The four corners of each cell, arms 4 mm long, nothing between them.
        const double l = measures[0], t = measures[1], gc = measures[2], gr = measures[3], w = measures[4],
                     h = measures[5];
        for (int n = 1; n <= 10; ++n) {
            const double x = l + (n - 1) % 2 * (w + gc), y = t + (n - 1) / 2 * (h + gr);
            const QString cell = QStringLiteral("cell %1").arg(n);
            QVERIFY2(qAbs(nearest(runs(page, true, y + 2, x - 1, x + 1), x) - x) < 0.1, qPrintable(cell));
            QVERIFY2(qAbs(nearest(runs(page, false, x + 2, y - 1, y + 1), y) - y) < 0.1, qPrintable(cell));
            QVERIFY2(qAbs(nearest(runs(page, true, y + h - 2, x + w - 1, x + w + 1), x + w) - (x + w)) < 0.1,
                     qPrintable(cell));
            QVERIFY2(qAbs(nearest(runs(page, false, x + w - 2, y + h - 1, y + h + 1), y + h) - (y + h)) < 0.1,
                     qPrintable(cell));
            QVERIFY2(dark(page, x + 3.5, y) && !dark(page, x + 5, y) && !dark(page, x + w / 2 + 2, y),
                     qPrintable(cell));
        }
    }

    // Every shipped preset is measured above: a new file needs its measures in the table.
    void everyPresetIsMeasured() {
        const QStringList shipped =
            QDir(QStringLiteral(KALIMO_SOURCE_DIR "/resources/presets")).entryList({"*.PAR"}, QDir::Files);
        QCOMPARE(shipped, QStringList{"CENTREE-10-85x54.PAR"});
    }
};

QTEST_MAIN(TestCalibrationPage)
#include "tst_calibrationpage.moc"
