#include "app/Windows1252.h"

#include <QtTest>

class Windows1252Test : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("ascii") << QByteArray("Carte 1") << QStringLiteral("Carte 1");
        QTest::newRow("accents") << QByteArray("Cr\xE9\x61tion No\xEBl") << QStringLiteral("Création Noël");
        QTest::newRow("euro and quotes") << QByteArray("\x80 \x93x\x94") << QStringLiteral("€ “x”");
        QTest::newRow("oe ligature") << QByteArray("\x9C\x75vre") << QStringLiteral("œuvre");
    }
    void roundTrip() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(cp1252::decode(bytes), text);
        QCOMPARE(cp1252::encode(text), bytes);
        QVERIFY(cp1252::unencodable(text).isEmpty());
    }

    void outsideTheCodePage() {
        const QString text = QStringLiteral("Ωmega → Ω");
        QCOMPARE(cp1252::encode(text), QByteArray("?mega ? ?"));
        QCOMPARE(cp1252::unencodable(text), QStringLiteral("Ω→"));
    }

    void unassignedBytesSurvive() {
        const QByteArray bytes("\x81\x8D\x8F\x90\x9D");
        QCOMPARE(cp1252::decode(bytes).size(), 5);
        QCOMPARE(cp1252::encode(cp1252::decode(bytes)), bytes);
    }
};

QTEST_APPLESS_MAIN(Windows1252Test)
#include "tst_windows1252.moc"
