#include "PdfTools.h"
#include "TestPlatform.h"
#include "platform/QPrinterSurface.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace pdftools;

class TestQPrinterSurface : public QObject {
    Q_OBJECT
private slots:
    void metrics_data();
    void metrics();
    void pointsStayPointsOnPaper();
    void linesAndTextLandWhereAsked();
    void printNeverDrawsLineBreaks();
    void killDocLeavesNoFile_data();
    void killDocLeavesNoFile();
    void landscapePage();
    void noPrinterFailsTheJob();
};

void TestQPrinterSurface::metrics_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("sameWidthAs");
    QTest::addColumn<int>("lines");
    QTest::newRow("one line") << "Dupont"
                              << "Dupont" << 1;
    QTest::newRow("ends in CR") << "Dupont\r"
                                << "Dupont" << 2;
    QTest::newRow("CR LF") << "ab\r\nDupont"
                           << "Dupont" << 2;
    QTest::newRow("leading LF") << "\nDupont"
                                << "Dupont" << 1;
    QTest::newRow("empty") << ""
                           << "" << 1;
    QTest::newRow("two CR") << "a\r\rb"
                            << "a" << 3;
}

void TestQPrinterSurface::metrics() {
    QFETCH(QString, text);
    QFETCH(QString, sameWidthAs);
    QFETCH(int, lines);
    QTemporaryDir dir;
    auto s = QPrinterSurface::pdfFile(dir.filePath(QStringLiteral("m.pdf")));
    s->setFontName(QStringLiteral("Arial"));
    s->setFontSize(10);
    QCOMPARE(s->textWidth(text), s->textWidth(sameWidthAs));
    QVERIFY(qAbs(s->textHeight(text) - lines * s->textHeight(QStringLiteral("x"))) < 1e-9);
    s->killDoc();
}

void TestQPrinterSurface::pointsStayPointsOnPaper() {
    QTemporaryDir dir;
    auto s = QPrinterSurface::pdfFile(dir.filePath(QStringLiteral("p.pdf")));
    s->setScaleMode(6);
    s->setFontName(QStringLiteral("Arial"));
    s->setFontSize(10);
    const double ten = s->textHeight(QStringLiteral("x"));
    // A 10-point line is about 10 × 1.15 points high, 4 mm; not 10 mm.
    QVERIFY2(ten > 3.5 && ten < 4.6, qPrintable(QString::number(ten)));
    s->setFontSize(20);
    QVERIFY(qAbs(s->textHeight(QStringLiteral("x")) - 2 * ten) < 0.05);
    s->killDoc();
}

void TestQPrinterSurface::linesAndTextLandWhereAsked() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.pdf"));
    auto s = QPrinterSurface::pdfFile(path);
    s->setOrientation(1);
    s->setScaleMode(6);
    s->setLineWidthDots(3);
    s->setDrawStyle(0);
    s->line(50, 20, 50, 120, 0);
    s->line(10, 150, 200, 150, 0);
    s->setDrawStyle(3);
    s->line(150, 20, 150, 120, 0);
    s->setFontName(QStringLiteral("Arial"));
    s->setFontSize(12);
    s->setCurrentX(20);
    s->setCurrentY(200);
    s->print(QStringLiteral("Kalimo"));
    s->endDoc();

    QCOMPARE(pageCount(path), 1);
    const QImage page = rasterise(path);
    // A4 at 300 dpi, up to the rounding of the page's last pixel row.
    QCOMPARE(page.width(), 2480);
    QVERIFY(qAbs(page.height() - 3508) <= 1);
    QVERIFY(qAbs(lineColumnNear(page, px(50), px(20), px(120)) - px(50)) <= 1);
    QVERIFY(qAbs(lineRowNear(page, px(150), px(10), px(200)) - px(150)) <= 1);
    // Dash-dot: a line with gaps.
    const int dashed = lineColumnNear(page, px(150), px(20), px(120));
    QVERIFY(qAbs(dashed - px(150)) <= 1);
    QVERIFY(darkInColumn(page, dashed, px(20), px(120)) < px(100) * 9 / 10);
    // The text's top-left corner at the current position.
    const QList<Word> found = words(path);
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.first().text, QStringLiteral("Kalimo"));
    QVERIFY2(qAbs(found.first().mm.left() - 20) < 0.3, qPrintable(QString::number(found.first().mm.left())));
    QVERIFY2(qAbs(found.first().mm.top() - 200) < 0.5, qPrintable(QString::number(found.first().mm.top())));
    // As a printed line does, the position moved down one line and back to the left edge.
    QCOMPARE(s->currentX(), 0.0);
}

void TestQPrinterSurface::printNeverDrawsLineBreaks() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("breaks.pdf"));
    auto s = QPrinterSurface::pdfFile(path);
    s->setFontName(QStringLiteral("Arial"));
    s->setFontSize(12);
    s->setCurrentX(30);
    s->setCurrentY(40);
    s->print(QStringLiteral("Marie\r"));
    const double next = s->currentY();
    s->setCurrentX(30);
    s->print(QStringLiteral("\nDupont"));
    s->endDoc();
    QVERIFY(next > 44 && next < 50); // two lines of 12 points: the CR ends one
    const QList<Word> found = words(path);
    QCOMPARE(found.size(), 2);
    QCOMPARE(found.at(0).text, QStringLiteral("Marie"));
    QCOMPARE(found.at(1).text, QStringLiteral("Dupont"));
    QVERIFY(qAbs(found.at(1).mm.left() - 30) < 0.3);
}

void TestQPrinterSurface::killDocLeavesNoFile_data() {
    QTest::addColumn<bool>("existing");
    QTest::newRow("new file") << false;
    QTest::newRow("file already there") << true;
}

void TestQPrinterSurface::killDocLeavesNoFile() {
    QFETCH(bool, existing);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("job.pdf"));
    if (existing) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("kept");
    }
    auto s = QPrinterSurface::pdfFile(path);
    s->line(0, 0, 100, 100, 0);
    s->print(QStringLiteral("abandonné"));
    s->killDoc();
    QCOMPARE(QFile::exists(path), existing);
    if (existing) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("kept"));
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), existing ? 1 : 0);
    // The surface serves the next job as new.
    s->line(0, 0, 10, 10, 0);
    s->endDoc();
    QCOMPARE(pageCount(path), 1);
}

void TestQPrinterSurface::landscapePage() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("landscape.pdf"));
    auto s = QPrinterSurface::pdfFile(path);
    s->setOrientation(2);
    QCOMPARE(s->orientation(), 2);
    s->line(0, 0, 10, 0, 0);
    s->endDoc();
    const QImage page = rasterise(path, 50);
    QCOMPARE(page.width(), 585);
    QVERIFY(qAbs(page.height() - 413) <= 1);
}

void TestQPrinterSurface::noPrinterFailsTheJob() {
    FakeSpooler spooler; // no printer installed
    QPrinterSurface s(spooler);
    s.setOrientation(1);
    s.setScaleMode(6);
    QVERIFY_THROWS_EXCEPTION(PrinterError, s.line(0, 0, 10, 10, 0));
    QVERIFY_THROWS_EXCEPTION(PrinterError, s.print(QStringLiteral("x")));
    s.killDoc(); // nothing to abandon, and no second error
    // A job that drew nothing sends nothing, even without a printer.
    s.endDoc();
}

QTEST_MAIN(TestQPrinterSurface)
#include "tst_qprintersurface.moc"
