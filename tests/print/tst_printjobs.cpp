#include "TestPlatform.h"
#include "app/Module1.h"
#include "print/CardDrawing.h"
#include "print/DecoupeLignes.h"
#include "print/PrintJobs.h"
#include "print/PrintProgress.h"

#include <QTest>

namespace {

struct RecordingProgress : PrintProgress {
    void showProgress() override {
        visible = true;
        ++shows;
    }
    void hideProgress() override { visible = false; }
    bool visible = false;
    int shows = 0;
};

// One job's world: the card, the surface, the boxes and the progress.
struct Bench {
    Module1 m;
    RecordingPrinterSurface surface;
    FakeMessageBoxes messages;
    RecordingProgress progress;
    PrintContext context() { return {m, surface, messages, progress}; }
    bool page() {
        DecoupeLignes(m.card, m.zonePrintLines);
        return Imprim10Cartes(context());
    }
    bool single() {
        DecoupeLignes(m.card, m.zonePrintLines);
        return Imprim1Carte(context());
    }
};

// What each stage of the drawing starts with, in the order drawn.
QString stages(const QStringList& calls) {
    QStringList out;
    for (const QString& c : calls) {
        if (c == QLatin1String("DrawStyle=0"))
            out << QStringLiteral("frame");
        else if (c == QLatin1String("DrawStyle=3"))
            out << QStringLiteral("cuts");
        else if (c.startsWith(QLatin1String("PaintPicture")))
            out << QStringLiteral("logo");
        else if (c.startsWith(QLatin1String("FontName=")))
            out << QStringLiteral("zone");
    }
    return out.join(QLatin1Char(' '));
}

} // namespace

class TestPrintJobs : public QObject {
    Q_OBJECT
private slots:
    void oneCardCallSequence();
    void drawingOrders_data();
    void drawingOrders();
    void pageCellOrigins_data();
    void pageCellOrigins();
    void leadingLineFeedIsDroppedForTheRestOfTheJob();
    void failureDiscardsTheJob_data();
    void failureDiscardsTheJob();
};

void TestPrintJobs::oneCardCallSequence() {
    Bench b;
    b.m.layout.cardHeight = 50; // zone tops at 16.5 and 33 mm, exact in single precision
    b.m.layout.cardCount = 1;
    TextZone& z1 = b.m.card.zone(1);
    z1.Text = QStringLiteral("a\r\nb");
    z1.FontName = QStringLiteral("Arial");
    z1.FontSize = 10;
    z1.FontBold = true;
    z1.ForeColor = 255;
    TextZone& z2 = b.m.card.zone(2);
    z2.Text = QStringLiteral(" x ");
    z2.Alignment = qint16(ZoneAlignment::Right);
    z2.FontItalic = true;
    TextZone& z3 = b.m.card.zone(3);
    z3.Text = QStringLiteral("yy");
    z3.Alignment = qint16(ZoneAlignment::Centre);
    z3.FontName = QStringLiteral("Courier New");
    b.m.card.Logo.Left = 5;
    b.m.card.Logo.Top = 4;
    b.m.card.Logo.Width = 12.5;
    b.m.card.Logo.Height = 10;
    QVERIFY(b.page());

    const QStringList expected = {
        "Orientation=1", "ScaleMode=6", "TransparentText=true", "LineWidth=3",
        // Frame, 2 mm inside the cell: top, right, bottom, left.
        "DrawStyle=0", "Line(7, 2, 88, 2, 0)", "Line(88, 2, 88, 48, 0)", "Line(88, 48, 7, 48, 0)",
        "Line(7, 2, 7, 48, 0)",
        // Cut marks on the cell's edges.
        "DrawStyle=3", "Line(5, 0, 90, 0, 0)", "Line(90, 0, 90, 50, 0)", "Line(90, 50, 5, 50, 0)",
        "Line(5, 0, 5, 50, 0)",
        // Logo through the current position.
        "CurrentX=10", "CurrentY=4", "PaintPicture(10, 4, 12.5, 10)",
        // Zone 1, left at 15 mm; two lines step by one line height (4 mm).
        "FontName=Arial", "FontSize=10", "FontBold=true", "FontItalic=false", "ForeColor=255", "CurrentX=20",
        "CurrentY=4", "Print(a<CR>)", "CurrentX=20", "CurrentY=8", "Print(b)",
        // Zone 2, trimmed, right edge at 78 mm; one line steps by half a line height.
        "FontName=Arial", "FontSize=8.25", "FontBold=false", "FontItalic=true", "ForeColor=2147483656",
        "CurrentX=81", "CurrentY=18.5", "Print(x)",
        // Zone 3 centred on 42.5 mm.
        "FontName=Courier New", "FontSize=8.25", "FontBold=false", "FontItalic=false", "ForeColor=2147483656",
        "CurrentX=45.5", "CurrentY=35", "Print(yy)", "EndDoc"};
    QCOMPARE(b.surface.calls, expected);
    QCOMPARE(b.surface.endDocs, 1);
    QVERIFY(b.progress.visible); // the print command hides it
    QVERIFY(b.messages.shown.isEmpty());
}

void TestPrintJobs::drawingOrders_data() {
    QTest::addColumn<bool>("page");
    QTest::addColumn<bool>("frame");
    QTest::addColumn<bool>("cuts");
    QTest::addColumn<QString>("logoPath");
    QTest::addColumn<QString>("stages");

    const QString zones = QStringLiteral(" zone zone zone");
    QTest::newRow("page") << true << true << true << ""
                          << "frame cuts logo" + zones;
    QTest::newRow("single card") << false << true << true << ""
                                 << "logo frame cuts" + zones;
    QTest::newRow("page without frame") << true << false << true << "/x/logo.bmp"
                                        << "cuts logo" + zones;
    QTest::newRow("single without cut marks") << false << true << false << "/x/logo.bmp"
                                              << "logo frame" + zones;
    QTest::newRow("page, no logo") << true << true << true << "AUCUN"
                                   << "frame cuts" + zones;
    QTest::newRow("single, no logo") << false << true << true << "AUCUN"
                                     << "frame cuts" + zones;
    QTest::newRow("lower case is a file name") << true << false << false << "aucun"
                                               << "logo" + zones;
    QTest::newRow("text only") << false << false << false << "AUCUN" << zones.mid(1);
}

void TestPrintJobs::drawingOrders() {
    QFETCH(bool, page);
    QFETCH(bool, frame);
    QFETCH(bool, cuts);
    QFETCH(QString, logoPath);
    QFETCH(QString, stages);
    Bench b;
    b.m.layout.cardCount = 1;
    b.m.layout.printFrame = frame;
    b.m.layout.printCutMarks = cuts;
    b.m.card.Logo.Path = logoPath;
    b.m.cardOrigin = {5, 0};
    QVERIFY(page ? b.page() : b.single());
    QCOMPARE(::stages(b.surface.calls), stages);
    QCOMPARE(b.surface.calls.at(3), page ? QStringLiteral("LineWidth=3") : QStringLiteral("LineWidth=5"));
}

void TestPrintJobs::pageCellOrigins_data() {
    QTest::addColumn<int>("count");
    QTest::addColumn<PrintLayout>("layout");
    QTest::addColumn<QStringList>("logos");

    const PrintLayout defaults;
    QTest::newRow("none") << 0 << defaults << QStringList{};
    QTest::newRow("one") << 1 << defaults << QStringList{"5 0"};
    QTest::newRow("three") << 3 << defaults << QStringList{"5 0", "90 0", "5 54"};
    QTest::newRow("ten") << 10 << defaults << QStringList{"5 0",    "90 0",  "5 54",   "90 54", "5 108",
                                                          "90 108", "5 162", "90 162", "5 216", "90 216"};
    PrintLayout gaps;
    gaps.leftMargin = 10;
    gaps.topMargin = 7;
    gaps.horizontalSeparator = 3;
    gaps.verticalSeparator = 2;
    gaps.cardWidth = 80;
    gaps.cardHeight = 50;
    QTest::newRow("gaps, ten") << 10 << gaps << QStringList{"10 7",   "93 7",   "10 59",  "93 59",  "10 111",
                                                            "93 111", "10 163", "93 163", "10 215", "93 215"};
}

void TestPrintJobs::pageCellOrigins() {
    QFETCH(int, count);
    QFETCH(PrintLayout, layout);
    QFETCH(QStringList, logos);
    Bench b;
    b.m.layout = layout;
    b.m.layout.cardCount = qint16(count);
    QVERIFY(b.page());
    // The logo sits at the card's corner (Left = Top = 0): one picture per cell.
    QStringList seen;
    for (const QString& c : b.surface.calls)
        if (c.startsWith(QLatin1String("PaintPicture(")))
            seen << c.mid(13)
                        .section(QLatin1String(", "), 0, 1)
                        .replace(QLatin1String(", "), QLatin1String(" "));
    QCOMPARE(seen, logos);
    QCOMPARE(b.surface.calls.first(), QStringLiteral("Orientation=1"));
    QCOMPARE(b.surface.calls.last(), QStringLiteral("EndDoc"));
    QCOMPARE(b.surface.calls.count(QStringLiteral("EndDoc")), 1);
    if (count == 0)
        QCOMPARE(b.surface.calls.size(), 5);
    else // the origin of the last cell stays
        QCOMPARE(QStringLiteral("%1 %2").arg(b.m.cardOrigin.X).arg(b.m.cardOrigin.Y), logos.last());
}

void TestPrintJobs::leadingLineFeedIsDroppedForTheRestOfTheJob() {
    Bench b;
    b.m.card.zone(1).Text = QStringLiteral("a\r\nb");
    b.m.layout.cardCount = 2;
    QVERIFY(b.page());
    QCOMPARE(b.m.zonePrintLines[0].Lines[2], QStringLiteral("b"));
    QCOMPARE(b.surface.calls.count(QStringLiteral("Print(b)")), 2);
    QCOMPARE(b.surface.calls.count(QStringLiteral("Print(<LF>b)")), 0);
}

void TestPrintJobs::failureDiscardsTheJob_data() {
    QTest::addColumn<bool>("page");
    QTest::addColumn<QString>("failAt");
    QTest::addColumn<bool>("killDocFails");

    QTest::newRow("page, first call") << true << "first" << false;
    QTest::newRow("page, last drawing call") << true << "last Print" << false;
    QTest::newRow("page, EndDoc") << true << "EndDoc" << false;
    QTest::newRow("single, first call") << false << "first" << false;
    QTest::newRow("single, last drawing call") << false << "last Print" << false;
    QTest::newRow("page, no printer at all") << true << "first" << true;
    QTest::newRow("single, KillDoc fails too") << false << "last Print" << true;
}

void TestPrintJobs::failureDiscardsTheJob() {
    QFETCH(bool, page);
    QFETCH(QString, failAt);
    QFETCH(bool, killDocFails);
    int index = 0;
    {
        Bench dry;
        dry.m.card.zone(3).Text = QStringLiteral("fin");
        QVERIFY(page ? dry.page() : dry.single());
        const QStringList& calls = dry.surface.calls;
        if (failAt == QLatin1String("last Print")) {
            index = int(calls.size()) - 1;
            while (!calls.at(index).startsWith(QLatin1String("Print(")))
                --index;
        } else if (failAt == QLatin1String("EndDoc")) {
            index = int(calls.size()) - 1;
        }
    }
    Bench b;
    b.m.card.zone(3).Text = QStringLiteral("fin");
    b.surface.failAt = index;
    b.surface.failKillDoc = killDocFails;
    QVERIFY(!(page ? b.page() : b.single()));

    QCOMPARE(b.messages.shown.size(), 1);
    const MessageRequest box = b.messages.shown.first();
    QCOMPARE(box.prompt, QStringLiteral("Erreur d'impression ou de police non définie !"));
    QCOMPARE(box.title, QStringLiteral("Erreur"));
    QCOMPARE(box.icon, MsgIcon::Critical);
    QCOMPARE(box.buttons, MsgButtons::Ok);
    QCOMPARE(b.surface.killDocs, 1);
    QCOMPARE(b.surface.endDocs, 0);
    QCOMPARE(b.surface.calls.last(), QStringLiteral("KillDoc"));
    QCOMPARE(b.surface.calls.size(), index + 2); // nothing drawn after the failure
    QCOMPARE(b.progress.shows, 1);
    QVERIFY(!b.progress.visible);
}

QTEST_MAIN(TestPrintJobs)
#include "tst_printjobs.moc"
