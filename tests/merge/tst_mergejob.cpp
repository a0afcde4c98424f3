#include "TestPlatform.h"
#include "merge/MergeFields.h"
#include "merge/MergeJob.h"
#include "merge/RowCheck.h"
#include "print/CardDrawing.h"

#include <QRegularExpression>
#include <QTest>

namespace {

QString placements(const std::vector<CardPlacement>& cards) {
    QStringList out;
    for (const CardPlacement& c : cards)
        out << QStringLiteral("%1.%2=%3").arg(c.sheet).arg(c.cell).arg(c.row);
    return out.join(QLatin1Char(' '));
}

CsvTable people(int count) {
    QByteArray bytes = "Nom;Poste\n";
    for (int i = 1; i <= count; ++i)
        bytes += "P" + QByteArray::number(i) + ";Poste " + QByteArray::number(i) + "\n";
    return csv::parse(bytes);
}

CardDocument fieldCard() {
    CardDocument card;
    card.Logo.Path = QStringLiteral("AUCUN");
    card.zone(1).Text = QStringLiteral("{Nom}");
    card.zone(2).Text = QStringLiteral("«Poste»");
    card.zone(3).Text = QStringLiteral("Kalimo");
    return card;
}

// What the surface was asked to print, one entry per zone-1 line, with "|" at each new page.
QStringList namesPrinted(const QStringList& calls) {
    QStringList out;
    for (const QString& c : calls)
        if (c == QLatin1String("NewPage"))
            out << QStringLiteral("|");
        else if (QRegularExpression(QStringLiteral("^Print\\(P\\d+\\)$")).match(c).hasMatch())
            out << c.mid(6, c.size() - 7);
    return out;
}

// The cell origins of the cards drawn, from the first corner of each cut mark.
QStringList cellsDrawn(const QStringList& calls, const PrintLayout& layout) {
    QStringList out;
    for (const QString& c : calls) {
        if (c == QLatin1String("NewPage"))
            out << QStringLiteral("|");
        for (int n = 1; n <= 10; ++n) {
            const CardOrigin o = cellOrigin(layout, n);
            if (c.startsWith(QStringLiteral("Line(%1, %2, ").arg(o.X, 0, 'g', 10).arg(o.Y, 0, 'g', 10)) &&
                c.contains(
                    QStringLiteral(", %1, %2,").arg(o.X + layout.cardWidth, 0, 'g', 10).arg(o.Y, 0, 'g', 10)))
                out << QString::number(n);
        }
    }
    return out;
}

} // namespace

// The sheets a run fills, what it draws on each, and the rows it refuses.
class TestMergeJob : public QObject {
    Q_OBJECT
private slots:
    void fillsTheSheets_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("cards");
        const int one = int(SheetFilling::Mode::OneCardPerRow),
                  copies = int(SheetFilling::Mode::CopiesPerRow);
        QTest::newRow("three rows from the first cell") << one << 1 << 0 << 3 << "0.1=0 0.2=1 0.3=2";
        QTest::newRow("eleven rows: a second sheet")
            << one << 1 << 0 << 11 << "0.1=0 0.2=1 0.3=2 0.4=3 0.5=4 0.6=5 0.7=6 0.8=7 0.9=8 0.10=9 1.1=10";
        QTest::newRow("start at 9: the first sheet only")
            << one << 9 << 0 << 5 << "0.9=0 0.10=1 1.1=2 1.2=3 1.3=4";
        QTest::newRow("start at 10") << one << 10 << 0 << 2 << "0.10=0 1.1=1";
        QTest::newRow("start beyond the sheet taken as 10") << one << 14 << 0 << 1 << "0.10=0";
        QTest::newRow("no row") << one << 3 << 0 << 0 << "";
        QTest::newRow("three copies per row")
            << copies << 5 << 3 << 2 << "0.1=0 0.2=0 0.3=0 1.1=1 1.2=1 1.3=1";
        QTest::newRow("ten copies of one row")
            << copies << 1 << 10 << 1 << "0.1=0 0.2=0 0.3=0 0.4=0 0.5=0 0.6=0 0.7=0 0.8=0 0.9=0 0.10=0";
        QTest::newRow("one copy per row, a sheet each") << copies << 1 << 1 << 3 << "0.1=0 1.1=1 2.1=2";
    }

    void fillsTheSheets() {
        QFETCH(int, mode);
        QFETCH(int, start);
        QFETCH(int, copies);
        QFETCH(int, rows);
        QFETCH(QString, cards);
        const SheetFilling filling{SheetFilling::Mode(mode), start, copies};
        QCOMPARE(placements(placeCards(filling, rows)), cards);
    }

    // 23 rows from cell 4: three sheets in one document, each card with its own row's text.
    void drawsEveryRowInItsCell() {
        const CsvTable table = people(23);
        const CardDocument card = fieldCard();
        const PrintLayout layout;
        std::vector<int> rows;
        for (int i = 0; i < 23; ++i)
            rows.push_back(i);
        RecordingPrinterSurface surface;
        QList<int> told;
        const MergeJob job{card, layout, table, rows, {SheetFilling::Mode::OneCardPerRow, 4, 10}};
        QCOMPARE(runMergeJob(surface, job,
                             [&told](int done, int total) {
                                 told << done;
                                 return total == 23;
                             }),
                 MergeOutcome::Done);
        QCOMPARE(surface.calls.count(QStringLiteral("NewPage")), 2);
        QCOMPARE(surface.calls.last(), QStringLiteral("EndDoc"));
        QCOMPARE(surface.endDocs, 1);
        QStringList expected;
        for (int i = 1; i <= 23; ++i) {
            if (i == 8 || i == 18)
                expected << QStringLiteral("|");
            expected << QStringLiteral("P%1").arg(i);
        }
        QCOMPARE(namesPrinted(surface.calls), expected);
        QCOMPARE(cellsDrawn(surface.calls, layout).join(QLatin1Char(' ')),
                 QStringLiteral("4 5 6 7 8 9 10 | 1 2 3 4 5 6 7 8 9 10 | 1 2 3 4 5 6"));
        QCOMPARE(told.size(), 23);
        QCOMPARE(told.last(), 23);
        QVERIFY(surface.calls.contains(QStringLiteral("Print(Poste 23)")));
    }

    // Chosen rows only, in the order given, each on a sheet of its own copies.
    void drawsCopiesOfChosenRows() {
        const CsvTable table = people(5);
        const CardDocument card = fieldCard();
        const PrintLayout layout;
        RecordingPrinterSurface surface;
        const MergeJob job{card, layout, table, {4, 1}, {SheetFilling::Mode::CopiesPerRow, 1, 3}};
        QCOMPARE(runMergeJob(surface, job), MergeOutcome::Done);
        QCOMPARE(namesPrinted(surface.calls), (QStringList{"P5", "P5", "P5", "|", "P2", "P2", "P2"}));
        QCOMPARE(cellsDrawn(surface.calls, layout).join(QLatin1Char(' ')), QStringLiteral("1 2 3 | 1 2 3"));
        QVERIFY(surface.calls.contains(QStringLiteral("Print(Kalimo)")));
    }

    // A stop or a failure abandons the whole document: nothing reaches paper or file.
    void abandonsTheWholeDocument_data() {
        QTest::addColumn<int>("stopAfter");
        QTest::addColumn<bool>("failOnSecondSheet");
        QTest::addColumn<int>("outcome");
        QTest::newRow("stopped after the 12th card") << 12 << false << int(MergeOutcome::Cancelled);
        QTest::newRow("stopped at the last card") << 15 << false << int(MergeOutcome::Cancelled);
        QTest::newRow("surface fails on the new page") << 0 << true << int(MergeOutcome::Failed);
    }

    void abandonsTheWholeDocument() {
        QFETCH(int, stopAfter);
        QFETCH(bool, failOnSecondSheet);
        QFETCH(int, outcome);
        const CsvTable table = people(15);
        const CardDocument card = fieldCard();
        const PrintLayout layout;
        std::vector<int> rows;
        for (int i = 0; i < 15; ++i)
            rows.push_back(i);
        RecordingPrinterSurface probe;
        const MergeJob job{card, layout, table, rows, {}};
        runMergeJob(probe, job);
        RecordingPrinterSurface surface;
        if (failOnSecondSheet)
            surface.failAt = int(probe.calls.indexOf(QStringLiteral("NewPage")));
        int drawn = 0;
        const auto progress = [&](int done, int) {
            drawn = done;
            return stopAfter == 0 || done < stopAfter;
        };
        QCOMPARE(int(runMergeJob(surface, job, progress)), outcome);
        QCOMPARE(surface.endDocs, 0);
        QCOMPARE(surface.killDocs, 1);
        QCOMPARE(drawn, failOnSecondSheet ? 10 : stopAfter);
    }

    void findsTheRowsThatBreakTheCard_data() {
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<QStringList>("problems");
        QTest::newRow("sound") << QByteArray("Léa;Gérante") << QStringList{};
        QTest::newRow("fewer values than fields") << QByteArray("Léa") << QStringList{};
        QTest::newRow("one value too many")
            << QByteArray("Léa;Gérante;Lyon")
            << QStringList{"3 valeurs pour 2 champs : un séparateur de trop ?"};
        QTest::newRow("name past the right edge")
            << QByteArray("Léa Marguerite Henriette de la Tour d'Auvergne-Lauraguais;x")
            << QStringList{"La ligne 1 de la zone 1 dépasse le bord droit de la carte."};
        QTest::newRow("sixteen lines in zone 2")
            << QByteArray("Léa;\"1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14\n15\n16\"")
            << QStringList{"La zone 2 compte plus de 15 lignes."};
        QTest::newRow("fifteen lines print")
            << QByteArray("Léa;\"1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14\n15\"") << QStringList{};
    }

    void findsTheRowsThatBreakTheCard() {
        QFETCH(QByteArray, row);
        QFETCH(QStringList, problems);
        const CsvTable table = csv::parse("Nom;Poste\n" + row + "\n");
        QVERIFY(table.ok());
        CardDocument card = fieldCard();
        card.zone(1).FontName = QStringLiteral("DejaVu Sans");
        card.zone(1).FontSize = 14;
        card.zone(2).FontSize = 2;
        const PrintLayout layout;
        QCOMPARE(rowProblems(mergefields::cardForRow(card, table, table.rows.front()), layout, table,
                             table.rows.front()),
                 problems);
        const MergeCheck check = checkMerge(card, layout, table);
        QCOMPARE(check.rowIsSound(0), problems.isEmpty());
        QVERIFY(check.missingFields.isEmpty());
    }
};

QTEST_MAIN(TestMergeJob)
#include "tst_mergejob.moc"
