#include "CardFileSamples.h"
#include "TestPlatform.h"
#include "app/Windows1252.h"
#include "card/CardFileReader.h"
#include "card/CardFileWriter.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// Bytes 0x80 to 0x9F of the code page as the characters a person reads, one per byte; a blank
// stands for the five bytes the code page leaves unassigned. Below 0x80 it is ASCII, from 0xA0
// on the byte is the Latin-1 character of the same number.
const QString HighBytes = QStringLiteral("€ ‚ƒ„…†‡ˆ‰Š‹Œ Ž  ‘’“”•–—˜™š›œ žŸ");

QChar characterOf(int byte) {
    if (byte >= 0x80 && byte < 0xA0 && HighBytes.at(byte - 0x80) != QLatin1Char(' '))
        return HighBytes.at(byte - 0x80);
    return QChar(char16_t(byte)); // unassigned bytes keep their number, and come back as they went
}

QString hex(int v) {
    return QStringLiteral("0x%1").arg(v, 2, 16, QLatin1Char('0')).toUpper().replace("0X", "0x");
}

} // namespace

// The whole code page, both ways: every byte read, every character of the basic plane written,
// and all of them through a card file and back.
class Windows1252TableTest : public QObject {
    Q_OBJECT
private slots:
    void everyByte_data() {
        QTest::addColumn<int>("byte");
        QTest::addColumn<QChar>("character");
        QVERIFY(HighBytes.size() == 32);
        for (int b = 0; b < 256; ++b)
            QTest::newRow(qPrintable(b < 0x20 ? hex(b) : hex(b) + ' ' + characterOf(b)))
                << b << characterOf(b);
    }
    void everyByte() {
        QFETCH(int, byte);
        QFETCH(QChar, character);
        const QByteArray one(1, char(byte));
        QCOMPARE(cp1252::decode(one), QString(character));
        QCOMPARE(cp1252::encode(QString(character)), one);
        QCOMPARE(cp1252::unencodable(QString(character)), QString());
    }

    // Every other character of the basic plane cannot be written: it becomes "?" and is named
    // as lost, once, in the order met.
    void everyCharacter() {
        QHash<char16_t, int> byteOf;
        for (int b = 0; b < 256; ++b)
            byteOf.insert(characterOf(b).unicode(), b);
        QString lost;
        for (int u = 0; u <= 0xFFFF; ++u) {
            if (u >= 0xD800 && u <= 0xDFFF)
                continue; // halves of a pair, never alone in a text
            const QString c{QChar(char16_t(u))};
            const QByteArray expected =
                byteOf.contains(char16_t(u)) ? QByteArray(1, char(byteOf[char16_t(u)])) : QByteArray("?");
            if (cp1252::encode(c) != expected)
                QFAIL(qPrintable(QStringLiteral("U+%1 written as %2")
                                     .arg(u, 4, 16, QLatin1Char('0'))
                                     .arg(hex(uchar(cp1252::encode(c).at(0))))));
            if (cp1252::unencodable(c) != (expected == "?" && u != '?' ? c : QString()))
                QFAIL(qPrintable(
                    QStringLiteral("U+%1 wrongly named as lost or kept").arg(u, 4, 16, QLatin1Char('0'))));
            if (expected == "?" && u != '?')
                lost += c;
        }
        QCOMPARE(lost.size(), 0x10000 - 0x800 - 256);
    }

    // A card whose texts hold every byte from 0x20 to 0xFF but the quote: written as those very
    // bytes, read back as the same text, font name and logo path included.
    void throughACardFile() {
        QString all;
        QByteArray bytes;
        for (int b = 0x21; b < 256; ++b)
            if (b != '"') {
                all += characterOf(b);
                bytes += char(b);
            }
        CardDocument card;
        card.zone(1).Text = all.left(100) + " " + all.mid(100);
        card.zone(2).FontName = QStringLiteral("Œuvre Sans™");
        card.zone(3).Text = QStringLiteral("€ 12,50\r\n“Noël” – ça coûte");
        card.Logo.RecordedPath = QStringLiteral("/tmp/Société ÿ/logo ‰.bmp");
        const QByteArray file = cardfile::toBytes(card);
        QVERIFY(file.contains("\"" + bytes.left(100) + " " + bytes.mid(100) + "\"\r\n"));
        QVERIFY(file.contains("\r\n\x8Cuvre Sans\x99\r\n"));
        QVERIFY(file.contains("\"\x80 12,50\r\n\x93No\xEBl\x94 \x96 \xE7\x61 co\xFBte\"\r\n"));
        QVERIFY(file.endsWith("\r\n/tmp/Soci\xE9t\xE9 \xFF/logo \x89.bmp\r\n"));

        QTemporaryDir dir;
        QVERIFY(samples::writeFile(dir.filePath("tout.cdv"), file));
        CardDocument back;
        FakePictureLoader pictures;
        const CardReadResult read = cardfile::read(dir.filePath("tout.cdv"), back, pictures);
        QCOMPARE(read.missingLogo, card.Logo.RecordedPath);
        QCOMPARE(back.zone(1).Text, card.zone(1).Text);
        QCOMPARE(back.zone(2).FontName, card.zone(2).FontName);
        QCOMPARE(back.zone(3).Text, card.zone(3).Text);
        QCOMPARE(back.Logo.RecordedPath, card.Logo.RecordedPath);
    }
};

QTEST_GUILESS_MAIN(Windows1252TableTest)
#include "tst_windows1252table.moc"
