#include "PdfTools.h"
#include "TestPlatform.h"
#include "platform/QPrinterSurface.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace pdftools;

// A surface writing page.pdf into a folder of its own, in Arial of the given size.
struct PdfPage {
    explicit PdfPage(float points = 10) {
        s->setFontName(QStringLiteral("Arial"));
        s->setFontSize(points);
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.pdf"));
    std::unique_ptr<QPrinterSurface> s = QPrinterSurface::pdfFile(path);
};

class TestQPrinterSurface : public QObject {
    Q_OBJECT
private slots:
    void metrics_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("sameWidthAs");
        QTest::addColumn<int>("lines");
        QTest::newRow("one line") << "Dupont" << QStringLiteral("Dupont") << 1;
        QTest::newRow("ends in CR") << "Dupont\r" << QStringLiteral("Dupont") << 2;
        QTest::newRow("CR LF") << "ab\r\nDupont" << QStringLiteral("Dupont") << 2;
        QTest::newRow("leading LF") << "\nDupont" << QStringLiteral("Dupont") << 1;
        QTest::newRow("empty") << "" << QString() << 1;
        QTest::newRow("two CR") << "a\r\rb" << QStringLiteral("a") << 3;
    }

    void metrics() {
        QFETCH(QString, text);
        QFETCH(QString, sameWidthAs);
        QFETCH(int, lines);
        PdfPage p;
        QCOMPARE(p.s->textWidth(text), p.s->textWidth(sameWidthAs));
        QVERIFY_NEAR(p.s->textHeight(text), lines * p.s->textHeight(QStringLiteral("x")), 1e-9);
        p.s->killDoc();
    }

    void pointsStayPointsOnPaper() {
        PdfPage p;
        p.s->setScaleMode(6);
        p.s->setFontSize(10); // after the millimetre transform
        const double ten = p.s->textHeight(QStringLiteral("x"));
        // A 10-point line is about 10 × 1.15 points high, 4 mm; not 10 mm.
        QVERIFY_NEAR(ten, 4.05, 0.55);
        p.s->setFontSize(20);
        QVERIFY_NEAR(p.s->textHeight(QStringLiteral("x")), 2 * ten, 0.05);
        p.s->killDoc();
    }

    void linesAndTextLandWhereAsked() {
        PdfPage p(12);
        p.s->setOrientation(1);
        p.s->setScaleMode(6);
        p.s->setLineWidthDots(3);
        p.s->setDrawStyle(0);
        p.s->line(50, 20, 50, 120, 0);
        p.s->line(10, 150, 200, 150, 0);
        p.s->setDrawStyle(3);
        p.s->line(150, 20, 150, 120, 0);
        // CR and LF end lines, never drawn as glyphs.
        p.s->setCurrentX(30);
        p.s->setCurrentY(40);
        p.s->print(QStringLiteral("Marie\r"));
        const double next = p.s->currentY();
        p.s->setCurrentX(30);
        p.s->print(QStringLiteral("\nDupont"));
        p.s->setCurrentX(20);
        p.s->setCurrentY(200);
        p.s->print(QStringLiteral("Kalimo"));
        p.s->endDoc();
        QVERIFY_NEAR(next, 47, 3); // two lines of 12 points: the CR ends one

        QCOMPARE(pageCount(p.path), 1);
        const QImage page = rasterise(p.path);
        // A4 at 300 dpi, up to the rounding of the page's last pixel row.
        QCOMPARE(page.width(), 2480);
        QVERIFY_NEAR(page.height(), 3508, 1.5);
        QVERIFY(lineAt(page, true, 50, 20, 120));
        QVERIFY(lineAt(page, false, 150, 10, 200));
        // Dash-dot: a line with gaps.
        QVERIFY(lineAt(page, true, 150, 20, 120));
        QVERIFY(darkAlong(page, true, lineNear(page, true, px(150), px(20), px(120)), px(20), px(120)) <
                px(100) * 9 / 10);
        // The text's top-left corner at the current position.
        const QList<Word> found = words(p.path);
        QCOMPARE(found.size(), 3);
        QCOMPARE(found.at(0).text + found.at(1).text + found.at(2).text, QStringLiteral("MarieDupontKalimo"));
        QVERIFY_NEAR(found.at(1).mm.left(), 30, 0.3);
        QVERIFY_NEAR(found.at(2).mm.left(), 20, 0.3);
        QVERIFY_NEAR(found.at(2).mm.top(), 200, 0.5);
        // As a printed line does, the position moved down one line and back to the left edge.
        QCOMPARE(p.s->currentX(), 0.0);
    }

    void killDocLeavesNoFile_data() {
        QTest::addColumn<QByteArray>("before"); // what the file held before the job
        QTest::newRow("new file") << QByteArray();
        QTest::newRow("file already there") << QByteArray("kept");
    }

    void killDocLeavesNoFile() {
        QFETCH(QByteArray, before);
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("job.pdf")));
        QVERIFY(before.isEmpty() ||
                (f.open(QIODevice::WriteOnly) && f.write(before) == before.size() && f.flush()));
        f.close();
        auto s = QPrinterSurface::pdfFile(f.fileName());
        s->line(0, 0, 100, 100, 0);
        s->print(QStringLiteral("abandonné"));
        s->killDoc();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), before.isEmpty() ? 0 : 1);
        QVERIFY(before.isEmpty() || (f.open(QIODevice::ReadOnly) && f.readAll() == before));
        // The surface serves the next job as new, here in landscape.
        s->setOrientation(2);
        QCOMPARE(s->orientation(), 2);
        s->line(0, 0, 10, 10, 0);
        s->endDoc();
        QCOMPARE(pageCount(f.fileName()), 1);
        const QImage page = rasterise(f.fileName(), 50);
        QCOMPARE(page.width(), 585);
        QVERIFY_NEAR(page.height(), 413, 1.5);
    }

    void noPrinterFailsTheJob() {
        FakeSpooler spooler; // no printer installed
        QPrinterSurface s(spooler);
        s.setOrientation(1);
        s.setScaleMode(6);
        QVERIFY_THROWS_EXCEPTION(PrinterError, s.line(0, 0, 10, 10, 0));
        QVERIFY_THROWS_EXCEPTION(PrinterError, s.print(QStringLiteral("x")));
        s.killDoc(); // nothing to abandon, and no second error
        s.endDoc();  // a job that drew nothing sends nothing, even without a printer
    }
};

QTEST_MAIN(TestQPrinterSurface)
#include "tst_qprintersurface.moc"
