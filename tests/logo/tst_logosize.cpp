#include "logo/LogoSize.h"
#include "logo/LogoUnits.h"

#include <QtTest>
#include <climits>

using namespace logosize;

class LogoSizeTest : public QObject {
    Q_OBJECT
private slots:
    // A size read back from twips is cut to two decimals; a bar takes it rounded, halves to even,
    // and never beyond what an int holds.
    void rounding_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("truncated");
        QTest::addColumn<int>("position");
        QTest::newRow("start-up box") << 630 / 56.7 << 11.11 << 11;
        QTest::newRow("just below 3.4") << double(float(3.4 * 56.7)) / 56.7 << 3.39 << 3;
        QTest::newRow("just above 13.5") << double(float(13.5 * 56.7)) / 56.7 << 13.5 << 14;
        QTest::newRow("-.5") << -0.5 << -0.5 << 0;
        QTest::newRow("far beyond") << 1e300 << 1e300 << INT_MAX;
        QTest::newRow("far below") << -1e300 << -1e300 << INT_MIN;
    }
    void rounding() {
        QFETCH(double, value);
        QFETCH(double, truncated);
        QFETCH(int, position);
        QCOMPARE(truncateTwoDecimals(value), truncated);
        QCOMPARE(barPosition(value), position);
    }

    void limits_data() {
        QTest::addColumn<bool>("height");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("card");
        QTest::addColumn<double>("accepted");
        QTest::addColumn<QString>("message"); // empty: none
        QTest::newRow("width as wide as the card") << false << 85.0 << 85.0 << 85.0 << "";
        QTest::newRow("height above a card of 54.5")
            << true << 60.0 << 54.5 << 50.0 << "Hauteur maximum de l'image =  54.5 mm !";
        QTest::newRow("width zero") << false << 0.0 << 85.0 << 0.0 << "";
        QTest::newRow("width negative")
            << false << -2.0 << 85.0 << 1.0 << "Largeur minimum de l'image = 1 mm !";
        QTest::newRow("height negative")
            << true << -0.5 << 54.0 << 1.0 << "Hauteur minimum de l'image = 1 mm !";
    }
    void limits() {
        QFETCH(bool, height);
        QFETCH(double, value);
        QFETCH(double, card);
        QFETCH(double, accepted);
        QFETCH(QString, message);
        const Checked c = checkSize(height ? Dimension::Height : Dimension::Width, value, card);
        QCOMPARE(c.value, accepted);
        QCOMPARE(c.message.value_or(MessageRequest{}).prompt, message);
        if (c.message)
            QVERIFY(*c.message == (MessageRequest{message, QStringLiteral("Erreur"), MsgButtons::Ok,
                                                  MsgIcon::Exclamation, 1}));
    }

    void presets() {
        const auto size = [](const char* text) {
            const auto p = presetFor(QString::fromUtf8(text));
            return p ? QSize(p->width, p->height) : QSize();
        };
        QCOMPARE(size(" 8 x  8 mm"), QSize(8, 8));
        QCOMPARE(size("15 x 20 mm"), QSize(15, 20));
        QCOMPARE(size("8 x 8 mm"), QSize()); // the blanks belong to the text
        QCOMPARE(size("Personnalisé"), QSize());
    }
};

QTEST_MAIN(LogoSizeTest)
#include "tst_logosize.moc"
