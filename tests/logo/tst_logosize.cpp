#include "logo/LogoSize.h"
#include "logo/LogoUnits.h"

#include <QtTest>
#include <climits>

using namespace logosize;

class LogoSizeTest : public QObject {
    Q_OBJECT
private slots:
    void truncation_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("truncated");
        QTest::newRow("start-up box") << 630 / 56.7 << 11.11;
        QTest::newRow("just below") << double(float(3.4 * 56.7)) / 56.7 << 3.39;
        QTest::newRow("just above") << double(float(13.5 * 56.7)) / 56.7 << 13.5;
        QTest::newRow("whole") << 20.0 << 20.0;
    }
    void truncation() {
        QFETCH(double, value);
        QFETCH(double, truncated);
        QCOMPARE(truncateTwoDecimals(value), truncated);
    }

    void bars_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("position");
        QTest::newRow("12.5") << 12.5 << 12;
        QTest::newRow("13.5") << 13.5 << 14;
        QTest::newRow("11.11") << 11.11 << 11;
        QTest::newRow(".4") << 0.4 << 0;
        QTest::newRow("-.5") << -0.5 << 0;
        QTest::newRow("far beyond") << 1e300 << INT_MAX;
        QTest::newRow("far below") << -1e300 << INT_MIN;
    }
    void bars() {
        QFETCH(double, value);
        QFETCH(int, position);
        QCOMPARE(barPosition(value), position);
    }

    void limits_data() {
        QTest::addColumn<bool>("height");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("card");
        QTest::addColumn<double>("accepted");
        QTest::addColumn<QString>("message"); // empty: none
        QTest::newRow("width inside") << false << 85.0 << 85.0 << 85.0 << "";
        QTest::newRow("width above") << false << 86.0 << 85.0 << 80.0
                                     << "Largeur maximum de l'image =  85 mm !";
        QTest::newRow("width above a narrow card")
            << false << 20.0 << 15.0 << 80.0 << "Largeur maximum de l'image =  15 mm !";
        QTest::newRow("height above")
            << true << 20.0 << 15.0 << 50.0 << "Hauteur maximum de l'image =  15 mm !";
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
        QCOMPARE(c.message.has_value(), !message.isEmpty());
        if (c.message) {
            QCOMPARE(c.message->prompt, message);
            QCOMPARE(c.message->title, QStringLiteral("Erreur"));
            QCOMPARE(c.message->icon, MsgIcon::Exclamation);
            QCOMPARE(c.message->buttons, MsgButtons::Ok);
        }
    }

    void presets_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width"); // 0: no preset
        QTest::addColumn<int>("height");
        QTest::newRow("8 x 8 with its blanks") << " 8 x  8 mm" << 8 << 8;
        QTest::newRow("8 x 12") << " 8 x 12 mm" << 8 << 12;
        QTest::newRow("15 x 20") << "15 x 20 mm" << 15 << 20;
        QTest::newRow("without the blanks") << "8 x 8 mm" << 0 << 0;
        QTest::newRow("custom") << "Personnalisé" << 0 << 0;
        QTest::newRow("typed") << "30 x 30 mm" << 0 << 0;
    }
    void presets() {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(int, height);
        const auto p = presetFor(text);
        QCOMPARE(p.has_value(), width > 0);
        if (p) {
            QCOMPARE(p->width, width);
            QCOMPARE(p->height, height);
        }
    }
};

QTEST_MAIN(LogoSizeTest)
#include "tst_logosize.moc"
