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

#include <QTemporaryDir>
#include <QTest>
#include <cups/cups.h>

using namespace pdftools;

namespace {

// Prints a page of a card as a person fills it in (a name, a title, an address in three
// alignments) through the system's spooler, after an abandoned job; false when it failed.
bool printPage(Module1& m, FakeMessageBoxes& messages) {
    // Text, font, size, bold, italic, underline, strikethrough, colour, alignment.
    m.card.zone(1) = {QStringLiteral("Marie Dupont"), QStringLiteral("Arial"), 12, true};
    m.card.zone(2) = {QStringLiteral("Ebeniste"), QStringLiteral("Arial"), 10};
    m.card.zone(2).Alignment = qint16(ZoneAlignment::Right);
    m.card.zone(3) = {QStringLiteral("Lyon\r\nFrance"), QStringLiteral("Arial"), 10};
    m.card.zone(3).Alignment = qint16(ZoneAlignment::Centre);
    m.card.Logo.Left = m.card.Logo.Top = 3;
    m.card.Logo.Width = m.card.Logo.Height = 11.11;
    m.card.Logo.picture = Picture(QImage(QStringLiteral(":/resources/images/logo-defaut.bmp")));
    CupsSpooler spooler;
    QPrinterSurface surface(spooler);
    // A job abandoned first never reaches the queue; the surface serves the next one as new.
    surface.line(10, 10, 100, 10, 0);
    surface.print(QStringLiteral("abandonné"));
    surface.killDoc();
    NoPrintProgress progress;
    return DecoupeLignes(m.card, m.zonePrintLines) && Imprim10Cartes({m, surface, messages, progress});
}

// The line height of a font on paper, as the surface measures it.
double lineHeight(float points, bool bold = false) {
    QTemporaryDir dir;
    auto s = QPrinterSurface::pdfFile(dir.filePath(QStringLiteral("measure.pdf")));
    s->setFontName(QStringLiteral("Arial"));
    s->setFontSize(points);
    s->setFontBold(bold);
    const double h = s->textHeight(QStringLiteral("x"));
    s->killDoc();
    return h;
}

// One attribute of a job as the spooler keeps it, in its text form.
QString jobAttribute(int jobId, const char* name) {
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const QByteArray uri = "ipp://localhost/jobs/" + QByteArray::number(jobId);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    QString value;
    if (ipp_attribute_t* a = ippFindAttribute(response, name, IPP_TAG_ZERO)) {
        char text[256];
        ippAttributeString(a, text, sizeof text);
        value = QString::fromUtf8(text);
    }
    ippDelete(response);
    return value;
}

} // namespace

class TestSpooler : public QObject {
    Q_OBJECT
private slots:
    void pageReachesThePrinter() {
        if (!PrivateCups::installed())
            QSKIP("cupsd is not installed (scripts/setup installs cups-daemon)");
        PrivateCups cups;
        QString error;
        QVERIFY2(cups.start(&error), qPrintable(error));
        QCOMPARE(CupsSpooler().currentPrinter(), cups.queueName());
        Module1 m;
        FakeMessageBoxes messages;
        QVERIFY(printPage(m, messages));
        QVERIFY(messages.shown.isEmpty());
        QVERIFY2(cups.waitForOutput(60000), qPrintable(cups.log()));
        cups_job_t* jobs = nullptr;
        const int count =
            cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, qPrintable(cups.queueName()), 0, CUPS_WHICHJOBS_ALL);
        const int id = count > 0 ? jobs[0].id : 0;
        cupsFreeJobs(count, jobs);
        QCOMPARE(count, 1);
        // The sheet prints as drawn: A4, in portrait whatever the queue's defaults, never scaled.
        QCOMPARE(jobAttribute(id, "media"), QStringLiteral("iso_a4_210x297mm"));
        QCOMPARE(jobAttribute(id, "orientation-requested"), QStringLiteral("portrait"));
        QCOMPARE(jobAttribute(id, "print-scaling"), QStringLiteral("none"));
        const QString pdf = cups.outputFile();
        QCOMPARE(pageCount(pdf), 1);
        const QImage page = rasterise(pdf);
        const QList<Word> all = words(pdf);
        QVERIFY(std::none_of(all.begin(), all.end(),
                             [](const Word& w) { return w.text.startsWith(QLatin1String("aband")); }));
        for (int cell : {1, 10}) {
            const CardOrigin o = cellOrigin(m.layout, cell);
            const double x = o.X, y = o.Y, w = 85, h = 54;
            // Frame 2 mm inside the cell, cut marks on its edges; the corners, where lines cross, left out.
            for (double in : {2, 0}) {
                QVERIFY2(lineAt(page, true, x + in, y + in + 3, y + h - in - 3), "left");
                QVERIFY2(lineAt(page, true, x + w - in, y + in + 3, y + h - in - 3), "right");
                QVERIFY2(lineAt(page, false, y + in, x + in + 3, x + w - in - 3), "top");
                QVERIFY2(lineAt(page, false, y + h - in, x + in + 3, x + w - in - 3), "bottom");
            }
            // Each word once in the cell: its left, right or centre, and its top, in millimetres.
            QHash<QString, QList<QRectF>> at;
            for (const Word& word : all)
                if (QRectF(x, y, w, h).contains(word.mm.topLeft()))
                    at[word.text] << word.mm;
            for (const char* text : {"Marie", "Ebeniste", "Lyon", "France"})
                QVERIFY2(at.value(QString::fromUtf8(text)).size() == 1, text);
            const QRectF marie = at["Marie"].first(), title = at["Ebeniste"].first();
            const QRectF town = at["Lyon"].first(), country = at["France"].first();
            const double step3 = lineHeight(10);
            // Zone 1 left at 15 mm, half a line below the zone top (one line); zone 2 ends at 78 mm.
            QVERIFY_NEAR(marie.left(), x + 15, 0.3);
            QVERIFY_NEAR(marie.top(), y + lineHeight(12, true) / 2, 0.6);
            QVERIFY_NEAR(title.right(), x + 78, 0.4);
            QVERIFY_NEAR(title.top(), y + 0.33 * h + step3 / 2, 0.6);
            // Zone 3: two lines centred on 42.5 mm, one line apart.
            QVERIFY_NEAR(town.center().x(), x + 42.5, 0.4);
            QVERIFY_NEAR(country.center().x(), x + 42.5, 0.4);
            QVERIFY_NEAR(town.top(), y + 0.66 * h + step3, 0.6);
            QVERIFY_NEAR(country.top() - town.top(), step3, 0.2);
        }
    }
};

QTEST_MAIN(TestSpooler)
#include "tst_spooler.moc"
