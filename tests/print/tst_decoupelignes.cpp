#include "app/CardModel.h"
#include "print/DecoupeLignes.h"

#include <QTest>

class TestDecoupeLignes : public QObject {
    Q_OBJECT
private slots:
    void cutsEachZone_data();
    void cutsEachZone();
    void fifteenLinesAreAccepted();
    void sixteenLinesAreRefused_data();
    void sixteenLinesAreRefused();
};

// Lines are written with <CR> and <LF> for readability.
static QString shown(const ZonePrintLines& z) {
    QStringList out;
    for (int i = 1; i <= z.Count; ++i)
        out << QString(z.Lines[std::size_t(i)])
                   .replace(QLatin1Char('\r'), QLatin1String("<CR>"))
                   .replace(QLatin1Char('\n'), QLatin1String("<LF>"));
    return out.join(QLatin1Char('|'));
}

void TestDecoupeLignes::cutsEachZone_data() {
    QTest::addColumn<int>("zone");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("lines");

    QTest::newRow("empty zone 1") << 1 << ""
                                  << "";
    QTest::newRow("empty zone 3") << 3 << ""
                                  << "";
    QTest::newRow("a CR LF b") << 1 << "a\r\nb"
                               << "a<CR>|<LF>b";
    QTest::newRow("a CR LF b, zone 3") << 3 << "a\r\nb"
                                       << "a<CR>|<LF>b";
    QTest::newRow("blanks, zone 1") << 1 << " a "
                                    << "a";
    QTest::newRow("blanks, zone 2") << 2 << " a "
                                    << "a";
    QTest::newRow("blanks, zone 3") << 3 << " a "
                                    << " a ";
    // Zone 1 trims its last line only, zone 2 the whole text, zone 3 nothing.
    QTest::newRow("two lines, zone 1") << 1 << " a\r\nb "
                                       << " a<CR>|<LF>b";
    QTest::newRow("two lines, zone 2") << 2 << " a\r\nb "
                                       << "a<CR>|<LF>b";
    QTest::newRow("two lines, zone 3") << 3 << " a\r\nb "
                                       << " a<CR>|<LF>b ";
    QTest::newRow("a lone CR stays in its line") << 1 << "a\rb"
                                                 << "a<CR>b";
    QTest::newRow("a lone LF stays in its line") << 2 << "a\nb"
                                                 << "a<LF>b";
    QTest::newRow("LF CR is no break") << 3 << "a\n\rb"
                                       << "a<LF><CR>b";
    QTest::newRow("ends with CR LF") << 3 << "a\r\n"
                                     << "a<CR>|<LF>";
    QTest::newRow("empty lines") << 3 << "\r\n\r\n"
                                 << "<CR>|<LF><CR>|<LF>";
    QTest::newRow("tabs are no blanks") << 2 << "\ta\t"
                                        << "\ta\t";
}

void TestDecoupeLignes::cutsEachZone() {
    QFETCH(int, zone);
    QFETCH(QString, text);
    QFETCH(QString, lines);
    CardDocument card;
    card.zone(zone).Text = text;
    std::array<ZonePrintLines, 3> out;
    QVERIFY(DecoupeLignes(card, out));
    QCOMPARE(shown(out[std::size_t(zone - 1)]), lines);
    QCOMPARE(int(out[std::size_t(zone - 1)].Count), int(lines.count(QLatin1Char('|')) + 1));
    // The other zones, empty, give one empty line each.
    for (int n = 1; n <= 3; ++n)
        if (n != zone)
            QCOMPARE(int(out[std::size_t(n - 1)].Count), 1);
}

void TestDecoupeLignes::fifteenLinesAreAccepted() {
    CardDocument card;
    QStringList lines;
    for (int i = 1; i <= 15; ++i)
        lines << QString::number(i);
    card.zone(2).Text = lines.join(QLatin1String("\r\n"));
    std::array<ZonePrintLines, 3> out;
    QVERIFY(DecoupeLignes(card, out));
    QCOMPARE(int(out[1].Count), 15);
    QCOMPARE(out[1].Lines[1], QStringLiteral("1\r"));
    QCOMPARE(out[1].Lines[15], QStringLiteral("\n15"));
}

void TestDecoupeLignes::sixteenLinesAreRefused_data() {
    QTest::addColumn<int>("zone");
    QTest::addColumn<int>("lineCount");
    QTest::newRow("zone 1, 16 lines") << 1 << 16;
    QTest::newRow("zone 2, 16 lines") << 2 << 16;
    QTest::newRow("zone 3, 40 lines") << 3 << 40;
}

void TestDecoupeLignes::sixteenLinesAreRefused() {
    QFETCH(int, zone);
    QFETCH(int, lineCount);
    CardDocument card;
    card.zone(1).Text = QStringLiteral("kept");
    QStringList lines;
    for (int i = 1; i <= lineCount; ++i)
        lines << QStringLiteral("x");
    card.zone(zone).Text = lines.join(QLatin1String("\r\n"));
    std::array<ZonePrintLines, 3> out;
    out[0].Lines[1] = QStringLiteral("before");
    out[0].Count = 1;
    int tooLong = 0;
    QVERIFY(!DecoupeLignes(card, out, &tooLong));
    QCOMPARE(tooLong, zone);
    // Nothing was cut: the lines of the previous print stay.
    QCOMPARE(out[0].Lines[1], QStringLiteral("before"));
    QVERIFY(zoneTooLongMessage(zone).contains(QStringLiteral("zone de texte %1").arg(zone)));
}

QTEST_APPLESS_MAIN(TestDecoupeLignes)
#include "tst_decoupelignes.moc"
