#include "CardFileSamples.h"
#include "TestPlatform.h"
#include "card/CardFileReader.h"
#include "card/CardFileWriter.h"
#include "merge/MergeFields.h"

#include <QTest>

namespace {

const CsvTable& team() {
    static const CsvTable t = csv::parse("Prénom;Nom;Poste;Adresse;Vide\n"
                                         "Léa;Martin;Gérante;\"1 rue Haute\n69000 Lyon\";\n"
                                         "Paul;{Nom};«Poste»\n");
    return t;
}

} // namespace

// Fields in the zones' texts, filled from a row of the spreadsheet.
class TestMergeFields : public QObject {
    Q_OBJECT
private slots:
    void fillsTheFields_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("filled");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("guillemets") << "«Prénom» «Nom»" << 0 << "Léa Martin" << QStringList{"Prénom", "Nom"};
        QTest::newRow("braces") << "{Prénom} {Nom}" << 0 << "Léa Martin" << QStringList{"Prénom", "Nom"};
        QTest::newRow("both spellings of one field, twice")
            << "{Nom}, «Nom» et {Nom}" << 0 << "Martin, Martin et Martin" << QStringList{"Nom"};
        QTest::newRow("heading matched whatever its case")
            << "«poste»" << 0 << "Gérante" << QStringList{"poste"};
        QTest::newRow("unknown field left as written")
            << "«Prénom» «Service» {Service}" << 0 << "Léa «Service» {Service}"
            << QStringList{"Prénom", "Service"};
        QTest::newRow("French quotation with blanks is text")
            << "« Au service » de «Nom»" << 0 << "« Au service » de Martin" << QStringList{"Nom"};
        QTest::newRow("blank at one end is text") << "«Nom » { Nom}" << 0 << "«Nom » { Nom}" << QStringList{};
        QTest::newRow("empty marks are text") << "«» {} « »" << 0 << "«» {} « »" << QStringList{};
        QTest::newRow("unclosed marks are text") << "«Nom {Nom" << 0 << "«Nom {Nom" << QStringList{};
        QTest::newRow("nested opening: the inner field")
            << "««Nom»» {{Nom}}" << 0 << "«Martin» {Martin}" << QStringList{"Nom"};
        QTest::newRow("marks of two kinds do not pair")
            << "«Nom} {Nom»" << 0 << "«Nom} {Nom»" << QStringList{};
        QTest::newRow("a name over two lines is text")
            << "«Prénom\r\nNom»" << 0 << "«Prénom\r\nNom»" << QStringList{};
        QTest::newRow("line break in a value becomes CR LF")
            << "{Adresse}" << 0 << "1 rue Haute\r\n69000 Lyon" << QStringList{"Adresse"};
        QTest::newRow("empty value") << "a{Vide}b" << 0 << "ab" << QStringList{"Vide"};
        QTest::newRow("value missing on a short row is empty")
            << "[{Adresse}]" << 1 << "[]" << QStringList{"Adresse"};
        QTest::newRow("values that look like fields are not read again")
            << "{Nom} {Poste}" << 1 << "{Nom} «Poste»" << QStringList{"Nom", "Poste"};
        QTest::newRow("no field") << "Société Kalimo" << 0 << "Société Kalimo" << QStringList{};
    }

    void fillsTheFields() {
        QFETCH(QString, text);
        QFETCH(int, row);
        QFETCH(QString, filled);
        QFETCH(QStringList, fields);
        QCOMPARE(mergefields::substitute(text, team(), team().rows.at(std::size_t(row))), filled);
        QCOMPARE(mergefields::fieldsIn(text), fields);
    }

    void namesTheFieldsTheFileLacks() {
        CardDocument card;
        card.zone(1).Text = QStringLiteral("«Prénom» {Service}");
        card.zone(2).Text = QStringLiteral("«Service»\r\n{Mobile}");
        card.zone(3).Text = QStringLiteral("{nom}");
        QCOMPARE(mergefields::fieldsIn(card), (QStringList{"Prénom", "Service", "Mobile", "nom"}));
        QCOMPARE(mergefields::missingFields(card, team()), (QStringList{"Service", "Mobile"}));
    }

    void fillsEveryZoneAndNothingElse() {
        CardDocument card = samples::fullCard(QStringLiteral("AUCUN"));
        card.zone(1).Text = QStringLiteral("«Prénom» «Nom»");
        card.zone(2).Text = QStringLiteral("{Poste}");
        card.zone(3).Text = QStringLiteral("{Adresse}\r\nFrance");
        const CardDocument filled = mergefields::cardForRow(card, team(), team().rows.front());
        QCOMPARE(filled.zone(1).Text, QStringLiteral("Léa Martin"));
        QCOMPARE(filled.zone(2).Text, QStringLiteral("Gérante"));
        QCOMPARE(filled.zone(3).Text, QStringLiteral("1 rue Haute\r\n69000 Lyon\r\nFrance"));
        for (int n = 1; n <= 3; ++n) {
            QCOMPARE(filled.zone(n).FontName, card.zone(n).FontName);
            QCOMPARE(filled.zone(n).Alignment, card.zone(n).Alignment);
            QCOMPARE(filled.zone(n).ForeColor, card.zone(n).ForeColor);
        }
        QCOMPARE(filled.Logo.Path, card.Logo.Path);
        QCOMPARE(card.zone(1).Text, QStringLiteral("«Prénom» «Nom»")); // the card itself untouched
    }

    // The card file holds the fields as ordinary text: read and written again, the same bytes.
    void cardFileKeepsTheFields() {
        CardDocument card = samples::fullCard(QStringLiteral("AUCUN"));
        card.zone(1).Text = QStringLiteral("«Prénom» {Nom}");
        card.zone(2).Text = QStringLiteral("{Poste}\r\n« Société »");
        const QByteArray bytes = cardfile::toBytes(card);
        QVERIFY(bytes.contains("\xAB"
                               "Pr\xE9nom\xBB {Nom}"));
        CardDocument back;
        FakePictureLoader pictures;
        QCOMPARE(cardfile::readBytes(bytes, back, pictures).status, CardReadResult::Status::Read);
        QCOMPARE(back.zone(1).Text, card.zone(1).Text);
        QCOMPARE(mergefields::fieldsIn(back), (QStringList{"Prénom", "Nom", "Poste"}));
        QCOMPARE(cardfile::toBytes(back), bytes);
    }
};

QTEST_GUILESS_MAIN(TestMergeFields)
#include "tst_mergefields.moc"
