#include "TestPlatform.h"
#include "platform/QPrinterSurface.h"
#include "print/SpoolHandOff.h"

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

    // Without a printer the page is still drawn; the hand-off says why it cannot be sent.
    // The finished page is handed over once, as an exact A4 PDF.
    void noPrinterIsToldAtTheHandOff() {
        FakeSpooler spooler; // no printer installed
        QPrinterSurface s(spooler);
        s.line(0, 0, 10, 10, 0);
        s.endDoc();
        const std::shared_ptr<SpoolDocument> document = s.takeDocument();
        QVERIFY(document);
        QVERIFY(!s.takeDocument());
        QCOMPARE(document->queue, QString());
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {document->path});
        QVERIFY(info.waitForFinished());
        QVERIFY(QRegularExpression("Page size: +595.276 x 841.89 pts").match(info.readAll()).hasMatch());
        const std::atomic<bool> cancel{false};
        const SpoolOutcome outcome = SpoolHandOff(spooler).run(*document, cancel);
        QCOMPARE(outcome.message, QStringLiteral("Aucune imprimante n'est installée."));
        QCOMPARE(exitCodeFor(outcome), 1);
        s.killDoc(); // nothing to abandon, and no error
        s.endDoc();  // a job that drew nothing sends nothing
        QVERIFY(!s.takeDocument());
    }
};

QTEST_MAIN(TestQPrinterSurface)
#include "tst_qprintersurface.moc"
