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

    QString write(const QByteArray& bytes, const QString& name = QStringLiteral("carte.cdv")) {
        const QString path = dir_.filePath(name);
        if (!samples::writeFile(path, bytes))
            qFatal("cannot write the sample card");
        return path;
    }

private slots:
    // Items and whole lines over one text, each read shown as "L:" or "I:" and its result.
    void cursor_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reads");
        QTest::addColumn<QStringList>("results");
        QTest::newRow("unquoted, trailing spaces dropped") << "  abc  \r\nx"
                                                           << "II" << QStringList{"abc", "x"};
        QTest::newRow("tabs skipped") << "\t 12\r\n"
                                      << "I" << QStringList{"12"};
        QTest::newRow("commas split a line") << "1, 2 ,3\r\n"
                                             << "III" << QStringList{"1", "2", "3"};
        QTest::newRow("quoted keeps commas and spaces") << "\" a, b \"\r\nnext"
                                                        << "II" << QStringList{" a, b ", "next"};
        QTest::newRow("after the quote up to the comma") << "\"a\"xx,b\r\n"
                                                         << "II" << QStringList{"a", "b"};
        QTest::newRow("quote never closed") << "\"abc\r\nd"
                                            << "II" << QStringList{"abc", "d"};
        QTest::newRow("empty line is an empty item") << "\r\nx"
                                                     << "II" << QStringList{"", "x"};
        QTest::newRow("line then item on the rest") << "a,b\r\nc"
                                                    << "IL" << QStringList{"a", "b"};
        QTest::newRow("line ends CR alone and LF alone") << "a\rb\nc"
                                                         << "LLL" << QStringList{"a", "b", "c"};
        QTest::newRow("end of text") << "a\r\n"
                                     << "II" << QStringList{"a", "<end>"};
        QTest::newRow("last line without its end") << "a\r\nb"
                                                   << "LLL" << QStringList{"a", "b", "<end>"};
        QTest::newRow("rest of line keeps commas") << "  /a, b/c.bmp  \r\n"
                                                   << "R" << QStringList{"/a, b/c.bmp"};
        QTest::newRow("line over the bound")
            << QString(CardFileCursor::MaxLineLength + 1, QLatin1Char('x')) << "L" << QStringList{"<end>"};
        QTest::newRow("item in a line over the bound")
            << "1," + QString(CardFileCursor::MaxLineLength, QLatin1Char('x')) << "I" << QStringList{"<end>"};
        QTest::newRow("line at the bound")
            << QString(CardFileCursor::MaxLineLength, QLatin1Char('x')) << "L"
            << QStringList{QString(CardFileCursor::MaxLineLength, QLatin1Char('x'))};
    }
    void cursor() {
        QFETCH(QString, text);
        QFETCH(QString, reads);
        QFETCH(QStringList, results);
        CardFileCursor in(text);
        QStringList got;
        for (QChar kind : reads) {
            std::optional<QString> r = kind == 'L'   ? in.readLine()
                                       : kind == 'I' ? in.readItem()
                                                     : in.readRestOfLine();
            got << (r ? *r : QStringLiteral("<end>"));
        }
        QCOMPARE(got, results);
    }

    // Each field as a single, a Boolean, a 32-bit and a 16-bit integer; "-" for a refusal.
    void fields_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("single");
        QTest::addColumn<QString>("boolean");
        QTest::addColumn<QString>("longValue");
        QTest::addColumn<QString>("integer");
        QTest::newRow("decimal") << "8.25"
                                 << "8.25"
                                 << "true"
                                 << "8"
                                 << "8";
        QTest::newRow("no leading zero") << ".5"
                                         << "0.5"
                                         << "true"
                                         << "0"
                                         << "0";
        QTest::newRow("half to even") << "2.5"
                                      << "2.5"
                                      << "true"
                                      << "2"
                                      << "2";
        QTest::newRow("negative") << "-2147483640"
                                  << "-2147483648"
                                  << "true"
                                  << "-2147483640"
                                  << "-";
        QTest::newRow("zero") << "0"
                              << "0"
                              << "false"
                              << "0"
                              << "0";
        QTest::newRow("True any case") << "tRuE"
                                       << "-"
                                       << "true"
                                       << "-"
                                       << "-";
        QTest::newRow("False") << "False"
                               << "-"
                               << "false"
                               << "-"
                               << "-";
        QTest::newRow("empty") << ""
                               << "-"
                               << "-"
                               << "-"
                               << "-";
        QTest::newRow("word") << "abc"
                              << "-"
                              << "-"
                              << "-"
                              << "-";
        QTest::newRow("number then text") << "12pt"
                                          << "-"
                                          << "-"
                                          << "-"
                                          << "-";
        QTest::newRow("comma decimal") << "8,25"
                                       << "-"
                                       << "-"
                                       << "-"
                                       << "-";
        QTest::newRow("past 32 bits") << "2147483648"
                                      << "2147483648"
                                      << "true"
                                      << "-"
                                      << "-";
        QTest::newRow("past 16 bits") << "32768"
                                      << "32768"
                                      << "true"
                                      << "32768"
                                      << "-";
        QTest::newRow("past singles") << "1E+39"
                                      << "-"
                                      << "true"
                                      << "-"
                                      << "-";
        QTest::newRow("exponent") << "1E+3"
                                  << "1000"
                                  << "true"
                                  << "1000"
                                  << "1000";
    }
    void fields() {
        QFETCH(QString, field);
        QFETCH(QString, single);
        QFETCH(QString, boolean);
        QFETCH(QString, longValue);
        QFETCH(QString, integer);
        auto text = [](auto v) { return v ? QString::number(double(*v), 'g', 10) : QStringLiteral("-"); };
        const auto b = cardfield::toBoolean(field);
        QCOMPARE(text(cardfield::toSingle(field)), single);
        QCOMPARE(b ? (*b ? QStringLiteral("true") : QStringLiteral("false")) : QStringLiteral("-"), boolean);
        QCOMPARE(text(cardfield::toLong(field)), longValue);
        QCOMPARE(text(cardfield::toInteger(field)), integer);
    }

    void roundTrip() {
        const QString logo = dir_.filePath(QStringLiteral("logo, société.bmp"));
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(logo, "BMP"));
        const CardDocument written = samples::fullCard(logo);
        const QString path = write(cardfile::toBytes(written));

        CardDocument card;
        const CardReadResult r = cardfile::read(path, card, pictures_);
        QCOMPARE(r.status, Status::Read);
        QVERIFY(r.missingLogo.isEmpty());
        for (int n = 1; n <= 3; ++n) {
            const TextZone& a = written.zone(n);
            const TextZone& b = card.zone(n);
            QCOMPARE(b.Text, trimSpaces(a.Text));
            QCOMPARE(b.FontName, a.FontName);
            QCOMPARE(b.FontSize, a.FontSize);
            QCOMPARE(b.FontBold, a.FontBold);
            QCOMPARE(b.FontItalic, a.FontItalic);
            QCOMPARE(b.ForeColor, a.ForeColor);
            QCOMPARE(b.Alignment, a.Alignment);
        }
        QCOMPARE(card.Logo.Width, 11.1);
        QCOMPARE(card.Logo.Height, 20.0);
        QCOMPARE(card.Logo.Left, 0.5);
        QCOMPARE(card.Logo.Top, 3.2);
        // A comma in the folder name does not cut the path short.
        QCOMPARE(card.Logo.Path, logo);
        QCOMPARE(card.Logo.RecordedPath, logo);
        QCOMPARE(card.Logo.picture.naturalSize(), QSize(8, 8));
        // Written again, the card gives the same bytes.
        QCOMPARE(cardfile::toBytes(card), cardfile::toBytes(written));
    }

    void noLogoForgetsThePreviousOne() {
        CardDocument card = samples::fullCard(QStringLiteral("/tmp/ancien.bmp"));
        card.Logo.picture = Picture(QImage(4, 4, QImage::Format_RGB32));
        QCOMPARE(cardfile::read(write(samples::newCardFile()), card, pictures_).status, Status::Read);
        QCOMPARE(card.Logo.Path, QStringLiteral("AUCUN"));
        QVERIFY(card.Logo.RecordedPath.isEmpty());
        QVERIFY(card.Logo.picture.isNull());
        QCOMPARE(card.zone(1).FontName, QStringLiteral("arial"));
        QCOMPARE(card.zone(1).FontSize, 8.0f);
    }

    void madeOnWindows() {
        // Hand-made from the byte layout: CR LF, "é" as the one byte 0xE9.
        QByteArray bytes = "[Titre 1]\r\n\"Soci\xE9t\xE9 G\xE9n\xE9rale\r\nDirecteur g\xE9n\xE9ral\"\r\n"
                           "[Police 1]\r\nArial\r\n 9.75\r\nTrue\r\nFalse\r\n"
                           "[Couleur 1]\r\n 128 \r\n[Alignement 1]\r\n 2 \r\n";
        for (int n = 2; n <= 3; ++n)
            bytes += "[Titre " + QByteArray::number(n) + "]\r\n\"Caf\xE9\"\r\n[Police " +
                     QByteArray::number(n) +
                     "]\r\nArial\r\n 8.25\r\nFalse\r\nFalse\r\n[Couleur]\r\n-2147483640 \r\n"
                     "[Alignement]\r\n 0 \r\n";
        bytes += "[Icone]\r\n 11.1\r\n 11.1\r\n 0\r\n 0\r\nAUCUN\r\n";
        CardDocument card;
        QCOMPARE(cardfile::read(write(bytes), card, pictures_).status, Status::Read);
        QCOMPARE(card.zone(1).Text, QStringLiteral("Société Générale\r\nDirecteur général"));
        QCOMPARE(card.zone(1).FontSize, 9.75f);
        QCOMPARE(card.zone(2).Text, QStringLiteral("Café"));
        QCOMPARE(card.zone(3).ForeColor, colour::WindowText);
    }

    void severalItemsOnALine() {
        QByteArray bytes = samples::newCardFile();
        bytes.replace("arial\r\n 8\r\nFalse\r\nFalse\r\n", "\"Arial Black\", 14,True , 0\r\n");
        CardDocument card;
        QCOMPARE(cardfile::read(write(bytes), card, pictures_).status, Status::Read);
        QCOMPARE(card.zone(3).FontName, QStringLiteral("Arial Black"));
        QCOMPARE(card.zone(3).FontSize, 14.0f);
        QVERIFY(card.zone(3).FontBold);
        QVERIFY(!card.zone(3).FontItalic);
    }

    // Cut anywhere, the file is refused unless all its values came before the cut.
    void truncatedAnywhere() {
        const QByteArray whole = samples::fullCardFile(QStringLiteral("AUCUN"));
        const int lastLine = whole.lastIndexOf("\r\n", whole.size() - 3) + 2;
        for (int n = 0; n < whole.size(); ++n) {
            CardDocument card;
            const CardReadResult r = cardfile::read(write(whole.left(n)), card, pictures_);
            QCOMPARE(r.status, n <= lastLine ? Status::Failed : Status::Read);
            if (r.status == Status::Failed)
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
        QTest::newRow("one long line") << QByteArray(3 * 1024 * 1024, 'A');
        QTest::newRow("many lines, no font header") << QByteArray(3 * 1024 * 1024, '\n');
        QTest::newRow("text block too long")
            << QByteArray("[Titre 1]\r\n\"") + QByteArray(70000, 'x') + "\"\r\n[Police 1]\r\n";
        QTest::newRow("over the size bound") << QByteArray(cardfile::MaxFileBytes + 1, ' ');
        QTest::newRow("nul bytes") << QByteArray(1000, '\0');
    }
    void notCardFiles() {
        QFETCH(QByteArray, bytes);
        CardDocument card;
        QCOMPARE(cardfile::read(write(bytes), card, pictures_).status, Status::Failed);
        QCOMPARE(card.Logo.Left, 5.0);
        QCOMPARE(card.Logo.Top, 5.0);
    }

    void textLinesMayEachBeLong() {
        // Long lines are fine while the zone's text stays within its bound.
        CardDocument written;
        written.zone(1).Text = QString(30000, QLatin1Char('a')) + "\r\n" + QString(30000, QLatin1Char('b'));
        CardDocument card;
        QCOMPARE(cardfile::read(write(cardfile::toBytes(written)), card, pictures_).status, Status::Read);
        QCOMPARE(card.zone(1).Text, written.zone(1).Text);
    }
};

QTEST_MAIN(CardFileReaderTest)
#include "tst_cardfilereader.moc"
