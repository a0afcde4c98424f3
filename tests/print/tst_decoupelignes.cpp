#include "app/CardModel.h"
#include "print/DecoupeLignes.h"

#include <QTest>

// The lines of a zone joined by '|', with <CR> and <LF> written out.
static QString shown(const ZonePrintLines& z) {
    QStringList out;
    for (int i = 1; i <= z.Count; ++i)
        out << QString(z.Lines[std::size_t(i)])
                   .replace(QLatin1Char('\r'), QLatin1String("<CR>"))
                   .replace(QLatin1Char('\n'), QLatin1String("<LF>"));
    return out.join(QLatin1Char('|'));
}

static QString numberedLines(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QString::number(i);
    return lines.join(QLatin1String("\r\n"));
}

static void row(const char* name, int zone, const QString& text, const QString& lines) {
    QTest::newRow(name) << zone << text << lines;
}

class TestDecoupeLignes : public QObject {
    Q_OBJECT
private slots:
    void cutsEachZone_data() {
        QTest::addColumn<int>("zone");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("lines");
        row("empty", 1, "", "");
        row("a CR LF b", 1, "a\r\nb", "a<CR>|<LF>b");
        // Zone 1 trims its last line only, zone 2 the whole text, zone 3 nothing.
        row("blanks, zone 1", 1, " a ", "a");
        row("blanks, zone 2", 2, " a ", "a");
        row("blanks, zone 3", 3, " a ", " a ");
        row("two lines, zone 1", 1, " a\r\nb ", " a<CR>|<LF>b");
        row("two lines, zone 2", 2, " a\r\nb ", "a<CR>|<LF>b");
        row("two lines, zone 3", 3, " a\r\nb ", " a<CR>|<LF>b ");
        row("a lone CR or LF stays in its line", 1, "a\rb\nc", "a<CR>b<LF>c");
        row("LF CR is no break", 3, "a\n\rb", "a<LF><CR>b");
        row("ends with CR LF", 3, "a\r\n", "a<CR>|<LF>");
        row("empty lines", 3, "\r\n\r\n", "<CR>|<LF><CR>|<LF>");
        row("tabs are no blanks", 2, "\ta\t", "\ta\t");
        row("15 lines", 2, numberedLines(15), numberedLines(15).replace("\r\n", "<CR>|<LF>"));
    }

    void cutsEachZone() {
        QFETCH(int, zone);
        QFETCH(QString, text);
        QFETCH(QString, lines);
        CardDocument card;
        card.zone(zone).Text = text;
        std::array<ZonePrintLines, 3> out;
        QVERIFY(DecoupeLignes(card, out));
        for (int n = 1; n <= 3; ++n) { // the other zones, empty, give one empty line each
            QCOMPARE(shown(out[std::size_t(n - 1)]), n == zone ? lines : QString());
            QCOMPARE(int(out[std::size_t(n - 1)].Count),
                     n == zone ? int(lines.count(QLatin1Char('|'))) + 1 : 1);
        }
    }

    void lineLimit_data() {
        QTest::addColumn<int>("zone");
        QTest::addColumn<int>("lineCount");
        QTest::newRow("zone 1, 16 lines") << 1 << 16;
        QTest::newRow("zone 2, 16 lines") << 2 << 16;
        QTest::newRow("zone 3, 40 lines") << 3 << 40;
    }

    void lineLimit() {
        QFETCH(int, zone);
        QFETCH(int, lineCount);
        CardDocument card;
        card.zone(1).Text = QStringLiteral("kept");
        card.zone(zone).Text = numberedLines(lineCount);
        std::array<ZonePrintLines, 3> out;
        out[0].Lines[1] = QStringLiteral("before");
        out[0].Count = 1;
        int tooLong = 0;
        QVERIFY(!DecoupeLignes(card, out, &tooLong));
        QCOMPARE(tooLong, zone);
        QCOMPARE(out[0].Lines[1], QStringLiteral("before")); // nothing was cut
        QVERIFY(zoneTooLongMessage(zone).contains(QStringLiteral("zone de texte %1").arg(zone)));
    }
};

QTEST_APPLESS_MAIN(TestDecoupeLignes)
#include "tst_decoupelignes.moc"
