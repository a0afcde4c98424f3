#include "PdfTools.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace pdftools;

class TestBatchPrint : public QObject {
    Q_OBJECT
private slots:
    // kalimo run in a folder of its own, without a screen: what it exits with and says, and the
    // cells whose frame (2 mm inside) is on the page it wrote.
    void printsWithoutAWindow_data() {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QList<int>>("cells");
        QTest::newRow("default card")
            << "--pdf cartes.pdf" << 0 << "" << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        QTest::newRow("position 10") << "--pdf cartes.pdf --position 10" << 0 << "" << QList<int>{10};
        QTest::newRow("missing card")
            << "--pdf cartes.pdf absente.cdv" << 1 << "Fichier @/absente.cdv non trouvé !" << QList<int>{};
    }

    void printsWithoutAWindow() {
        QFETCH(QString, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFETCH(QList<int>, cells);
        QTemporaryDir dir;
        QProcess p;
        p.setWorkingDirectory(dir.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(KALIMO_EXECUTABLE), arguments.split(QLatin1Char(' ')));
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(p.exitCode(), exitCode);
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QVERIFY2(err.contains(message.replace(QLatin1Char('@'), dir.path())), qPrintable(err));
        const QString pdf = dir.filePath(QStringLiteral("cartes.pdf"));
        QCOMPARE(QFile::exists(pdf), exitCode == 0);
        if (exitCode != 0)
            return;
        QCOMPARE(pageCount(pdf), 1);
        const QImage page = rasterise(pdf);
        QCOMPARE(page.width(), 2480); // A4 portrait at 300 dpi
        QList<int> framed;
        for (int n = 1; n <= 10; ++n) {
            const double x = n % 2 ? 5 : 90, y = (n - 1) / 2 * 54.0; // the cell's corner
            if (lineAt(page, true, x + 2, y + 15, y + 50) && lineAt(page, false, y + 2, x + 15, x + 70))
                framed << n;
        }
        QCOMPARE(framed, cells);
    }
};

QTEST_MAIN(TestBatchPrint)
#include "tst_batchprint.moc"
