#include "platform/FileNames.h"

#include <QTemporaryDir>
#include <QtTest>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// File names kept as the bytes the system gave: every byte string comes back as it was, and
// what is UTF-8 reads as its characters.
class FileNamesTest : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name"); // empty: not checked
        QTest::newRow("ascii") << QByteArray("/tmp/carte.cdv") << QString("/tmp/carte.cdv");
        QTest::newRow("utf-8") << QByteArray("caf\xc3\xa9.cdv") << QString("café.cdv");
        QTest::newRow("latin-1") << QByteArray("caf\xe9.cdv") << QString("caf") + QChar(0xDCE9) + ".cdv";
        QTest::newRow("lone continuation") << QByteArray("a\x80z") << QString("a") + QChar(0xDC80) + "z";
        QTest::newRow("last byte") << QByteArray("\xff") << QString(QChar(0xDCFF));
        QTest::newRow("overlong slash") << QByteArray("\xc0\xaf") << QString(QChar(0xDCC0)) + QChar(0xDCAF);
        QTest::newRow("overlong three bytes") << QByteArray("\xe0\x80\xaf") << QString();
        QTest::newRow("surrogate as utf-8")
            << QByteArray("\xed\xa0\x80") << QString(QChar(0xDCED)) + QChar(0xDCA0) + QChar(0xDC80);
        QTest::newRow("beyond unicode") << QByteArray("\xf4\x90\x80\x80") << QString();
        QTest::newRow("overlong four bytes") << QByteArray("\xf0\x80\x80\x80") << QString();
        QTest::newRow("cut sequence") << QByteArray("\xe2\x82") << QString(QChar(0xDCE2)) + QChar(0xDC82);
        QTest::newRow("euro sign") << QByteArray("\xe2\x82\xac") << QString("€");
        QTest::newRow("outside the basic plane")
            << QByteArray("\xf0\x9f\x98\x80") << QString::fromUtf8("\xf0\x9f\x98\x80");
        QTest::newRow("last code point")
            << QByteArray("\xf4\x8f\xbf\xbf") << QString::fromUtf8("\xf4\x8f\xbf\xbf");
        QTest::newRow("latin-1 then utf-8") << QByteArray("\xe9\xc3\xa9") << QString(QChar(0xDCE9)) + "é";
        QTest::newRow("empty") << QByteArray() << QString("");
    }
    void roundTrip() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        const QString decoded = filename::fromBytes(bytes);
        if (!name.isNull())
            QCOMPARE(decoded, name);
        QCOMPARE(filename::toBytes(decoded), bytes);
    }

    // Every single byte, alone and after a valid character.
    void everyByte() {
        for (int b = 0; b < 256; ++b) {
            const QByteArray one(1, char(b));
            QCOMPARE(filename::toBytes(filename::fromBytes(one)), one);
            QCOMPARE(filename::fromBytes(one).size(), 1);
            QCOMPARE(filename::fromBytes(one).at(0).unicode(), b < 0x80 ? b : 0xDC00 + b);
            const QByteArray two = "\xc3\xa9" + one;
            QCOMPARE(filename::toBytes(filename::fromBytes(two)), two);
        }
    }

    // A dialog shows a name that is not UTF-8 with U+FFFD in it; the program gets the file's own
    // bytes back, unless two entries read the same.
    void dialogName_data() {
        QTest::addColumn<QByteArrayList>("entries"); // created below the test folder; a "/" ends a folder
        QTest::addColumn<QByteArray>("picked");      // the entry the person picks
        QTest::addColumn<bool>("found");             // the picked bytes come back
        QTest::newRow("utf-8 name") << QByteArrayList{"caf\xc3\xa9.cdv"} << QByteArray("caf\xc3\xa9.cdv")
                                    << true;
        QTest::newRow("latin-1 name") << QByteArrayList{"caf\xe9.cdv"} << QByteArray("caf\xe9.cdv") << true;
        QTest::newRow("latin-1 folder and name") << QByteArrayList{"\xe9t\xe9/", "\xe9t\xe9/r\xe9sum\xe9.cdv"}
                                                 << QByteArray("\xe9t\xe9/r\xe9sum\xe9.cdv") << true;
        QTest::newRow("two names read the same")
            << QByteArrayList{"caf\xe9.cdv", "caf\xe8.cdv"} << QByteArray("caf\xe9.cdv") << false;
        QTest::newRow("a new name to save") << QByteArrayList{} << QByteArray("nouv\xe9.cdv") << false;
    }
    void dialogName() {
        QFETCH(QByteArrayList, entries);
        QFETCH(QByteArray, picked);
        QFETCH(bool, found);
        QTemporaryDir dir;
        const QByteArray base = QFile::encodeName(dir.path()) + '/';
        for (const QByteArray& e : entries) {
            const QByteArray path = base + e;
            if (e.endsWith('/'))
                QCOMPARE(::mkdir(path.constData(), 0700), 0);
            else
                QVERIFY(::close(::open(path.constData(), O_CREAT | O_WRONLY, 0600)) == 0);
        }
        const QString shown = QFile::decodeName(base + picked);
        const QString given = filename::fromDialogName(shown);
        QCOMPARE(filename::toBytes(given) == base + picked, found);
        if (!found)
            QCOMPARE(given, shown);
    }
};

QTEST_GUILESS_MAIN(FileNamesTest)
#include "tst_filenames.moc"
