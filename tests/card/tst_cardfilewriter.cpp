#include "CardFileSamples.h"
#include "card/CardFileWriter.h"
#include "card/NewCard.h"

#include <QtTest>

// The lines of a written card, without their CR LF.
static QStringList fileLines(const QByteArray& bytes) {
    QStringList lines = QString::fromLatin1(bytes).split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

class CardFileWriterTest : public QObject {
    Q_OBJECT
private slots:
    void newCardIsThirtyNineLines() {
        CardDocument card = samples::fullCard(QStringLiteral("/tmp/logo.bmp"));
        card.zone(1).FontUnderline = true;
        resetToNewCard(card);
        const QByteArray bytes = cardfile::toBytes(card);
        QCOMPARE(bytes, samples::newCardFile());
        QCOMPARE(fileLines(bytes).size(), 39);
    }

    void fullCardByteForByte() {
        const QString logo = QStringLiteral("/home/marie/Logos/société.bmp");
        QCOMPARE(cardfile::toBytes(samples::fullCard(logo)), samples::fullCardFile(logo));
    }

    // One value of the card against the line that holds it.
    void valueLines_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::newRow("size 8.25") << "size" << 8.25 << 4 << " 8.25";
        QTest::newRow("size 12") << "size" << 12.0 << 4 << " 12";
        QTest::newRow("size 10.5") << "size" << 10.5 << 4 << " 10.5";
        QTest::newRow("size 10.1 as a single") << "size" << 10.1 << 4 << " 10.1";
        QTest::newRow("colour red") << "colour" << 255.0 << 8 << " 255 ";
        QTest::newRow("colour black") << "colour" << 0.0 << 8 << " 0 ";
        QTest::newRow("colour window text") << "colour" << double(colour::WindowText) << 8 << "-2147483640 ";
        QTest::newRow("colour white") << "colour" << double(0xFFFFFF) << 8 << " 16777215 ";
        QTest::newRow("alignment centre") << "alignment" << 2.0 << 10 << " 2 ";
        QTest::newRow("width 11.19 cut") << "width" << 11.19 << 34 << " 11.1";
        QTest::newRow("width of the box") << "width" << 630 / 56.7 << 34 << " 11.1";
        QTest::newRow("width never set") << "width" << 0.0 << 34 << " 0";
        QTest::newRow("width under a tenth") << "width" << 0.05 << 34 << " 0";
        QTest::newRow("left negative goes down") << "left" << -0.55 << 36 << "-.6";
        QTest::newRow("left half") << "left" << 0.5 << 36 << " .5";
        QTest::newRow("top whole") << "top" << 5.0 << 37 << " 5";
    }
    void valueLines() {
        QFETCH(QString, field);
        QFETCH(double, value);
        QFETCH(int, line);
        QFETCH(QString, text);
        CardDocument card;
        if (field == "size")
            card.zone(1).FontSize = float(value);
        else if (field == "colour")
            card.zone(1).ForeColor = quint32(value);
        else if (field == "alignment")
            card.zone(1).Alignment = qint16(value);
        else if (field == "width")
            card.Logo.Width = value;
        else if (field == "left")
            card.Logo.Left = value;
        else if (field == "top")
            card.Logo.Top = value;
        QCOMPARE(fileLines(cardfile::toBytes(card)).at(line), text);
    }

    void zoneText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << "" << QStringList{"\"\""};
        QTest::newRow("two lines") << "Nom\r\nFonction" << QStringList{"\"Nom", "Fonction\""};
        QTest::newRow("outer spaces dropped") << "  Jean  Dupont  " << QStringList{"\"Jean  Dupont\""};
        QTest::newRow("tabs are not spaces") << "\tx\t" << QStringList{"\"\tx\t\""};
        QTest::newRow("quotes inside") << "Le \"Chef\"" << QStringList{"\"Le \"Chef\"\""};
        QTest::newRow("blank line kept") << "a\r\n\r\nb" << QStringList{"\"a", "", "b\""};
    }
    void zoneText() {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        CardDocument card;
        card.zone(2).Text = text;
        const QStringList all = fileLines(cardfile::toBytes(card));
        const int start = all.indexOf(QStringLiteral("[Titre 2]")) + 1;
        const int end = all.indexOf(QStringLiteral("[Police 2]"));
        QCOMPARE(all.mid(start, end - start), lines);
    }

    void unencodable_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("font");
        QTest::addColumn<QString>("logo");
        QTest::addColumn<QStringList>("characters");
        QTest::newRow("code page only") << "Société € «»"
                                        << "Arial"
                                        << "" << QStringList{};
        QTest::newRow("greek in a text") << "Ωmega Ω"
                                         << "Arial"
                                         << "" << QStringList{"Ω"};
        QTest::newRow("arrow in a font name") << ""
                                              << "Fonte→"
                                              << "" << QStringList{"→"};
        QTest::newRow("in the logo path") << ""
                                          << "Arial"
                                          << "/tmp/лого.png" << QStringList{"л", "о", "г"};
        QTest::newRow("outside the basic plane")
            << "😀 et 😃"
            << "Arial"
            << "" << QStringList{QStringLiteral("😀"), QStringLiteral("😃")};
        QTest::newRow("spaces cut away do not count") << "x"
                                                      << "Arial"
                                                      << "" << QStringList{};
    }
    void unencodable() {
        QFETCH(QString, text);
        QFETCH(QString, font);
        QFETCH(QString, logo);
        QFETCH(QStringList, characters);
        CardDocument card;
        card.zone(3).Text = text;
        card.zone(2).FontName = font;
        card.Logo.RecordedPath = logo;
        QCOMPARE(cardfile::unencodableCharacters(card), characters);
    }
};

QTEST_GUILESS_MAIN(CardFileWriterTest)
#include "tst_cardfilewriter.moc"
