#include "app/SharedProcedures.h"
#include "CardFileSamples.h"
#include "TestPlatform.h"
#include "card/CardFileCursor.h"
#include "card/CardFileFields.h"
#include "card/CardFileReader.h"
#include "card/CardFileWriter.h"

#include <QTemporaryDir>
#include <QtTest>

using Status = CardReadResult::Status;

class CardFileReaderTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    FakePictureLoader pictures_;

    // Reads bytes as a card file into card; the status of the read.
    Status read(const QByteArray& bytes, CardDocument& card) {
        const QString path = dir_.filePath(QStringLiteral("carte.cdv"));
        if (!samples::writeFile(path, bytes))
            qFatal("cannot write the sample card");
        return cardfile::read(path, card, pictures_).status;
    }

private slots:
    // Items and whole lines over one text: "L" a line, "I" an item, "R" the rest of a line.
    void cursor_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reads");
        QTest::addColumn<QStringList>("results"); // "<end>" when nothing is left
        auto row = [](const char* name, const QString& text, const char* reads, const QStringList& results) {
            QTest::newRow(name) << text << QString::fromLatin1(reads) << results;
        };
        const QString bound(CardFileCursor::MaxLineLength, QLatin1Char('x'));
        row("unquoted, trailing spaces dropped", "  abc  \r\nx", "II", {"abc", "x"});
        row("tabs skipped", "\t 12\r\n", "I", {"12"});
        row("commas split a line", "1, 2 ,3\r\n", "III", {"1", "2", "3"});
        row("quoted keeps commas and spaces", "\" a, b \"\r\nnext", "II", {" a, b ", "next"});
        row("after the quote up to the comma", "\"a\"xx,b\r\n", "II", {"a", "b"});
        row("quote never closed", "\"abc\r\nd", "II", {"abc", "d"});
        row("empty line is an empty item", "\r\nx", "II", {"", "x"});
        row("line then item on the rest", "a,b\r\nc", "IL", {"a", "b"});
        row("line ends CR alone and LF alone", "a\rb\nc", "LLL", {"a", "b", "c"});
        row("end of text", "a\r\n", "II", {"a", "<end>"});
        row("last line without its end", "a\r\nb", "LLL", {"a", "b", "<end>"});
        row("rest of line keeps commas", "  /a, b/c.bmp  \r\n", "R", {"/a, b/c.bmp"});
        row("line at the bound", bound, "L", {bound});
        row("line over the bound", bound + "x", "L", {"<end>"});
        row("item in a line over the bound", "1," + bound, "I", {"<end>"});
    }
    void cursor() {
        QFETCH(QString, text);
        QFETCH(QString, reads);
        QFETCH(QStringList, results);
        CardFileCursor in(text);
        QStringList got;
        for (QChar kind : reads) {
            const std::optional<QString> r = kind == 'L'   ? in.readLine()
                                             : kind == 'I' ? in.readItem()
                                                           : in.readRestOfLine();
            got << r.value_or(QStringLiteral("<end>"));
        }
        QCOMPARE(got, results);
    }

    // Each field as "single|Boolean|32-bit|16-bit"; "-" for a refusal.
    void fields_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("values");
        auto row = [](const char* name, const char* field, const char* values) {
            QTest::newRow(name) << QString::fromLatin1(field) << QString::fromLatin1(values);
        };
        row("decimal", "8.25", "8.25|true|8|8");
        row("no leading zero", ".5", "0.5|true|0|0");
        row("half to even", "2.5", "2.5|true|2|2");
        row("negative", "-2147483640", "-2147483648|true|-2147483640|-");
        row("zero", "0", "0|false|0|0");
        row("True any case", "tRuE", "-|true|-|-");
        row("False", "False", "-|false|-|-");
        row("empty", "", "-|-|-|-");
        row("number then text", "12pt", "-|-|-|-");
        row("comma decimal", "8,25", "-|-|-|-");
        row("past 32 bits", "2147483648", "2147483648|true|-|-");
        row("past 16 bits", "32768", "32768|true|32768|-");
        row("past singles", "1E+39", "-|true|-|-");
        row("exponent", "1E+3", "1000|true|1000|1000");
    }
    void fields() {
        QFETCH(QString, field);
        QFETCH(QString, values);
        auto text = [](auto v) { return v ? QString::number(double(*v), 'g', 10) : QStringLiteral("-"); };
        const auto b = cardfield::toBoolean(field);
        const QString boolean =
            b ? (*b ? QStringLiteral("true") : QStringLiteral("false")) : QStringLiteral("-");
        QCOMPARE(QStringList({text(cardfield::toSingle(field)), boolean, text(cardfield::toLong(field)),
                              text(cardfield::toInteger(field))})
                     .join('|'),
                 values);
    }

    void roundTrip() {
        const QString logo = dir_.filePath(QStringLiteral("logo, société.bmp"));
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(logo, "BMP"));
        const CardDocument written = samples::fullCard(logo);
        CardDocument card;
        QCOMPARE(read(cardfile::toBytes(written), card), Status::Read);
        QCOMPARE(card.zone(1).Text, QStringLiteral("Société \"Kalimo\"\r\nJean Dupont"));
        QCOMPARE(QRectF(card.Logo.Left, card.Logo.Top, card.Logo.Width, card.Logo.Height),
                 QRectF(0.5, 3.2, 11.1, 20));
        // A comma in the folder name does not cut the path short.
        QCOMPARE(card.Logo.Path, logo);
        QCOMPARE(card.Logo.RecordedPath, logo);
        QCOMPARE(card.Logo.picture.naturalSize(), QSize(8, 8));
        // Every other value comes back as it was: written again, the card gives the same bytes.
        QCOMPARE(cardfile::toBytes(card), cardfile::toBytes(written));
    }

    void noLogoForgetsThePreviousOne() {
        CardDocument card = samples::fullCard(QStringLiteral("/tmp/ancien.bmp"));
        card.Logo.picture = Picture(QImage(4, 4, QImage::Format_RGB32));
        QCOMPARE(read(samples::newCardFile(), card), Status::Read);
        QCOMPARE(card.Logo.Path, QStringLiteral("AUCUN"));
        QVERIFY(card.Logo.RecordedPath.isEmpty());
        QVERIFY(card.Logo.picture.isNull());
    }

    void madeOnWindows() {
        // Hand-made from the byte layout: CR LF, "é" as the one byte 0xE9.
        QByteArray bytes = "[Titre 1]\r\n\"Soci\xE9t\xE9 G\xE9n\xE9rale\r\nDirecteur g\xE9n\xE9ral\"\r\n"
                           "[Police 1]\r\nArial\r\n 9.75\r\nTrue\r\nFalse\r\n"
                           "[Couleur 1]\r\n 128 \r\n[Alignement 1]\r\n 2 \r\n";
        for (const QByteArray n : {"2", "3"})
            bytes += "[Titre " + n + "]\r\n\"Caf\xE9\"\r\n[Police " + n +
                     "]\r\nArial\r\n 8.25\r\nFalse\r\nFalse\r\n[Couleur]\r\n-2147483640 \r\n[Alignement]\r\n "
                     "0 \r\n";
        bytes += "[Icone]\r\n 11.1\r\n 11.1\r\n 0\r\n 0\r\nAUCUN\r\n";
        CardDocument card;
        QCOMPARE(read(bytes, card), Status::Read);
        QCOMPARE(card.zone(1).Text, QStringLiteral("Société Générale\r\nDirecteur général"));
        QCOMPARE(card.zone(1).FontSize, 9.75f);
        QCOMPARE(card.zone(2).Text, QStringLiteral("Café"));
        QCOMPARE(card.zone(3).ForeColor, colour::WindowText);
    }

    void severalItemsOnALine() {
        QByteArray bytes = samples::newCardFile();
        bytes.replace("arial\r\n 8\r\nFalse\r\nFalse\r\n", "\"Arial Black\", 14,True , 0\r\n");
        CardDocument card;
        QCOMPARE(read(bytes, card), Status::Read);
        const TextZone& z = card.zone(3);
        QCOMPARE(z.FontName, QStringLiteral("Arial Black"));
        QCOMPARE(z.FontSize, 14.0f);
        QVERIFY(z.FontBold && !z.FontItalic);
    }

    // Cut anywhere, the file is refused unless all its values came before the cut.
    void truncatedAnywhere() {
        const QByteArray whole = samples::fullCardFile(QStringLiteral("AUCUN"));
        const int lastLine = whole.lastIndexOf("\r\n", whole.size() - 3) + 2;
        for (int n = 0; n < whole.size(); ++n) {
            CardDocument card;
            const Status status = read(whole.left(n), card);
            QCOMPARE(status, n <= lastLine ? Status::Failed : Status::Read);
            if (status == Status::Failed)
                QCOMPARE(card.Logo.Left, 5.0);
        }
    }

    // Files that are no card at all: refused, quickly, whatever they hold.
    void notCardFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QByteArray binary;
        for (int i = 0; i < 70000; ++i)
            binary += char((i * 7919) % 256);
        QTest::newRow("binary") << binary;
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("nul bytes") << QByteArray(1000, '\0');
        QTest::newRow("one long line") << QByteArray(3 * 1024 * 1024, 'A');
        QTest::newRow("many lines, no font header") << QByteArray(3 * 1024 * 1024, '\n');
        QTest::newRow("text block too long")
            << QByteArray("[Titre 1]\r\n\"") + QByteArray(70000, 'x') + "\"\r\n[Police 1]\r\n";
        QTest::newRow("over the size bound") << QByteArray(cardfile::MaxFileBytes + 1, ' ');
    }
    void notCardFiles() {
        QFETCH(QByteArray, bytes);
        CardDocument card;
        QCOMPARE(read(bytes, card), Status::Failed);
        QCOMPARE(card.Logo.Left, 5.0);
    }

    // Long lines are fine while the zone's text stays within its bound.
    void textLinesMayEachBeLong() {
        CardDocument written;
        written.zone(1).Text = QString(30000, QLatin1Char('a')) + "\r\n" + QString(30000, QLatin1Char('b'));
        CardDocument card;
        QCOMPARE(read(cardfile::toBytes(written), card), Status::Read);
        QCOMPARE(card.zone(1).Text, written.zone(1).Text);
    }
};

QTEST_MAIN(CardFileReaderTest)
#include "tst_cardfilereader.moc"
