#include "CardFileSamples.h"
#include "PrivateCups.h"
#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "platform/CupsSpooler.h"
#include "print/SpoolWatcher.h"
#include "setup/Form2.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// "Aperçu avant impression..." with a queue whose printer cannot print near the paper's
// edges: the preview shows one page, the very page kalimo --pdf writes, and its print
// button runs the program's own job.
namespace {

// An A4 printer that keeps 6.35 mm at the sides and 12.7 mm at the top and bottom.
QByteArray marginsPpd() {
    return "*PPD-Adobe: \"4.3\"\n*ModelName: \"Kalimo Margins\"\n*NickName: \"Kalimo Margins\"\n"
           "*cupsFilter2: \"application/pdf application/vnd.cups-pdf 0 gziptoany\"\n"
           "*OpenUI *PageSize: PickOne\n*DefaultPageSize: A4\n"
           "*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n*CloseUI: *PageSize\n"
           "*OpenUI *PageRegion: PickOne\n*DefaultPageRegion: A4\n"
           "*PageRegion A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n*CloseUI: *PageRegion\n"
           "*DefaultImageableArea: A4\n*ImageableArea A4/A4: \"18 36 577 806\"\n"
           "*DefaultPaperDimension: A4\n*PaperDimension A4/A4: \"595 842\"\n";
}

QImage rasterised(const QString& pdf, const QString& png) {
    QProcess::execute("pdftoppm", {"-r", "100", "-gray", "-png", "-singlefile", pdf, png});
    return QImage(png + ".png");
}

} // namespace

class TestPrintPreview : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!PrivateCups::installed())
            QSKIP("cupsd is not installed (scripts/setup installs cups-daemon)");
        QString error;
        QVERIFY2(cups.start(&error), qPrintable(error));
        QVERIFY(cups.addQueue(QStringLiteral("marges"), marginsPpd()));
    }

    void previewAndItsPrintButton_data() {
        QTest::addColumn<bool>("printFromPreview");
        QTest::newRow("looked at, closed") << false;
        QTest::newRow("printed from the preview") << true;
    }

    void previewAndItsPrintButton() {
        QFETCH(bool, printFromPreview);
        QTemporaryDir dir;
        const QString card = dir.filePath("kalimo.cdv");
        QVERIFY(samples::writeFile(card, samples::fullCardFile("AUCUN")));
        TestPlatform tp;
        tp.platform.spooler = std::make_unique<CupsSpooler>();
        tp.platform.spooler->setCurrentPrinter(QStringLiteral("marges"));
        tp.printer->toQueue = true;
        Module1 m;
        Form1 w{m, tp.platform};
        w.Form_Load();
        w.OpenFile(card);

        int pages = -1;
        bool printDialogSeen = false;
        const QString shown = dir.filePath("preview.pdf");
        QTimer drive;
        connect(&drive, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* setup = qobject_cast<Form2*>(modal))
                QTest::mouseClick(setup->findChild<QWidget*>(QStringLiteral("Command1")), Qt::LeftButton);
            else if (auto* preview = qobject_cast<QPrintPreviewDialog*>(modal)) {
                auto* view = preview->findChild<QPrintPreviewWidget*>();
                view->updatePreview();
                pages = view->pageCount();
                // What the preview painted, painted again into a file on its own printer.
                preview->printer()->setOutputFileName(shown);
                emit preview->paintRequested(preview->printer());
                if (printFromPreview)
                    preview->findChild<QAction*>(QStringLiteral("ApercuImprimer"))->trigger();
                else
                    preview->reject();
            } else if (modal) {
                printDialogSeen = true;
                modal->close();
            }
        });
        drive.start(50);
        w.Mnu_Apercu_Click();
        drive.stop();
        QCOMPARE(pages, 1);
        QVERIFY(!printDialogSeen);
        QCOMPARE(tp.printer->endDocs, printFromPreview ? 1 : 0);
        if (printFromPreview) // the program's job, handed to the spooler like any print
            QTRY_VERIFY_WITH_TIMEOUT(w.findChildren<SpoolWatcher*>().isEmpty(), 15000);

        const QString pdf = dir.filePath("cartes.pdf");
        QCOMPARE(QProcess::execute(QStringLiteral(KALIMO_EXECUTABLE), {"--pdf", pdf, card}), 0);
        const QImage a = rasterised(shown, dir.filePath("a")), b = rasterised(pdf, dir.filePath("b"));
        QCOMPARE(b.width(), 827); // A4 portrait at 100 dpi
        QCOMPARE(a.size(), b.size());
        // Each inked pixel of one page has ink within a pixel (0.25 mm) on the other: the same
        // drawing, whatever the rasteriser does with glyph edges at two resolutions.
        const auto inkNear = [](const QImage& page, int x, int y) {
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (page.valid(x + dx, y + dy) && qGray(page.pixel(x + dx, y + dy)) < 160)
                        return true;
            return false;
        };
        int differing = 0, inked = 0;
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const bool inA = qGray(a.pixel(x, y)) < 96, inB = qGray(b.pixel(x, y)) < 96;
                differing += (inA && !inkNear(b, x, y)) || (inB && !inkNear(a, x, y));
                inked += inB;
            }
        QVERIFY(inked > 5000); // frames, cut marks and text
        QVERIFY2(differing < inked / 50, qPrintable(QStringLiteral("%1 of %2").arg(differing).arg(inked)));
    }

private:
    PrivateCups cups;
};

QTEST_MAIN(TestPrintPreview)
#include "tst_printpreview.moc"
