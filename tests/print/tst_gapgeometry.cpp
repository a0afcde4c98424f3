#include "PrintedPage.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// Sheets whose margins and gaps all differ, printed by kalimo into a PDF, each cell looked at:
// a gap added on the wrong axis, or left out, moves every card after the first.
class TestGapGeometry : public QObject {
    Q_OBJECT

    // Left, top, column gap, row gap, width, height; the frame and cut marks flags.
    static PrintLayout layout(double l, double t, double gc, double gr, double w, double h, bool frame = true,
                              bool cuts = true) {
        return PrintLayout{l, t, gc, gr, w, h, frame, cuts};
    }
    static QByteArray parameterFile(const PrintLayout& l) {
        QStringList measures;
        for (double v : {l.leftMargin, l.topMargin, l.horizontalSeparator, l.verticalSeparator, l.cardWidth,
                         l.cardHeight})
            measures << QString::number(v);
        return (measures.join(',') + "\r\n" + (l.printFrame ? "#TRUE#" : "#FALSE#") + ',' +
                (l.printCutMarks ? "#TRUE#" : "#FALSE#") + "\r\n")
            .toLatin1();
    }

private slots:
    void cellByCell_data() {
        QTest::addColumn<PrintLayout>("sheet");
        QTest::addColumn<QString>("option"); // --copies N or --position P
        QTest::addColumn<QList<int>>("cells");
        const PrintLayout gaps = layout(7, 11, 4, 3, 80, 50);
        const PrintLayout wide = layout(12.5, 3.5, 6.5, 1.5, 86, 55);
        const QList<int> all{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        QTest::newRow("page of 10") << gaps << "--copies 10" << all;
        QTest::newRow("page of 3") << gaps << "--copies 3" << QList<int>{1, 2, 3};
        QTest::newRow("page of 0") << gaps << "--copies 0" << QList<int>{};
        QTest::newRow("page of 10, halves") << wide << "--copies 10" << all;
        QTest::newRow("page of 9, frame only") << layout(7, 11, 4, 3, 80, 50, true, false) << "--copies 9"
                                               << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9};
        QTest::newRow("page of 2, cut marks only")
            << layout(7, 11, 4, 3, 80, 50, false, true) << "--copies 2" << QList<int>{1, 2};
        for (int n = 1; n <= 10; ++n)
            QTest::newRow(qPrintable(QStringLiteral("single card at %1").arg(n)))
                << gaps << QStringLiteral("--position %1").arg(n) << QList<int>{n};
        QTest::newRow("single card at 10, halves") << wide << "--position 10" << QList<int>{10};
        QTest::newRow("single card at 5, frame only")
            << layout(7, 11, 4, 3, 80, 50, true, false) << "--position 5" << QList<int>{5};
    }
    void cellByCell() {
        QFETCH(PrintLayout, sheet);
        QFETCH(QString, option);
        QFETCH(QList<int>, cells);
        QTemporaryDir dir;
        QVERIFY(PrintedPage::writeLookCard(dir.path()));
        QFile par(dir.filePath("feuille.PAR"));
        QVERIFY(par.open(QIODevice::WriteOnly) && par.write(parameterFile(sheet)) > 0);
        par.close();
        QProcess kalimo;
        kalimo.setWorkingDirectory(dir.path());
        kalimo.start(KALIMO_EXECUTABLE,
                     QStringList{"--pdf", dir.filePath("page.pdf"), "--par", par.fileName()} +
                         option.split(' ') + QStringList{"carte.cdv"});
        QVERIFY(kalimo.waitForFinished(60000));
        QVERIFY2(kalimo.exitCode() == 0, kalimo.readAllStandardError().constData());
        PrintedPage page;
        QVERIFY(page.load(dir.filePath("page.pdf")));
        QCOMPARE(page.pages(), 1);
        const bool single = option.startsWith(QLatin1String("--position"));
        QStringList problems;
        for (int n = 1; n <= 10; ++n)
            problems << page.cellProblems(sheet, n, cells.contains(n), !single);
        problems.removeAll(QString());
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TestGapGeometry)
#include "tst_gapgeometry.moc"
