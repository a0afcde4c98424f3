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
    bool run(bool page) {
        DecoupeLignes(m.card, m.zonePrintLines);
        const PrintContext context{m, surface, messages, progress};
        return page ? Imprim10Cartes(context) : Imprim1Carte(context);
    }
    // Where the logo was drawn, "x, y" per picture.
    QStringList logos() const {
        QStringList out;
        for (const QString& c : surface.calls)
            if (c.startsWith(QLatin1String("PaintPicture(")))
                out << c.mid(13).section(QLatin1String(", "), 0, 1);
        return out;
    }
};

// What each stage of the drawing starts with, in the order drawn.
QString stages(const QStringList& calls) {
    const std::pair<const char*, const char*> starts[] = {
        {"DrawStyle=0", "frame"}, {"DrawStyle=3", "cuts"}, {"PaintPicture", "logo"}, {"FontName=", "zone"}};
    QStringList out;
    for (const QString& c : calls)
        for (const auto& [start, stage] : starts)
            if (c.startsWith(QLatin1String(start)))
                out << QString::fromUtf8(stage);
    return out.join(QLatin1Char(' '));
}

} // namespace

// "frame" and "cuts" in `printed` ask for the frame and the cut marks.
static void orderRow(const char* name, bool page, const char* printed, const char* logo,
                     const QString& stages) {
    QTest::newRow(name) << page << QString::fromUtf8(printed) << QString::fromUtf8(logo)
                        << stages + " zone zone zone";
}

class TestPrintJobs : public QObject {
    Q_OBJECT
private slots:
    void oneCardCallSequence() {
        Bench b;
        b.m.layout.cardHeight = 50; // zone tops at 16.5 and 33 mm, exact in single precision
        b.m.layout.cardCount = 1;
        b.m.card.zone(1).Text = QStringLiteral("a\r\nb");
        b.m.card.zone(1).FontSize = 10;
        b.m.card.zone(1).FontBold = true;
        b.m.card.zone(1).ForeColor = 255;
        b.m.card.zone(2).Text = QStringLiteral(" x ");
        b.m.card.zone(2).Alignment = qint16(ZoneAlignment::Right);
        b.m.card.zone(2).FontItalic = true;
        b.m.card.zone(3).Text = QStringLiteral("yy");
        b.m.card.zone(3).Alignment = qint16(ZoneAlignment::Centre);
        b.m.card.zone(3).FontName = QStringLiteral("Courier New");
        b.m.card.Logo.Left = 5;
        b.m.card.Logo.Top = 4;
        b.m.card.Logo.Width = 12.5;
        b.m.card.Logo.Height = 10;
        QVERIFY(b.run(true));

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
            "FontName=Arial", "FontSize=10", "FontBold=true", "FontItalic=false", "ForeColor=255",
            "CurrentX=20", "CurrentY=4", "Print(a<CR>)", "CurrentX=20", "CurrentY=8", "Print(b)",
            // Zone 2, trimmed, right edge at 78 mm; one line steps by half a line height.
            "FontName=Arial", "FontSize=8.25", "FontBold=false", "FontItalic=true", "ForeColor=2147483656",
            "CurrentX=81", "CurrentY=18.5", "Print(x)",
            // Zone 3 centred on 42.5 mm.
            "FontName=Courier New", "FontSize=8.25", "FontBold=false", "FontItalic=false",
            "ForeColor=2147483656", "CurrentX=45.5", "CurrentY=35", "Print(yy)", "EndDoc"};
        QCOMPARE(b.surface.calls, expected);
        QCOMPARE(b.surface.endDocs, 1);
        QVERIFY(b.progress.visible); // the print command hides it
        QVERIFY(b.messages.shown.isEmpty());
    }

    void drawingOrders_data() {
        QTest::addColumn<bool>("page");
        QTest::addColumn<QString>("printed");
        QTest::addColumn<QString>("logoPath");
        QTest::addColumn<QString>("stages");
        orderRow("page", true, "frame cuts", "", "frame cuts logo");
        orderRow("single card", false, "frame cuts", "", "logo frame cuts");
        orderRow("page without frame", true, "cuts", "/x/logo.bmp", "cuts logo");
        orderRow("single without cut marks", false, "frame", "/x/logo.bmp", "logo frame");
        orderRow("single, no logo", false, "frame cuts", "AUCUN", "frame cuts");
        orderRow("lower case is a file name", true, "", "aucun", "logo");
    }

    void drawingOrders() {
        QFETCH(bool, page);
        QFETCH(QString, printed);
        QFETCH(QString, logoPath);
        QFETCH(QString, stages);
        Bench b;
        b.m.layout.cardCount = 1;
        b.m.layout.printFrame = printed.contains(QLatin1String("frame"));
        b.m.layout.printCutMarks = printed.contains(QLatin1String("cuts"));
        b.m.card.Logo.Path = logoPath;
        b.m.cardOrigin = {5, 0};
        QVERIFY(b.run(page));
        QCOMPARE(::stages(b.surface.calls), stages);
        QCOMPARE(b.surface.calls.at(3), page ? QStringLiteral("LineWidth=3") : QStringLiteral("LineWidth=5"));
    }

    void pageCellOrigins_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<PrintLayout>("layout");
        QTest::addColumn<QString>("logos");
        const PrintLayout defaults;
        QTest::newRow("none") << 0 << defaults << "";
        QTest::newRow("one") << 1 << defaults << "5, 0";
        QTest::newRow("three") << 3 << defaults << "5, 0|90, 0|5, 54";
        QTest::newRow("ten") << 10 << defaults
                             << "5, 0|90, 0|5, 54|90, 54|5, 108|90, 108|5, 162|90, 162|5, 216|90, 216";
        const PrintLayout gaps{10, 7, 3, 2, 80, 50}; // margins, separators, card size
        QTest::newRow("gaps, ten")
            << 10 << gaps << "10, 7|93, 7|10, 59|93, 59|10, 111|93, 111|10, 163|93, 163|10, 215|93, 215";
    }

    void pageCellOrigins() {
        QFETCH(int, count);
        QFETCH(PrintLayout, layout);
        QFETCH(QString, logos);
        Bench b;
        b.m.layout = layout;
        b.m.layout.cardCount = qint16(count);
        b.m.card.zone(1).Text = QStringLiteral("a\r\nb");
        QVERIFY(b.run(true));
        // The first card drops the second line's leading LF for the rest of the job.
        QCOMPARE(b.surface.calls.count(QStringLiteral("Print(b)")), count);
        QCOMPARE(b.m.zonePrintLines[0].Lines[2], count ? QStringLiteral("b") : QStringLiteral("\nb"));
        // The logo sits at the card's corner (Left = Top = 0): one picture per cell.
        QCOMPARE(b.logos().join(QLatin1Char('|')), logos);
        QCOMPARE(b.surface.calls.count(QStringLiteral("EndDoc")), 1);
        QCOMPARE(b.surface.calls.last(), QStringLiteral("EndDoc"));
        if (count == 0)
            QCOMPARE(b.surface.calls.size(), 5);
        else // the origin of the last cell stays
            QCOMPARE(QStringLiteral("%1, %2").arg(b.m.cardOrigin.X).arg(b.m.cardOrigin.Y), b.logos().last());
    }

    void failureDiscardsTheJob_data() {
        QTest::addColumn<bool>("page");
        QTest::addColumn<QString>("failAt");
        QTest::addColumn<bool>("killDocFails");
        QTest::newRow("page, first call") << true << "first" << false;
        QTest::newRow("page, last drawing call") << true << "Print(fin)" << false;
        QTest::newRow("page, EndDoc") << true << "EndDoc" << false;
        QTest::newRow("single, first call") << false << "first" << false;
        QTest::newRow("single, last drawing call") << false << "Print(fin)" << false;
        QTest::newRow("page, no printer at all") << true << "first" << true;
        QTest::newRow("single, KillDoc fails too") << false << "Print(fin)" << true;
    }

    void failureDiscardsTheJob() {
        QFETCH(bool, page);
        QFETCH(QString, failAt);
        QFETCH(bool, killDocFails);
        Bench dry, b;
        dry.m.card.zone(3).Text = b.m.card.zone(3).Text = QStringLiteral("fin");
        QVERIFY(dry.run(page));
        const int index = failAt == QLatin1String("first") ? 0 : int(dry.surface.calls.lastIndexOf(failAt));
        QVERIFY(index >= 0);
        b.surface.failAt = index;
        b.surface.failKillDoc = killDocFails;
        QVERIFY(!b.run(page));

        QCOMPARE(b.messages.shown.size(), 1);
        const MessageRequest box = b.messages.shown.first();
        QCOMPARE(box.prompt, QStringLiteral("Erreur d'impression ou de police non définie !"));
        QCOMPARE(box.title, QStringLiteral("Erreur"));
        QCOMPARE(box.icon, MsgIcon::Critical);
        QCOMPARE(box.buttons, MsgButtons::Ok);
        // The failed call, then KillDoc, and nothing drawn or sent after.
        QCOMPARE(b.surface.calls.mid(index), (QStringList{dry.surface.calls.at(index), "KillDoc"}));
        QCOMPARE(b.progress.shows, 1);
        QVERIFY(!b.progress.visible);
    }
};

QTEST_MAIN(TestPrintJobs)
#include "tst_printjobs.moc"
