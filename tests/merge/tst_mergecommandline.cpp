#include "PrintedPage.h"
#include "PrivateCups.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A card whose three zones are fields: "{Prénom} {Nom}" left, "«Poste»" right, "{Ville}" centred.
QByteArray fieldCard(const char* zone1 = "{Pr\xE9nom} {Nom}") {
    const QByteArray texts[3] = {zone1, "\xABPoste\xBB", "{Ville}"};
    QByteArray out;
    for (int n = 1; n <= 3; ++n)
        out += "[Titre " + QByteArray::number(n) + "]\r\n\"" + texts[n - 1] + "\"\r\n[Police " +
               QByteArray::number(n) + "]\r\nDejaVu Sans\r\n 10\r\nFalse\r\nFalse\r\n[Couleur " +
               QByteArray::number(n) + "]\r\n 0 \r\n[Alignement " + QByteArray::number(n) + "]\r\n " +
               QByteArray::number(n - 1) + " \r\n";
    return out + "[Icone]\r\n 12\r\n 8\r\n 1\r\n 4\r\nAUCUN\r\n";
}

// count people, Léa01 Martin01 ... in UTF-8 with ";" and a quoted post holding the separator.
QByteArray team(int count) {
    QByteArray out = "Pr\xC3\xA9nom;Nom;Poste;Ville\r\n";
    for (int i = 1; i <= count; ++i) {
        const QByteArray n = QByteArray::number(i).rightJustified(2, '0');
        out += "L\xC3\xA9"
               "a" +
               n + ";Martin" + n + ";\"Poste" + n + "; bureau\";Lyon" + n + "\r\n";
    }
    return out;
}

int pages(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished(60000);
    const auto m =
        QRegularExpression(QStringLiteral("Pages: +(\\d+)\n")).match(QString::fromLatin1(p.readAll()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

struct Run {
    int exitCode = -1;
    QString err;
};

Run kalimo(const QString& folder, QString line,
           const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setWorkingDirectory(folder);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KALIMO_EXECUTABLE),
            line.replace(QLatin1Char('@'), folder).split(QLatin1Char(' '), Qt::SkipEmptyParts));
    if (!p.waitForFinished(120000))
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
}

// The cell n of the built-in layout, as the sheet is ruled: 85 x 54 mm, from 5 mm left, row by row.
QRectF cell(int n) {
    return QRectF(5 + (n - 1) % 2 * 85, (n - 1) / 2 * 54, 85, 54);
}

} // namespace

// kalimo --merge from the command line: the exit code and the French message of each case,
// and the sheets it writes, read back from the PDF.
class TestMergeCommandLine : public QObject {
    Q_OBJECT
private slots:
    void exits_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("pagesWritten"); // -1: no file
        const QByteArray three = team(3);
        const QByteArray broken =
            team(2) + "Paul;Durand;Vendeur;Nantes;en trop\r\n" + team(3).mid(team(2).size());
        const QByteArray tooLong =
            "Pr\xC3\xA9nom;Nom;Poste;Ville\r\nL\xC3\xA9"
            "a;Martin;\"1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14\n15\n16\";Lyon\r\n";
        QTest::newRow("one card per row")
            << "--pdf @/out.pdf --merge @/d.csv @/c.cdv" << three << 0 << "" << 1;
        QTest::newRow("copies: a sheet per row")
            << "--pdf @/out.pdf --merge @/d.csv --copies 2 @/c.cdv" << three << 0 << "" << 3;
        QTest::newRow("start position 9: two sheets")
            << "--pdf @/out.pdf --merge @/d.csv --position 9 @/c.cdv" << three << 0 << "" << 2;
        QTest::newRow("field the file lacks")
            << "--pdf @/out.pdf --merge @/d.csv @/c.cdv"
            << QByteArray("Pr\xC3\xA9nom;Nom;Ville\r\nL\xC3\xA9"
                          "a;Martin;Lyon\r\n")
            << 1 << "@/d.csv, ligne 1 : le champ «Poste» de la carte n'est pas dans la liste des champs."
            << -1;
        QTest::newRow("field missing even with --skip-bad-rows")
            << "--pdf @/out.pdf --merge @/d.csv --skip-bad-rows @/c.cdv"
            << QByteArray("\r\n\r\nNom;Poste;Ville\r\nMartin;x;y\r\n") << 1
            << "@/d.csv, ligne 3 : le champ «Prénom» de la carte n'est pas dans la liste des champs." << -1;
        QTest::newRow("quote never closed")
            << "--pdf @/out.pdf --merge @/d.csv @/c.cdv" << team(2) + "Paul;\"Durand;x;y\r\n"
            << 1 << "@/d.csv, ligne 4 : un guillemet ouvert n'est jamais fermé." << -1;
        QTest::newRow("no such file") << "--pdf @/out.pdf --merge @/absent.csv @/c.cdv" << three << 1
                                      << "Fichier @/absent.csv non trouvé !" << -1;
        QTest::newRow("empty file")
            << "--pdf @/out.pdf --merge @/d.csv @/c.cdv" << QByteArray() << 1
            << "@/d.csv, ligne 1 : le fichier est vide, sa première ligne doit nommer les champs." << -1;
        QTest::newRow("heading only") << "--pdf @/out.pdf --merge @/d.csv @/c.cdv" << team(0) << 1
                                      << "@/d.csv : aucune ligne à imprimer." << -1;
        QTest::newRow("row with a value too many")
            << "--pdf @/out.pdf --merge @/d.csv @/c.cdv" << broken << 1
            << "@/d.csv, ligne 4 : 5 valeurs pour 4 champs : un séparateur de trop ?\nRien n'a été imprimé"
            << -1;
        QTest::newRow("row too long for zone 2, skipped: nothing left")
            << "--pdf @/out.pdf --merge @/d.csv --skip-bad-rows @/c.cdv" << tooLong << 1
            << "@/d.csv, ligne 2 : La zone 2 compte plus de 15 lignes. Ligne laissée de côté.\n@/d.csv : "
               "aucune ligne à imprimer."
            << -1;
        QTest::newRow("bad row skipped")
            << "--pdf @/out.pdf --merge @/d.csv --skip-bad-rows --copies 1 @/c.cdv" << broken << 0
            << "@/d.csv, ligne 4 : 5 valeurs pour 4 champs : un séparateur de trop ? Ligne laissée de côté."
            << 3;
        QTest::newRow("no card at all") << "--pdf @/out.pdf --merge @/d.csv --copies 0 @/c.cdv" << three << 1
                                        << "Aucune carte à imprimer (--copies 0)" << -1;
        QTest::newRow("output would replace the data")
            << "--pdf @/d.csv --force --merge @/d.csv @/c.cdv" << three << 1
            << "Le fichier @/d.csv est aussi un fichier à lire" << -1;
        QTest::newRow("--merge without an output")
            << "--merge @/d.csv @/c.cdv" << three << 2 << "L'option --merge ne sert qu'avec --pdf ou --print."
            << -1;
        QTest::newRow("--skip-bad-rows without --merge")
            << "--pdf @/out.pdf --skip-bad-rows @/c.cdv" << three << 2
            << "L'option --skip-bad-rows ne sert qu'avec --merge." << -1;
        QTest::newRow("--merge without its file")
            << "--pdf @/out.pdf @/c.cdv --merge" << three << 2 << "L'option --merge attend une valeur." << -1;
        QTest::newRow("--merge with the calibration page")
            << "--calibration-pdf @/out.pdf --merge @/d.csv" << three << 2
            << "L'option --merge ne sert pas avec --calibration-pdf." << -1;
    }

    void exits() {
        QFETCH(QString, line);
        QFETCH(QByteArray, data);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFETCH(int, pagesWritten);
        QTemporaryDir dir;
        QVERIFY(write(dir.filePath(QStringLiteral("c.cdv")), fieldCard()));
        QVERIFY(write(dir.filePath(QStringLiteral("d.csv")), data));
        const Run run = kalimo(dir.path(), line);
        QVERIFY2(run.exitCode == exitCode, qPrintable(run.err));
        QVERIFY2(run.err.contains(message.replace(QLatin1Char('@'), dir.path())), qPrintable(run.err));
        if (message.isEmpty())
            QVERIFY2(!run.err.contains(QLatin1String("ligne")), qPrintable(run.err));
        const QString out = dir.filePath(QStringLiteral("out.pdf"));
        QCOMPARE(QFile::exists(out), pagesWritten >= 0);
        if (pagesWritten >= 0)
            QCOMPARE(pages(out), pagesWritten);
        QCOMPARE(QFile(dir.filePath(QStringLiteral("d.csv"))).size(), data.size());
    }

    // 23 people, one card each: every name in the cell where it belongs, sheet after sheet,
    // the cells before the start position and after the last row left blank.
    void eachNameInItsCell_data() {
        QTest::addColumn<int>("start");
        QTest::newRow("from cell 1") << 1;
        QTest::newRow("from cell 4") << 4;
    }

    void eachNameInItsCell() {
        QFETCH(int, start);
        QTemporaryDir dir;
        QVERIFY(write(dir.filePath(QStringLiteral("c.cdv")), fieldCard()));
        QVERIFY(write(dir.filePath(QStringLiteral("d.csv")), team(23)));
        const Run run = kalimo(
            dir.path(), QStringLiteral("--pdf @/out.pdf --merge @/d.csv --position %1 @/c.cdv").arg(start));
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
        const int sheets = (start - 1 + 23 + 9) / 10;
        QCOMPARE(pages(pdf), sheets);
        for (int sheet = 1; sheet <= sheets; ++sheet) {
            PrintedPage page;
            QVERIFY(page.load(pdf, sheet));
            for (int n = 1; n <= 10; ++n) {
                const int person = (sheet - 1) * 10 + n - start + 1; // from 1; out of 1..23: a blank cell
                QStringList inCell;
                for (const PrintedPage::Word& w : page.words())
                    if (cell(n).contains(w.box.center()))
                        inCell << w.text;
                if (person < 1 || person > 23) {
                    QVERIFY2(
                        inCell.isEmpty(),
                        qPrintable(
                            QStringLiteral("sheet %1 cell %2: %3").arg(sheet).arg(n).arg(inCell.join(' '))));
                    continue;
                }
                const QString id = QString::number(person).rightJustified(2, QLatin1Char('0'));
                QStringList expected{"Léa" + id, "Martin" + id, "Poste" + id + ";", "bureau", "Lyon" + id};
                // The tools read the words in an order of their own.
                inCell.sort();
                expected.sort();
                QCOMPARE(inCell, expected);
            }
        }
    }

    // Every sheet of a run is one job on the spooler's queue.
    void oneSpoolerJob() {
        if (!PrivateCups::installed())
            QSKIP("cupsd is not installed (scripts/setup installs cups-daemon)");
        PrivateCups cups;
        QString error;
        QVERIFY2(cups.start(&error), qPrintable(error));
        QTemporaryDir dir;
        QVERIFY(write(dir.filePath(QStringLiteral("c.cdv")), fieldCard()));
        QVERIFY(write(dir.filePath(QStringLiteral("d.csv")), team(12)));
        const Run run = kalimo(dir.path(), QStringLiteral("--print --merge @/d.csv --copies 1 @/c.cdv"),
                               cups.environment());
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(cups.waitForOutput(60000), qPrintable(cups.log()));
        QCOMPARE(pages(cups.outputFile()), 12);
        QString jobs;
        QVERIFY(cups.client(QStringLiteral("lpstat"), {"-W", "completed", "-o", cups.queueName()}, &jobs));
        QCOMPARE(jobs.trimmed().split(QLatin1Char('\n')).size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestMergeCommandLine)
#include "tst_mergecommandline.moc"
