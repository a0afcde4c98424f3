#include "CardFileSamples.h"
#include "app/NumberText.h"
#include "card/CardFileReader.h"
#include "card/CardFileWriter.h"
#include "platform/FileNames.h"
#include "platform/PictureLoader.h"
#include "platform/QtPictureLoader.h"
#include "setup/ParameterFile.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <limits>
#include <unistd.h>

namespace {

class NoPictures : public PictureLoader {
public:
    std::optional<Picture> load(const QString&) override { return Picture(); }
};

// The new card's file with one of its lines replaced (lines counted from 1).
QByteArray withLine(int line, const QByteArray& text) {
    QList<QByteArray> lines = samples::newCardFile().split('\n');
    lines[line - 1] = text + '\r';
    return lines.join('\n');
}

} // namespace

// What the writers write, their readers take back: the same value, the same bytes.
class ReadBackTest : public QObject {
    Q_OBJECT
private slots:
    // Logo values, from the ordinary to those whose tenths would overflow.
    void logoValues_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("line");
        const double huge = std::numeric_limits<double>::max();
        QTest::newRow("tenths cut") << 11.19 << QByteArray(" 11.1");
        QTest::newRow("negative cut down") << -0.55 << QByteArray("-.6");
        QTest::newRow("largest kept") << 1e300 << QByteArray(" 1E+300");
        QTest::newRow("1E+308") << 1e308 << QByteArray(" 1E+300");
        QTest::newRow("largest double") << huge << QByteArray(" 1E+300");
        QTest::newRow("-1E+308") << -1e308 << QByteArray("-1E+300");
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << QByteArray(" 1E+300");
        QTest::newRow("not a number") << std::nan("") << QByteArray(" 0");
        QTest::newRow("tiny") << 1e-300 << QByteArray(" 0");
        QTest::newRow("sixteen digits") << 1234567890123456.0 << QByteArray(" 1.23456789012346E+15");
    }
    void logoValues() {
        QFETCH(double, value);
        QFETCH(QByteArray, line);
        CardDocument card;
        card.Logo.Width = value;
        card.Logo.Top = value;
        const QByteArray bytes = cardfile::toBytes(card);
        const QList<QByteArray> lines = bytes.split('\n');
        QCOMPARE(lines.at(34), line + '\r');
        QCOMPARE(lines.at(37), line + '\r');
        NoPictures pictures;
        CardDocument back;
        QCOMPARE(cardfile::readBytes(bytes, back, pictures).status, CardReadResult::Status::Read);
        QCOMPARE(cardfile::toBytes(back), bytes);
    }

    // Values a card file may hold that its writer could not write back as they are: refused
    // like any damaged file; the forms just inside are taken.
    void refusedValues_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("read");
        QTest::newRow("width of 1E+301") << 35 << QByteArray(" 1E+301") << false;
        QTest::newRow("height of -1E+301") << 36 << QByteArray("-1E+301") << false;
        QTest::newRow("left of 1E+308") << 37 << QByteArray(" 1E+308") << false;
        QTest::newRow("top of 1E+308") << 38 << QByteArray(" 1E+308") << false;
        QTest::newRow("width of 1E+300") << 35 << QByteArray(" 1E+300") << true;
        QTest::newRow("font name with a comma") << 4 << QByteArray("\"Arial, Bold\"") << false;
        QTest::newRow("font name with a leading blank") << 4 << QByteArray("\" Arial\"") << false;
        QTest::newRow("font name with a trailing blank") << 4 << QByteArray("\"Arial \"") << false;
        QTest::newRow("quoted font name") << 4 << QByteArray("\"Arial\"") << true;
        QTest::newRow("path with a leading blank") << 39 << QByteArray("\" logo.bmp\"") << false;
        QTest::newRow("path with a trailing blank") << 39 << QByteArray("\"logo.bmp \"") << false;
        QTest::newRow("quoted path with a comma") << 39 << QByteArray("\"a,b.bmp\"") << true;
        // Without the closing quote, the last three characters dropped cut a line end in half.
        QTest::newRow("text ending on an empty line, no closing quote")
            << 2 << QByteArray("\"Nom\r\n") << false;
        QTest::newRow("text split by a lone line feed") << 2 << QByteArray("\"Nom\nFonction\"") << true;
        QTest::newRow("text of two whole lines") << 2 << QByteArray("\"Nom\r\nFonction\"") << true;
    }
    void refusedValues() {
        QFETCH(int, line);
        QFETCH(QByteArray, text);
        QFETCH(bool, read);
        NoPictures pictures;
        CardDocument card;
        const QByteArray file = withLine(line, text);
        QCOMPARE(cardfile::readBytes(file, card, pictures).status,
                 read ? CardReadResult::Status::Read : CardReadResult::Status::Failed);
        if (!read)
            return;
        const QByteArray written = cardfile::toBytes(card);
        CardDocument again;
        QCOMPARE(cardfile::readBytes(written, again, pictures).status, CardReadResult::Status::Read);
        QCOMPARE(cardfile::toBytes(again), written);
    }

    // Parameter values in the plain form, never with an exponent, and read back to the same value.
    void parameterValues_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("field");
        QTest::newRow("whole") << 85.0 << QByteArray("85");
        QTest::newRow("half") << 0.5 << QByteArray(".5");
        QTest::newRow("negative") << -2.0 << QByteArray("-2");
        QTest::newRow("negative half") << -0.25 << QByteArray("-.25");
        QTest::newRow("1.2E+16") << 1.2e16 << QByteArray("12000000000000000");
        QTest::newRow("fifteen digits of E+16") << 1.23456789012346e16 << QByteArray("12345678901234600");
        QTest::newRow("rounded to fifteen digits")
            << 123456789012345678.0 << QByteArray("123456789012346000");
        QTest::newRow("1E-05") << 1e-5 << QByteArray(".00001");
        QTest::newRow("small with digits") << -1.5e-10 << QByteArray("-.00000000015");
        QTest::newRow("point inside") << 1234.5678 << QByteArray("1234.5678");
        QTest::newRow("rounding noise") << 0.1 + 0.2 << QByteArray(".3");
        QTest::newRow("nines round up") << 9.9999999999999999e2 << QByteArray("1000");
        QTest::newRow("1E+300") << 1e300 << QByteArray("1" + QByteArray(300, '0'));
        QTest::newRow("1E-300") << 1e-300 << QByteArray("." + QByteArray(299, '0') + "1");
    }
    void parameterValues() {
        QFETCH(double, value);
        QFETCH(QByteArray, field);
        QCOMPARE(numtext::decimalText(value).toLatin1(), field);
        PrintLayout layout;
        layout.cardWidth = value;
        layout.topMargin = -value;
        const QByteArray bytes = parameterfile::encode(layout);
        QCOMPARE(bytes.split(',').at(4), field);
        QVERIFY(!bytes.split('\r').first().contains('E'));
        PrintLayout back;
        QVERIFY(parameterfile::apply(bytes, back));
        QCOMPARE(back.cardWidth, numtext::toNumber(QString::fromLatin1(field)));
        QCOMPARE(back.topMargin, -back.cardWidth);
        QCOMPARE(parameterfile::encode(back), bytes);
    }

    // A logo named by bytes the system gave: stored as those bytes, found again on opening,
    // whether the name on disk is UTF-8 or Latin-1 from an older disk.
    void logoNames_data() {
        QTest::addColumn<QByteArray>("onDisk");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("latin-1") << QByteArray("logo\xe9.bmp") << QByteArray("logo\xe9.bmp");
        QTest::newRow("utf-8") << QByteArray("logo\xc3\xa9.bmp") << QByteArray("logo\xe9.bmp");
        QTest::newRow("ascii") << QByteArray("logo.bmp") << QByteArray("logo.bmp");
    }
    void logoNames() {
        QFETCH(QByteArray, onDisk);
        QFETCH(QByteArray, stored);
        QTemporaryDir dir;
        const QByteArray path = QFile::encodeName(dir.path()) + '/' + onDisk;
        QImage image(3, 2, QImage::Format_RGB32);
        image.fill(Qt::red);
        QByteArray bmp;
        QBuffer buffer(&bmp);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(image.save(&buffer, "BMP"));
        std::FILE* f = std::fopen(path.constData(), "wb"); // Qt's own names are UTF-8 only
        QVERIFY(f);
        std::fwrite(bmp.constData(), 1, std::size_t(bmp.size()), f);
        std::fclose(f);
        CardDocument card;
        card.Logo.RecordedPath = filename::fromBytes(path);
        QCOMPARE(cardfile::unencodableCharacters(card), QStringList());
        const QByteArray bytes = cardfile::toBytes(card);
        QCOMPARE(bytes.split('\n').at(38), QFile::encodeName(dir.path()) + '/' + stored + '\r');
        QtPictureLoader pictures;
        CardDocument back;
        const CardReadResult read = cardfile::readBytes(bytes, back, pictures);
        QCOMPARE(read.status, CardReadResult::Status::Read);
        QCOMPARE(read.missingLogo, QString());
        QCOMPARE(filename::toBytes(back.Logo.RecordedPath), path);
        QCOMPARE(back.Logo.picture.naturalSize(), QSize(3, 2));
        QCOMPARE(cardfile::toBytes(back), bytes);
        ::unlink(path.constData()); // a name Qt cannot remove
    }

    // A name with wildcards is a name, never a pattern matched against the folder (which,
    // with many of them, takes for ever): the card and logo files are looked for as named.
    void wildcardsAreNames_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("star") << "*.bmp";
        QTest::newRow("question mark") << "?.bmp";
        QTest::newRow("many stars") << QString(30, '*') + ".*" + QString(30, '*') + "x";
    }
    void wildcardsAreNames() {
        QFETCH(QString, name);
        QTemporaryDir dir;
        QVERIFY(samples::writeFile(dir.filePath("a.bmp"), "BM"));
        QVERIFY(samples::writeFile(dir.filePath(QString(200, 'a') + ".bmp"), "BM"));
        QVERIFY(samples::writeFile(dir.filePath("a.cdv"), samples::newCardFile()));
        NoPictures pictures;
        CardDocument card;
        QList<QByteArray> lines = samples::newCardFile().split('\n');
        lines[38] = QFile::encodeName(dir.filePath(name)) + '\r';
        const CardReadResult read = cardfile::readBytes(lines.join('\n'), card, pictures);
        QCOMPARE(read.status, CardReadResult::Status::Read);
        QCOMPARE(read.missingLogo, dir.filePath(name));
        QString cardName = name;
        cardName.replace(".bmp", ".cdv");
        QCOMPARE(cardfile::read(dir.filePath(cardName), card, pictures).status,
                 CardReadResult::Status::FileMissing);
    }
};

QTEST_MAIN(ReadBackTest)
#include "tst_readback.moc"
