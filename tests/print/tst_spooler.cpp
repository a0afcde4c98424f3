#include "PdfTools.h"
#include "PrivateCups.h"
#include "TestPlatform.h"
#include "app/Module1.h"
#include "platform/CupsSpooler.h"
#include "platform/QPrinterSurface.h"
#include "print/CardDrawing.h"
#include "print/DecoupeLignes.h"
#include "print/PrintJobs.h"
#include "print/PrintProgress.h"

#include <QTest>

using namespace pdftools;

class TestSpooler : public QObject {
    Q_OBJECT
private slots:
    // A page of ten cards through a real spooler, to the queue's file, then looked at.
    void pageReachesThePrinter() {
        if (!PrivateCups::installed())
            QSKIP("cupsd is not installed (scripts/setup installs cups-daemon)");
        PrivateCups cups;
        QString error;
        QVERIFY2(cups.start(&error), qPrintable(error));
        CupsSpooler spooler;
        QCOMPARE(spooler.currentPrinter(), cups.queueName()); // the system's default
        Module1 m;
        m.card.zone(1).Text = QStringLiteral("Marie");
        QPrinterSurface surface(spooler);
        FakeMessageBoxes messages;
        NoPrintProgress progress;
        QVERIFY(DecoupeLignes(m.card, m.zonePrintLines) && Imprim10Cartes({m, surface, messages, progress}));
        QVERIFY2(cups.waitForOutput(60000), qPrintable(cups.log()));
        QCOMPARE(pageCount(cups.outputFile()), 1);
        const QImage page = rasterise(cups.outputFile());
        const QList<Word> found = words(cups.outputFile());
        QCOMPARE(found.size(), 10);
        for (int cell : {1, 10}) {
            const CardOrigin o = cellOrigin(m.layout, cell);
            const double x = o.X, y = o.Y, w = 85, h = 54;
            // Frame 2 mm inside the cell, cut marks on its edges; the corners, where lines cross, left out.
            for (double in : {2, 0}) {
                QVERIFY(lineAt(page, true, x + in, y + in + 3, y + h - in - 3));
                QVERIFY(lineAt(page, true, x + w - in, y + in + 3, y + h - in - 3));
                QVERIFY(lineAt(page, false, y + in, x + in + 3, x + w - in - 3));
                QVERIFY(lineAt(page, false, y + h - in, x + in + 3, x + w - in - 3));
            }
            // Zone 1 starts 15 mm into the card, in its top third.
            QVERIFY(std::any_of(found.begin(), found.end(), [&](const Word& word) {
                return qAbs(word.mm.left() - x - 15) < 0.3 && word.mm.top() > y &&
                       word.mm.bottom() < y + h / 3;
            }));
        }
    }
};

QTEST_MAIN(TestSpooler)
#include "tst_spooler.moc"
