#include "merge/CsvTable.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// "|" separates the values of one row, "/" the rows, in the expected tables below.
QString shown(const CsvTable& t) {
    QStringList rows;
    rows << t.fields.join(QLatin1Char('|'));
    for (const CsvRow& r : t.rows)
        rows << QStringLiteral("%1:").arg(r.line) + r.values.join(QLatin1Char('|'));
    return rows.join(QLatin1Char('/'));
}

QByteArray latin(const char* s) {
    return QByteArray(s);
}

} // namespace

// Files as spreadsheets and people write them, read into fields and rows.
class TestCsvTable : public QObject {
    Q_OBJECT
private slots:
    void readsRealWorldFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("table");
        QTest::newRow("semicolons, CR LF") << latin("Nom;Prénom\r\nMartin;Léa\r\nDurand;Paul\r\n") << ";"
                                           << QStringLiteral("Nom|Prénom/2:Martin|Léa/3:Durand|Paul");
        QTest::newRow("commas, LF, no last line end") << latin("Nom,Ville\nMartin,Lyon\nDurand,Nantes") << ","
                                                      << "Nom|Ville/2:Martin|Lyon/3:Durand|Nantes";
        QTest::newRow("tabs") << latin("Nom\tPoste\nMartin\tGérant\n") << "\t"
                              << QStringLiteral("Nom|Poste/2:Martin|Gérant");
        QTest::newRow("lone CR line ends") << latin("Nom;Ville\rMartin;Lyon\r") << ";"
                                           << "Nom|Ville/2:Martin|Lyon";
        QTest::newRow("quoted separator and doubled quotes")
            << latin("Nom;Adresse\r\nMartin;\"3; rue \"\"Haute\"\"\"\r\n") << ";"
            << "Nom|Adresse/2:Martin|3; rue \"Haute\"";
        QTest::newRow("commas quoted in a comma file")
            << latin("Nom,Adresse\n\"Martin, Léa\",\"1,5 km\"\n") << ","
            << QStringLiteral("Nom|Adresse/2:Martin, Léa|1,5 km");
        QTest::newRow("line breaks inside quotes become CR LF, lines still counted")
            << latin("Nom;Adresse\nMartin;\"1 rue Haute\n69000 Lyon\r\nFrance\"\nDurand;Nantes\n") << ";"
            << "Nom|Adresse/2:Martin|1 rue Haute\r\n69000 Lyon\r\nFrance/5:Durand|Nantes";
        QTest::newRow("byte-order mark") << latin("\xEF\xBB\xBFNom;Ville\nMartin;Sète\n") << ";"
                                         << QStringLiteral("Nom|Ville/2:Martin|Sète");
        QTest::newRow("Windows-1252 accents") << latin("Pr\xE9nom;Ville\nL\xE9"
                                                       "a;S\xE8te \x80\n")
                                              << ";" << QStringLiteral("Prénom|Ville/2:Léa|Sète €");
        QTest::newRow("ragged rows kept as they are") << latin("A;B;C\n1;2\n1;2;3;4\n") << ";"
                                                      << "A|B|C/2:1|2/3:1|2|3|4";
        QTest::newRow("blank lines left out, lines still counted")
            << latin("\nNom;Ville\n\nMartin;Lyon\n;\n\n") << ";"
            << "Nom|Ville/4:Martin|Lyon";
        QTest::newRow("blanks around names dropped, around values kept")
            << latin(" Nom ; Ville \n Martin ;Lyon\n") << ";"
            << "Nom|Ville/2: Martin |Lyon";
        QTest::newRow("empty values and an empty quoted value") << latin("A;B;C\nx;\"\";\n") << ";"
                                                                << "A|B|C/2:x||";
        QTest::newRow("text after a closing quote stays in the value") << latin("A;B\n\"x\"y;z\n") << ";"
                                                                       << "A|B/2:xy|z";
        QTest::newRow("quote inside an unquoted value") << latin("A;B\n5\" disque;z\n") << ";"
                                                        << "A|B/2:5\" disque|z";
        QTest::newRow("separator chosen from the first line outside quotes")
            << latin("\"Nom;Prénom\",Ville\nMartin,Lyon\n") << ","
            << "Nom;Prénom|Ville/2:Martin|Lyon";
        QTest::newRow("separator found on the heading after blank lines")
            << latin("\r\n\t\r\nNom,Ville\r\nMartin,Lyon\r\n") << ","
            << "Nom|Ville/4:Martin|Lyon";
        QTest::newRow("quote inside a heading does not hide the separator")
            << latin("A 5\";B,C,D\n1,2,3\n") << ","
            << "A 5\";B|C|D/2:1|2|3";
        QTest::newRow("quoted headings split where quotes close")
            << latin("\"Nom; pr\xE9nom\";\"Adresse, ville\"\nMartin;Lyon\n") << ";"
            << QStringLiteral("Nom; prénom|Adresse, ville/2:Martin|Lyon");
        QTest::newRow("quoted headings split where quotes close, commas")
            << latin("\"Nom; pr\xE9nom\",\"Adresse; ville\",\"x;y\"\nMartin,Lyon\n") << ","
            << QStringLiteral("Nom; prénom|Adresse; ville|x;y/2:Martin|Lyon");
        QTest::newRow("semicolon wins a tie") << latin("A;B,C\n1;2,3\n") << ";"
                                              << "A|B,C/2:1|2,3";
        QTest::newRow("one column") << latin("Nom\nMartin\n") << ";"
                                    << "Nom/2:Martin";
    }

    void readsRealWorldFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, separator);
        QFETCH(QString, table);
        const CsvTable t = csv::parse(bytes);
        QVERIFY2(t.ok(), qPrintable(t.error));
        QCOMPARE(QString(t.separator), separator);
        QCOMPARE(shown(t), table);
    }

    void refusesWhatCannotBeRead_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty file")
            << QByteArray() << "ligne 1 : le fichier est vide, sa première ligne doit nommer les champs.";
        QTest::newRow("blank lines only")
            << latin("\r\n\r\n;;\r\n")
            << "ligne 1 : le fichier est vide, sa première ligne doit nommer les champs.";
        QTest::newRow("byte-order mark only")
            << latin("\xEF\xBB\xBF")
            << "ligne 1 : le fichier est vide, sa première ligne doit nommer les champs.";
        QTest::newRow("quote never closed, named by its first line")
            << latin("Nom;Ville\nMartin;Lyon\nDurand;\"Nantes\nFrance\n")
            << "ligne 3 : un guillemet ouvert n'est jamais fermé.";
    }

    void refusesWhatCannotBeRead() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        const CsvTable t = csv::parse(bytes);
        QCOMPARE(t.error, error);
        QVERIFY(t.rows.empty());
        QVERIFY(t.fields.isEmpty());
    }

    void readsAHugeField() {
        const QByteArray big(3 * 1024 * 1024, 'x');
        const CsvTable t = csv::parse("Nom;Notes\nMartin;\"" + big + "\"\nDurand;court\n");
        QVERIFY(t.ok());
        QCOMPARE(t.rows.size(), std::size_t(2));
        QCOMPARE(t.rows[0].values.at(1).size(), big.size());
        QCOMPARE(t.rows[1].line, 3);
    }

    void decodesUtf8OnlyWhenValid_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("UTF-8") << latin("\xC3\xA9t\xC3\xA9") << QStringLiteral("été");
        QTest::newRow("Windows-1252") << latin("\xE9t\xE9") << QStringLiteral("été");
        QTest::newRow("cut UTF-8 sequence is Windows-1252") << latin("ab\xC3") << QStringLiteral("abÃ");
        QTest::newRow("guillemets in Windows-1252") << latin("\xABNom\xBB") << QStringLiteral("«Nom»");
        QTest::newRow("mark dropped") << latin("\xEF\xBB\xBF"
                                               "a")
                                      << QStringLiteral("a");
    }

    void decodesUtf8OnlyWhenValid() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(csv::decode(bytes), text);
    }

    void findsFieldsWhateverTheirCase() {
        const CsvTable t = csv::parse("Nom; Prénom ;TÉLÉPHONE\n");
        QCOMPARE(t.column(QStringLiteral("Nom")), 0);
        QCOMPARE(t.column(QStringLiteral("prénom")), 1);
        QCOMPARE(t.column(QStringLiteral("Téléphone")), 2);
        QCOMPARE(t.column(QStringLiteral("Poste")), -1);
    }

    void readsFilesAndSaysWhyNot() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("equipe.csv"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Nom;Ville\n\"Martin;Lyon\n");
        f.close();
        QCOMPARE(csv::readFile(path).error, path + ", ligne 2 : un guillemet ouvert n'est jamais fermé.");
        const QString missing = dir.filePath(QStringLiteral("absent.csv"));
        QCOMPARE(csv::readFile(missing).error, "Fichier " + missing + " non trouvé !");
        QCOMPARE(csv::readFile(dir.path()).error, dir.path() + " n'est pas un fichier ordinaire.");
    }
};

QTEST_GUILESS_MAIN(TestCsvTable)
#include "tst_csvtable.moc"
