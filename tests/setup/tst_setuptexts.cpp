#include "setup/PrintLayout.h"
#include "setup/SetupTexts.h"
#include "setup/SheetGeometry.h"

#include <QtTest>

class SetupTextsTest : public QObject {
    Q_OBJECT
private slots:
    void cardCount_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("forced"); // empty when the count is in range, with no message
        QTest::newRow("ten") << "10" << 10 << QString();
        QTest::newRow("eleven") << "11" << 10 << "10";
        QTest::newRow("negative pasted") << "-3" << 1 << "1";
        QTest::newRow("half rounds to even") << "2.5" << 2 << QString();
        QTest::newRow("three and a half") << "3.5" << 4 << QString();
        QTest::newRow("past 16 bits") << "99999999999" << 10 << "10";
        QTest::newRow("letters") << "ab" << 0 << QString();
    }
    void cardCount() {
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(QString, forced);
        const setup::CardCount read = setup::readCardCount(text);
        QCOMPARE(int(read.count), count);
        QCOMPARE(read.forcedText, forced);
        QCOMPARE(read.message, forced.isEmpty() ? QString()
                               : forced == "1"  ? QStringLiteral("Nombre minimum de cartes = 1")
                                                : QStringLiteral("Nombre maximum de cartes identiques = 10"));
    }

    void origin_data() {
        QTest::addColumn<QList<double>>("values"); // left, top, horizontal, vertical, width, height
        QTest::addColumn<int>("position");
        QTest::addColumn<QPointF>("corner");
        const QList<double> builtIn{5, 0, 0, 0, 85, 54};
        const QList<double> spaced{7, 4, 3, 2, 80, 50};
        QTest::newRow("Carte 10") << builtIn << 10 << QPointF(90, 216);
        QTest::newRow("Carte 6 with gaps") << spaced << 6 << QPointF(90, 108);
        QTest::newRow("Carte 7 with gaps") << spaced << 7 << QPointF(7, 160);
        QTest::newRow("negative gaps") << QList<double>{5, 0, -5, -4, 85, 54} << 4 << QPointF(85, 50);
    }
    void origin() {
        QFETCH(QList<double>, values);
        QFETCH(int, position);
        QFETCH(QPointF, corner);
        const PrintLayout l{values[0], values[1], values[2], values[3], values[4], values[5]};
        QCOMPARE(SheetPosition::origin(l, position), corner);
    }

    // Each measure box's mark spans exactly the margin, gap or size the box sets.
    void dimensionMarks_data() {
        using namespace sheetpicture;
        QTest::addColumn<int>("box");
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("bandFrom"); // the span lies across this band
        QTest::addColumn<int>("bandTo");
        const int sheetTop = 200;
        const QRect c1 = positionBox(1), c2 = positionBox(2), c3 = positionBox(3);
        QTest::newRow("Text1 left margin") << 1 << true << 0 << c1.left() << c1.top() << c1.bottom();
        QTest::newRow("Text2 between columns")
            << 2 << true << c1.right() + 1 << c2.left() << c2.top() << c1.bottom();
        QTest::newRow("Text3 top margin") << 3 << false << sheetTop << c1.top() << c1.left() << c1.right();
        QTest::newRow("Text4 between rows")
            << 4 << false << c1.bottom() + 1 << c3.top() << c3.left() << c1.right();
        QTest::newRow("Text5 card width")
            << 5 << true << c3.left() << c3.right() + 1 << c3.bottom() << c3.bottom() + 465;
        QTest::newRow("Text6 card height")
            << 6 << false << c3.top() << c3.bottom() + 1 << c3.right() << c2.left();
    }
    void dimensionMarks() {
        QFETCH(int, box);
        QFETCH(bool, horizontal);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, bandFrom);
        QFETCH(int, bandTo);
        const auto marks = sheetpicture::dimensions(200);
        const auto it =
            std::find_if(marks.begin(), marks.end(), [box](const auto& d) { return d.box == box; });
        QVERIFY(it != marks.end());
        const QLine span = it->span;
        QCOMPARE(span.dy() == 0, horizontal);
        const int a = horizontal ? span.x1() : span.y1();
        const int b = horizontal ? span.x2() : span.y2();
        QCOMPARE(qMin(a, b), from);
        QCOMPARE(qMax(a, b), to);
        const int across = horizontal ? span.y1() : span.x1();
        QVERIFY2(across >= bandFrom && across <= bandTo, qPrintable(QString::number(across)));

        // The box touches its mark: by a leader from its edge, or sitting on it.
        const QRect r = sheetpicture::measureBox(box).adjusted(0, 0, 1, 1);
        if (it->leader.isNull()) {
            QVERIFY(r.contains(span.center()));
        } else {
            QVERIFY(r.contains(it->leader.p1()));
            const QPoint end = it->leader.p2();
            QVERIFY(horizontal ? end.y() == span.y1() : end.x() == span.x1());
        }
        // No box covers a card.
        for (int n = 1; n <= 10; ++n)
            QVERIFY(!sheetpicture::measureBox(box).intersects(sheetpicture::positionBox(n)));
    }
};

QTEST_GUILESS_MAIN(SetupTextsTest)
#include "tst_setuptexts.moc"
