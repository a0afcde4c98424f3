#include "app/CardModel.h"
#include "print/DecoupeLignes.h"

#include <QTest>

class TestDecoupeLignes : public QObject {
    Q_OBJECT
private slots:
    void cutsEachZone_data() {
        QTest::addColumn<int>("zone");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("lines"); // joined by '|', CR and LF written out; "refused": too many
        const auto row = [](const char* name, int zone, const QString& text, const QString& lines) {
            QTest::newRow(name) << zone << text << lines;
        };
        const QString x15 = QString("x\r\n").repeated(14) + "x";
        row("empty", 1, "", "");
        row("a CR LF b", 1, "a\r\nb", "a<CR>|<LF>b");
        // Zone 1 trims its last line only, zone 2 the whole text, zone 3 nothing.
        row("blanks, zone 1", 1, " a\r\nb ", " a<CR>|<LF>b");
        row("blanks, zone 2", 2, " a\r\nb ", "a<CR>|<LF>b");
        row("blanks, zone 3", 3, " a\r\nb ", " a<CR>|<LF>b ");
        row("tabs are no blanks", 2, "\ta\t", "\ta\t");
        row("a lone CR or LF stays", 1, "a\rb\nc", "a<CR>b<LF>c");
        row("LF CR is no break", 3, "a\n\rb", "a<LF><CR>b");
        row("ends with CR LF", 3, "a\r\n", "a<CR>|<LF>");
        row("15 lines", 2, x15, QString(x15).replace("\r\n", "<CR>|<LF>"));
        row("16 lines, zone 1", 1, x15 + "\r\nx", "refused");
        row("40 lines, zone 3", 3, QString("x\r\n").repeated(39) + "x", "refused");
    }

    void cutsEachZone() {
        QFETCH(int, zone);
        QFETCH(QString, text);
        QFETCH(QString, lines);
        CardDocument card;
        card.zone(zone).Text = text;
        std::array<ZonePrintLines, 3> out;
        out[0].Count = 1;
        out[0].Lines[1] = QStringLiteral("before");
        int tooLong = 0;
        QCOMPARE(DecoupeLignes(card, out, &tooLong), lines != QLatin1String("refused"));
        if (tooLong) { // nothing was cut
            QCOMPARE(tooLong, zone);
            QCOMPARE(out[0].Lines[1], QStringLiteral("before"));
            return;
        }
        for (int n = 1; n <= 3; ++n) { // the other zones, empty, give one empty line each
            const ZonePrintLines& z = out[std::size_t(n - 1)];
            QStringList got;
            for (int i = 1; i <= z.Count; ++i)
                got << QString(z.Lines[std::size_t(i)]).replace('\r', "<CR>").replace('\n', "<LF>");
            QCOMPARE(got.join('|'), n == zone ? lines : QString());
        }
    }
};

QTEST_APPLESS_MAIN(TestDecoupeLignes)
#include "tst_decoupelignes.moc"
