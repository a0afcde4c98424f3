#include "TestPlatform.h"
#include "platform/QPrinterSurface.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestQPrinterSurface : public QObject {
    Q_OBJECT
private slots:
    void metrics() {
        QTemporaryDir dir;
        auto s = QPrinterSurface::pdfFile(dir.filePath(QStringLiteral("page.pdf")));
        s->setScaleMode(6);
        s->setFontName(QStringLiteral("Arial"));
        s->setFontSize(10);
        const double line = s->textHeight(QStringLiteral("x"));
        // Points stay points under the millimetre transform: a 10-point line is about 4 mm, not 10.
        QVERIFY(qAbs(line - 4.05) < 0.55);
        // TextWidth is the widest line's; TextHeight counts the lines, a CR at the end one more.
        QCOMPARE(s->textWidth(QStringLiteral("ab\r\nDupont")), s->textWidth(QStringLiteral("Dupont")));
        QCOMPARE(s->textHeight(QStringLiteral("Dupont\r")), 2 * line);
        QCOMPARE(s->textHeight(QStringLiteral("a\r\rb")), 3 * line);
        s->killDoc();
    }

    void killDocLeavesNoFile() {
        for (const QByteArray& before : {QByteArray(), QByteArray("kept")}) { // what the file held before
            QTemporaryDir dir;
            QFile f(dir.filePath(QStringLiteral("job.pdf")));
            QVERIFY(before.isEmpty() || (f.open(QIODevice::WriteOnly) && f.write(before) == before.size()));
            f.close();
            auto s = QPrinterSurface::pdfFile(f.fileName());
            s->line(0, 0, 100, 100, 0);
            s->killDoc();
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), before.isEmpty() ? 0 : 1);
            QVERIFY(before.isEmpty() || (f.open(QIODevice::ReadOnly) && f.readAll() == before));
            f.close();
            s->line(0, 0, 10, 10, 0); // the surface serves the next job as new
            s->endDoc();
            QProcess info; // one page: nothing of the abandoned job
            info.start(QStringLiteral("pdfinfo"), {f.fileName()});
            QVERIFY(info.waitForFinished() &&
                    QRegularExpression("Pages: +1\n").match(info.readAll()).hasMatch());
        }
    }

    void noPrinterFailsTheJob() {
        FakeSpooler spooler; // no printer installed
        QPrinterSurface s(spooler);
        QVERIFY_THROWS_EXCEPTION(PrinterError, s.line(0, 0, 10, 10, 0));
        s.killDoc(); // nothing to abandon, and no second error
        s.endDoc();  // a job that drew nothing sends nothing
    }
};

QTEST_MAIN(TestQPrinterSurface)
#include "tst_qprintersurface.moc"
