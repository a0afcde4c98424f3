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

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <cups/cups.h>

using namespace pdftools;

namespace {

// A card as a person fills it in: a name, a title, an address in three alignments.
void fillCard(Module1& m) {
    TextZone& z1 = m.card.zone(1);
    z1.Text = QStringLiteral("Marie Dupont");
    z1.FontName = QStringLiteral("Arial");
    z1.FontSize = 12;
    z1.FontBold = true;
    TextZone& z2 = m.card.zone(2);
    z2.Text = QStringLiteral("Ebeniste");
    z2.FontSize = 10;
    z2.Alignment = qint16(ZoneAlignment::Right);
    TextZone& z3 = m.card.zone(3);
    z3.Text = QStringLiteral("Lyon\r\nFrance");
    z3.FontSize = 10;
    z3.Alignment = qint16(ZoneAlignment::Centre);
    m.card.Logo.Left = 3;
    m.card.Logo.Top = 3;
    m.card.Logo.Width = 11.11;
    m.card.Logo.Height = 11.11;
    m.card.Logo.picture = Picture(QImage(QStringLiteral(":/resources/images/logo-defaut.bmp")));
}

// The words found within a cell, by text.
QList<Word> wordsIn(const QList<Word>& all, CardOrigin at, const QString& text) {
    QList<Word> out;
    for (const Word& w : all)
        if (w.text == text && w.mm.left() >= at.X && w.mm.left() < at.X + 85 && w.mm.top() >= at.Y &&
            w.mm.top() < at.Y + 54)
            out << w;
    return out;
}

// The line height of a font on paper, as the surface measures it.
double lineHeight(const QString& family, float points, bool bold) {
    QTemporaryDir dir;
    auto s = QPrinterSurface::pdfFile(dir.filePath(QStringLiteral("measure.pdf")));
    s->setFontName(family);
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
    void initTestCase();
    void pageReachesThePrinter_data();
    void pageReachesThePrinter();
    void noPrinterFailsWithoutWritingAFile();
    void killedJobNeverReachesTheQueue();

private:
    void startCups(PrivateCups& cups, bool withQueue = true);
};

void TestSpooler::initTestCase() {
    if (!PrivateCups::installed())
        QSKIP("cupsd is not installed (scripts/setup installs cups-daemon)");
}

void TestSpooler::startCups(PrivateCups& cups, bool withQueue) {
    QString error;
    QVERIFY2(cups.start(&error, withQueue), qPrintable(error));
}

void TestSpooler::pageReachesThePrinter_data() {
    QTest::addColumn<int>("cell");
    QTest::newRow("cell 1") << 1;
    QTest::newRow("cell 10") << 10;
}

void TestSpooler::pageReachesThePrinter() {
    QFETCH(int, cell);
    PrivateCups cups;
    startCups(cups);
    if (QTest::currentTestFailed())
        return;
    Module1 m;
    fillCard(m);
    CupsSpooler spooler;
    QCOMPARE(spooler.currentPrinter(), cups.queueName());
    QPrinterSurface surface(spooler);
    FakeMessageBoxes messages;
    NoPrintProgress progress;
    QVERIFY(DecoupeLignes(m.card, m.zonePrintLines));
    QVERIFY(Imprim10Cartes({m, surface, messages, progress}));
    QVERIFY(messages.shown.isEmpty());
    QVERIFY2(cups.waitForOutput(60000), qPrintable(cups.log()));

    const QString pdf = cups.outputFile();
    QCOMPARE(pageCount(pdf), 1);
    const QImage page = rasterise(pdf);
    QVERIFY(!page.isNull());
    const CardOrigin o = cellOrigin(m.layout, cell);
    const double x = o.X, y = o.Y, w = 85, h = 54;
    // Frame, 2 mm inside the cell, solid.
    struct Expected {
        const char* what;
        bool vertical;
        double at, from, to;
    };
    const Expected lines[] = {
        {"frame left", true, x + 2, y + 2, y + h - 2},
        {"frame right", true, x + w - 2, y + 2, y + h - 2},
        {"frame top", false, y + 2, x + 2, x + w - 2},
        {"frame bottom", false, y + h - 2, x + 2, x + w - 2},
        {"cut left", true, x, y, y + h},
        {"cut right", true, x + w, y, y + h},
        {"cut top", false, y, x, x + w},
        {"cut bottom", false, y + h, x, x + w},
    };
    for (const Expected& e : lines) {
        // Leave the corners out, where the crossing lines are.
        const int from = px(e.from + 3), to = px(e.to - 3);
        const int found =
            e.vertical ? lineColumnNear(page, px(e.at), from, to) : lineRowNear(page, px(e.at), from, to);
        QVERIFY2(
            found >= 0 && qAbs(found - px(e.at)) <= 1,
            qPrintable(QStringLiteral("%1 at pixel %2, expected %3").arg(e.what).arg(found).arg(px(e.at))));
    }

    const QList<Word> all = words(pdf);
    // Zone 1: left at 15 mm, half a line below the zone top (one line).
    const QList<Word> marie = wordsIn(all, o, QStringLiteral("Marie"));
    QCOMPARE(marie.size(), 1);
    QVERIFY2(qAbs(marie.first().mm.left() - (x + 15)) < 0.3,
             qPrintable(QString::number(marie.first().mm.left())));
    const double step1 = lineHeight(QStringLiteral("Arial"), 12, true) / 2;
    QVERIFY2(qAbs(marie.first().mm.top() - (y + step1)) < 0.6,
             qPrintable(QString::number(marie.first().mm.top())));
    // Zone 2: its right end at 78 mm.
    const QList<Word> title = wordsIn(all, o, QStringLiteral("Ebeniste"));
    QCOMPARE(title.size(), 1);
    QVERIFY2(qAbs(title.first().mm.right() - (x + 78)) < 0.4,
             qPrintable(QString::number(title.first().mm.right())));
    QVERIFY(qAbs(title.first().mm.top() -
                 (y + 0.33 * h + lineHeight(QStringLiteral("Arial"), 10, false) / 2)) < 0.6);
    // Zone 3: two lines centred on 42.5 mm, one line apart.
    const QList<Word> town = wordsIn(all, o, QStringLiteral("Lyon"));
    const QList<Word> country = wordsIn(all, o, QStringLiteral("France"));
    QCOMPARE(town.size(), 1);
    QCOMPARE(country.size(), 1);
    QVERIFY(qAbs(town.first().mm.center().x() - (x + 42.5)) < 0.4);
    QVERIFY(qAbs(country.first().mm.center().x() - (x + 42.5)) < 0.4);
    const double step3 = lineHeight(QStringLiteral("Arial"), 10, false);
    QVERIFY(qAbs(town.first().mm.top() - (y + 0.66 * h + step3)) < 0.6);
    QVERIFY(qAbs(country.first().mm.top() - town.first().mm.top() - step3) < 0.2);
}

void TestSpooler::noPrinterFailsWithoutWritingAFile() {
    PrivateCups cups;
    startCups(cups, false);
    if (QTest::currentTestFailed())
        return;
    Module1 m;
    fillCard(m);
    CupsSpooler spooler;
    QVERIFY(spooler.currentPrinter().isEmpty());
    QPrinterSurface surface(spooler);
    FakeMessageBoxes messages;
    NoPrintProgress progress;
    const QStringList before = QDir::current().entryList(QDir::Files);
    QVERIFY(DecoupeLignes(m.card, m.zonePrintLines));
    QVERIFY(!Imprim10Cartes({m, surface, messages, progress}));
    QCOMPARE(messages.shown.size(), 1);
    QCOMPARE(messages.shown.first().prompt, QStringLiteral("Erreur d'impression ou de police non définie !"));
    QCOMPARE(QDir::current().entryList(QDir::Files), before);
    QVERIFY(QDir(cups.home()).isEmpty());
}

void TestSpooler::killedJobNeverReachesTheQueue() {
    PrivateCups cups;
    startCups(cups);
    if (QTest::currentTestFailed())
        return;
    CupsSpooler spooler;
    QPrinterSurface surface(spooler);
    surface.line(10, 10, 100, 10, 0);
    surface.print(QStringLiteral("abandonné"));
    surface.killDoc();
    // A job sent afterwards is the only one the queue ever saw.
    surface.line(20, 20, 20, 100, 0);
    surface.endDoc();
    QVERIFY(cups.waitForOutput(60000));
    cups_job_t* jobs = nullptr;
    const int all =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, cups.queueName().toUtf8().constData(), 0, CUPS_WHICHJOBS_ALL);
    const int id = all > 0 ? jobs[0].id : 0;
    cupsFreeJobs(all, jobs);
    QCOMPARE(all, 1);
    // The sheet prints as drawn: A4, in portrait whatever the queue's defaults, never scaled.
    QCOMPARE(jobAttribute(id, "media"), QStringLiteral("iso_a4_210x297mm"));
    QCOMPARE(jobAttribute(id, "orientation-requested"), QStringLiteral("portrait"));
    QCOMPARE(jobAttribute(id, "print-scaling"), QStringLiteral("none"));
    QVERIFY(words(cups.outputFile()).isEmpty());
}

QTEST_MAIN(TestSpooler)
#include "tst_spooler.moc"
