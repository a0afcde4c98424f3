#include "TestPlatform.h"
#include "app/Module1.h"
#include "print/DecoupeLignes.h"
#include "print/PrintJobs.h"
#include "print/PrintProgress.h"

#include <QTest>

// One job's world: the card, the recording surface, the boxes.
struct Bench {
    Module1 m;
    RecordingPrinterSurface surface;
    FakeMessageBoxes messages;
    NoPrintProgress progress;
    bool run(bool page) {
        DecoupeLignes(m.card, m.zonePrintLines);
        const PrintContext context{m, surface, messages, progress};
        return page ? Imprim10Cartes(context) : Imprim1Carte(context);
    }
    // What the job drew, in order: frame, cuts, the logo's "x, y" and zones.
    QString drawn() const {
        QStringList out;
        for (const QString& c : surface.calls)
            if (c == "DrawStyle=0" || c == "DrawStyle=3" || c.startsWith("FontName="))
                out << (c.startsWith('F') ? "zone" : c.endsWith('0') ? "frame" : "cuts");
            else if (c.startsWith(QLatin1String("PaintPicture(")))
                out << c.mid(13).section(QLatin1String(", "), 0, 1);
        return out.join(QLatin1Char(' ')).replace(QLatin1String("zone zone zone"), QLatin1String("zones"));
    }
};

class TestPrintJobs : public QObject {
    Q_OBJECT
private slots:
    void oneCardCallSequence() {
        Bench b;
        b.m.layout.cardHeight = 50; // zone tops at 16.5 and 33 mm, exact in single precision
        b.m.layout.cardCount = 1;
        const quint32 text = colour::WindowText;
        const qint16 right = qint16(ZoneAlignment::Right), centre = qint16(ZoneAlignment::Centre);
        // Text, font, size, bold, italic, underline, strikethrough, colour, alignment.
        b.m.card.Zones = {TextZone{"a\r\nb", "Arial", 10, true, false, false, false, 255},
                          TextZone{" x ", "Arial", 8.25f, false, true, false, false, text, right},
                          TextZone{"yy", "Courier New", 8.25f, false, false, false, false, text, centre}};
        CardLogo& logo = b.m.card.Logo;
        std::tie(logo.Left, logo.Top, logo.Width, logo.Height) = std::tuple(5, 4, 12.5, 10);
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
    }

    // The two drawing orders, and the cells of a page: the logo at each card's corner marks them.
    void drawingOrders_data() {
        QTest::addColumn<bool>("page");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("logo");
        QTest::addColumn<QString>("drawn");
        const auto row = [](const char* name, bool page, int count, const char* logo, const QString& drawn) {
            QTest::newRow(name) << page << count << QString::fromUtf8(logo) << drawn;
        };
        row("page", true, 1, "", "frame cuts 5, 0 zones");
        row("single card", false, 1, "", "5, 0 frame cuts zones");
        row("single, no logo", false, 1, "AUCUN", "frame cuts zones");
        row("lower case is a file", false, 1, "aucun", "5, 0 frame cuts zones");
        row("N = 0", true, 0, "", "");
        row("N = 3", true, 3, "", "frame cuts 5, 0 zones frame cuts 90, 0 zones frame cuts 5, 54 zones");
    }

    void drawingOrders() {
        QFETCH(bool, page);
        QFETCH(int, count);
        QFETCH(QString, logo);
        QFETCH(QString, drawn);
        Bench b;
        b.m.layout.cardCount = qint16(count);
        b.m.card.Logo.Path = logo;
        b.m.cardOrigin = {5, 0};
        QVERIFY(b.run(page));
        QCOMPARE(b.drawn(), drawn);
        QCOMPARE(b.surface.calls.at(3), page ? QStringLiteral("LineWidth=3") : QStringLiteral("LineWidth=5"));
    }

    // A failing call: one message, KillDoc, and nothing drawn or sent after.
    void failureDiscardsTheJob_data() {
        QTest::addColumn<bool>("page");
        QTest::addColumn<QString>("failAt");
        QTest::addColumn<bool>("killDocFails");
        QTest::newRow("page, first call") << true << "Orientation=1" << false;
        QTest::newRow("page, last drawing call") << true << "Print(fin)" << false;
        QTest::newRow("single, first call, no printer") << false << "Orientation=1" << true;
    }

    void failureDiscardsTheJob() {
        QFETCH(bool, page);
        QFETCH(QString, failAt);
        QFETCH(bool, killDocFails);
        Bench dry, b;
        dry.m.card.zone(3).Text = b.m.card.zone(3).Text = QStringLiteral("fin");
        QVERIFY(dry.run(page));
        b.surface.failAt = int(dry.surface.calls.lastIndexOf(failAt));
        b.surface.failKillDoc = killDocFails;
        QVERIFY(!b.run(page));
        QCOMPARE(b.surface.calls.mid(b.surface.failAt), (QStringList{failAt, "KillDoc"}));
        QCOMPARE(b.messages.shown.size(), 1);
        QCOMPARE(b.messages.shown.first().prompt,
                 QStringLiteral("Erreur d'impression ou de police non définie !"));
    }
};

QTEST_MAIN(TestPrintJobs)
#include "tst_printjobs.moc"
