#include "CardFileSamples.h"
#include "card/CardFileWriter.h"
#include "card/NewCard.h"

#include <QtTest>

// The lines of a written card, without their CR LF.
static QStringList fileLines(const CardDocument& card) {
    QStringList lines = QString::fromLatin1(cardfile::toBytes(card)).split(QStringLiteral("\r\n"));
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
        QCOMPARE(cardfile::toBytes(card), samples::newCardFile());
        QCOMPARE(fileLines(card).size(), 39);
    }

    // Multi-line text with quotes, sizes 8.25, 12 and 10.5, an RGB and a system colour, the
    // logo width 11.19 cut to " 11.1", a logo path.
    void fullCardByteForByte() {
        const QString logo = QStringLiteral("/home/marie/Logos/société.bmp");
        QCOMPARE(cardfile::toBytes(samples::fullCard(logo)), samples::fullCardFile(logo));
    }

    // The number-to-text rule where the two cards above do not reach it.
    void valueLines_data() {
        QTest::addColumn<double>("size");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("left");
        QTest::addColumn<QStringList>("lines"); // lines 4, 34 and 36 of the file
        QTest::newRow("a single that is no double")
            << 10.1 << 0.0 << -0.55 << QStringList{" 10.1", " 0", "-.6"};
        QTest::newRow("under a tenth") << 8.25 << 0.05 << 0.0 << QStringList{" 8.25", " 0", " 0"};
    }
    void valueLines() {
        QFETCH(double, size);
        QFETCH(double, width);
        QFETCH(double, left);
        QFETCH(QStringList, lines);
        CardDocument card;
        card.zone(1).FontSize = float(size);
        card.Logo.Width = width;
        card.Logo.Left = left;
        const QStringList all = fileLines(card);
        QCOMPARE(QStringList({all.at(4), all.at(34), all.at(36)}), lines);
    }

    void zoneText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("tabs are not spaces") << "\tx\t" << QStringList{"\"\tx\t\""};
        QTest::newRow("inner spaces kept") << "  Jean  Dupont  " << QStringList{"\"Jean  Dupont\""};
        QTest::newRow("blank line kept") << "a\r\n\r\nb" << QStringList{"\"a", "", "b\""};
    }
    void zoneText() {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        CardDocument card;
        card.zone(2).Text = text;
        const QStringList all = fileLines(card);
        const int start = all.indexOf(QStringLiteral("[Titre 2]")) + 1;
        QCOMPARE(all.mid(start, all.indexOf(QStringLiteral("[Police 2]")) - start), lines);
    }

    // What Windows-1252 cannot hold, from a zone text, a font name or the logo path.
    void unencodable_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("font");
        QTest::addColumn<QString>("logo");
        QTest::addColumn<QStringList>("characters");
        auto row = [](const char* name, const char* text, const char* font, const char* logo,
                      const QStringList& characters) {
            QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(font)
                                << QString::fromUtf8(logo) << characters;
        };
        row("code page only", "Société € «»", "Arial", "", {});
        row("greek in a text", "Ωmega Ω", "Arial", "", {"Ω"});
        row("arrow in a font name", "", "Fonte→", "", {"→"});
        row("in the logo path", "", "Arial", "/tmp/лого.png", {"л", "о", "г"});
        row("outside the basic plane", "😀 et 😃", "Arial", "", {QStringLiteral("😀"), QStringLiteral("😃")});
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
