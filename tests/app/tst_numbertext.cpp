#include "app/NumberText.h"

#include <QtTest>

class NumberTextTest : public QObject {
    Q_OBJECT
private slots:
    void signedDouble_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << " 0";
        QTest::newRow("whole") << 12.0 << " 12";
        QTest::newRow("half") << 0.5 << " .5";
        QTest::newRow("minus half") << -0.5 << "-.5";
        QTest::newRow("negative whole") << -2.0 << "-2";
        QTest::newRow("logo twips") << 630.0 / 56.7 << " 11.1111111111111";
        QTest::newRow("rounding noise") << 0.1 + 0.2 << " .3";
        QTest::newRow("fifteen digits") << 123456789012345.0 << " 123456789012345";
        QTest::newRow("sixteen digits") << 1234567890123456.0 << " 1.23456789012346E+15";
        QTest::newRow("tiny") << 0.00001 << " 1E-05";
    }
    void signedDouble() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(numtext::signedText(value), text);
        QCOMPARE(numtext::plainText(value), text.trimmed());
    }

    void singles_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("8.25") << 8.25f << " 8.25";
        QTest::newRow("10.5") << 10.5f << " 10.5";
        QTest::newRow("10.1") << 10.1f << " 10.1";
        QTest::newRow("third") << 1.0f / 3.0f << " .3333333";
    }
    void singles() {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(numtext::signedText(value), text);
    }

    void toNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("isNumber");
        QTest::newRow("plain") << "12.5" << 12.5 << true;
        QTest::newRow("no zero") << ".5" << 0.5 << true;
        QTest::newRow("negative no zero") << "-.5" << -0.5 << true;
        QTest::newRow("two points") << "12.5.3" << 12.5 << true;
        QTest::newRow("trailing minus") << "5-" << 5.0 << true;
        QTest::newRow("lone minus") << "-" << 0.0 << false;
        QTest::newRow("empty") << "" << 0.0 << false;
        QTest::newRow("letters") << "abc" << 0.0 << false;
        QTest::newRow("inner blanks") << "1 2" << 12.0 << true;
        QTest::newRow("exponent") << "1E+3" << 1000.0 << true;
        QTest::newRow("dangling exponent") << "5E" << 5.0 << true;
        QTest::newRow("comma is not a point") << "1,5" << 1.0 << true;
        QTest::newRow("overflow") << "1" + QString(400, QLatin1Char('0')) << 0.0 << false;
    }
    void toNumber() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(bool, isNumber);
        double parsed = -1;
        QCOMPARE(numtext::parseNumber(text, &parsed), isNumber);
        QCOMPARE(parsed, value);
        QCOMPARE(numtext::toNumber(text), value);
    }

    void roundHalfEven_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("rounded");
        QTest::newRow("12.5") << 12.5 << 12.0;
        QTest::newRow("13.5") << 13.5 << 14.0;
        QTest::newRow("-2.5") << -2.5 << -2.0;
    }
    void roundHalfEven() {
        QFETCH(double, value);
        QFETCH(double, rounded);
        QCOMPARE(numtext::roundHalfEven(value), rounded);
    }
};

QTEST_APPLESS_MAIN(NumberTextTest)
#include "tst_numbertext.moc"
