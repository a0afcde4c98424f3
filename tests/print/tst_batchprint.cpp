#include "CardFileSamples.h"
#include "PdfTools.h"
#include "PrivateCups.h"
#include "app/CommandLine.h"
#include "card/CardFileWriter.h"
#include "setup/ParameterFile.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace pdftools;

namespace {

struct Outcome {
    int exitCode = -1;
    QString err;
};

Outcome runKalimo(const QStringList& arguments, const QString& folder,
                  const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setWorkingDirectory(folder);
    QProcessEnvironment e = env;
    e.remove(QStringLiteral("DISPLAY")); // it needs no screen
    p.setProcessEnvironment(e);
    p.start(QStringLiteral(KALIMO_EXECUTABLE), arguments);
    if (!p.waitForFinished(120000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardError())};
}

// Cells of a sheet with these margins whose frame (solid, 2 mm inside) is on the page, numbered 1 to 10.
QList<int> framedCells(const QImage& page, double left = 5, double top = 0) {
    QList<int> out;
    for (int n = 1; n <= 10; ++n) {
        const double x = left + (n % 2 ? 0 : 85), y = top + (n - 1) / 2 * 54.0;
        if (lineAt(page, true, x + 2, y + 15, y + 50) && lineAt(page, false, y + 2, x + 15, x + 70))
            out << n;
    }
    return out;
}

// A command line, split on its blanks, and what it asks: the print request in short or the error.
void row(const char* name, const char* arguments, const char* outcome) {
    QTest::newRow(name) << QString::fromUtf8(arguments).split(QLatin1Char(' ')) << QString::fromUtf8(outcome);
}

} // namespace

class TestBatchPrint : public QObject {
    Q_OBJECT
private slots:
    void parse_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("outcome");
        row("pdf", "--pdf o.pdf", "pdf=o.pdf copies=-1 position=0 card=");
        row("pdf of a card", "--pdf o.pdf --copies 3 c.cdv", "pdf=o.pdf copies=3 position=0 card=c.cdv");
        row("card first", "c.cdv --position 10 --pdf o.pdf --par a.par",
            "pdf=o.pdf copies=-1 position=10 card=c.cdv par=a.par");
        row("spooler", "--print --printer bureau", "spooler printer=bureau copies=-1 position=0 card=");
        row("both outputs", "--pdf o.pdf --print", "--pdf ou --print");
        row("copies and position", "--pdf o.pdf --copies 2 --position 3", "--copies ou --position");
        row("position 0", "--print --position 0", "Position de carte incorrecte : 0");
        row("position not a number", "--print --position x", "Position de carte incorrecte : x");
        row("pdf without file", "--pdf", "L'option --pdf attend une valeur.");
        row("printer for a pdf", "--pdf o.pdf --printer p", "--printer ne sert qu'avec --print");
        row("copies alone", "--copies 2", "L'option --copies ne sert qu'avec --pdf ou --print.");
        row("two cards", "--pdf o.pdf a.cdv b.cdv", "Une seule carte peut être ouverte : b.cdv");
    }

    void parse() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, outcome);
        const CommandLine c = CommandLine::parse(QStringList{"kalimo"} + arguments);
        if (!outcome.startsWith(QLatin1String("pdf=")) && !outcome.startsWith(QLatin1String("spooler"))) {
            QCOMPARE(c.action, CommandLine::Action::Error);
            QVERIFY2(c.error.contains(outcome), qPrintable(c.error));
            return;
        }
        QCOMPARE(c.action, CommandLine::Action::Print);
        const BatchPrintRequest& r = c.print;
        QString s = r.toSpooler ? QStringLiteral("spooler") : QStringLiteral("pdf=") + r.pdfPath;
        if (!r.printer.isEmpty())
            s += QStringLiteral(" printer=") + r.printer;
        s += QStringLiteral(" copies=%1 position=%2 card=").arg(r.copies).arg(r.position) + r.cardArgument;
        if (!r.layoutPath.isEmpty())
            s += QStringLiteral(" par=") + r.layoutPath;
        QCOMPARE(s, outcome);
    }

    // kalimo run in a folder of its own (@), the cards and layouts it may open in another (#),
    // with no CUPS server (0), a server with its queue (1) or one without any printer (2).
    void printsACard_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("server");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QList<int>>("cells"); // the framed cells on the page printed
        const auto row = [](const char* name, const char* arguments, int server, int exitCode,
                            const char* message, const QList<int>& cells = {}) {
            QTest::newRow(name) << QString::fromUtf8(arguments).split(QLatin1Char(' ')) << server << exitCode
                                << QString::fromUtf8(message) << cells;
        };
        const QList<int> all{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        row("default page", "--pdf @/cartes.pdf", 0, 0, "", all);
        row("three copies", "--pdf @/cartes.pdf --copies 3", 0, 0, "", {1, 2, 3});
        row("no copy", "--pdf @/cartes.pdf --copies 0", 0, 0, "", {});
        row("position 10", "--pdf @/cartes.pdf --position 10", 0, 0, "", {10});
        row("a card", "--pdf @/cartes.pdf --copies 2 #/dupont.cdv", 0, 0, "", {1, 2});
        row("a card, its logo file gone", "--pdf @/cartes.pdf --copies 2 #/perdu.cdv", 0, 0,
            "Fichier icone #/perdu.bmp non trouvé !", {1, 2});
        row("a card and a layout", "--pdf @/cartes.pdf --copies 2 --par #/decale.par #/dupont.cdv", 0, 0, "",
            {1, 2});
        row("missing card", "--pdf @/cartes.pdf absente.cdv", 0, 1, "Fichier @/absente.cdv non trouvé !");
        row("missing layout", "--pdf @/cartes.pdf --par @/rien.par", 0, 1, "Fichier @/rien.par non trouvé !");
        row("folder missing", "--pdf @/absent/cartes.pdf", 0, 1,
            "Erreur d'impression ou de police non définie !");
        row("zone of 16 lines", "--pdf @/cartes.pdf #/longue.cdv", 0, 1,
            "La zone de texte 2 compte plus de 15 lignes");
        row("not a card", "--pdf @/cartes.pdf #/faux.cdv", 0, 1, "Erreur d'ouverture du fichier");
        row("eleven copies", "--pdf @/cartes.pdf --copies 11", 0, 2, "Nombre de cartes incorrect : 11");
        row("default printer", "--print", 1, 0, "", all);
        row("named printer", "--print --printer kalimo-test", 1, 0, "", all);
        row("unknown printer", "--print --printer atelier", 1, 1, "Imprimante atelier non trouvée !");
        row("no printer at all", "--print", 2, 1, "Erreur d'impression ou de police non définie !");
    }

    void printsACard() {
        QFETCH(QStringList, arguments);
        QFETCH(int, server);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFETCH(QList<int>, cells);
        QTemporaryDir dir, cards;
        const auto write = [&](const char* name, const QByteArray& bytes) {
            return samples::writeFile(cards.filePath(QString::fromUtf8(name)), bytes);
        };
        CardDocument longCard;
        longCard.zone(2).Text = QStringList(16, QStringLiteral("ligne")).join(QLatin1String("\r\n"));
        QVERIFY(write("longue.cdv", cardfile::toBytes(longCard)) && write("faux.cdv", "pas une carte\r\n"));
        QVERIFY(write("dupont.cdv", samples::fullCardFile(cards.filePath(QStringLiteral("logo.bmp")))));
        QVERIFY(write("perdu.cdv", samples::fullCardFile(cards.filePath(QStringLiteral("perdu.bmp")))));
        QVERIFY(write("decale.par", parameterfile::encode(PrintLayout{20, 10}))); // left and top margins
        QVERIFY(QFile::copy(QStringLiteral(KALIMO_SOURCE_DIR "/resources/images/logo-defaut.bmp"),
                            cards.filePath(QStringLiteral("logo.bmp"))));
        arguments.replaceInStrings(QStringLiteral("#"), cards.path())
            .replaceInStrings(QStringLiteral("@"), dir.path());
        message.replace(QLatin1Char('#'), cards.path()).replace(QLatin1Char('@'), dir.path());
        if (server && !PrivateCups::installed())
            QSKIP("cupsd is not installed (scripts/setup installs cups-daemon)");
        PrivateCups cups;
        QString error;
        QVERIFY2(!server || cups.start(&error, server == 1), qPrintable(error));
        const Outcome o = runKalimo(arguments, dir.path(),
                                    server ? cups.environment() : QProcessEnvironment::systemEnvironment());
        QCOMPARE(o.exitCode, exitCode);
        QVERIFY2(o.err.contains(message), qPrintable(o.err));
        if (exitCode != 0 || server) // nothing written, or nothing but the PDF asked for
            QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
        if (exitCode != 0) { // one message, and no file anywhere in the person's home either
            QCOMPARE(o.err.count(message), 1);
            QVERIFY(!server || QDir(cups.home()).isEmpty());
            return;
        }
        QVERIFY2(!server || cups.waitForOutput(60000), qPrintable(cups.log()));
        const QString pdf = server ? cups.outputFile() : dir.filePath(QStringLiteral("cartes.pdf"));
        QCOMPARE(pageCount(pdf), 1);
        const QImage page = rasterise(pdf);
        QCOMPARE(page.width(), 2480); // A4 portrait at 300 dpi
        const bool moved = arguments.contains(cards.filePath(QStringLiteral("decale.par")));
        QCOMPARE(moved ? framedCells(page, 20, 10) : framedCells(page), cells);
        if (arguments.last().endsWith(QLatin1String(".cdv"))) { // the card's texts, on every card
            QStringList found;
            for (const Word& w : words(pdf))
                found << w.text;
            QCOMPARE(found.count(QStringLiteral("Fonction")), cells.size());
            QCOMPARE(found.count(QStringLiteral("Dupont")), cells.size());
            QVERIFY(found.contains(QStringLiteral("Tél.")));
        }
        if (cells == QList<int>{10}) {
            // The card's corner at (90, 216) mm: its cut marks start there, its logo too.
            QVERIFY(lineAt(page, true, 90, 220, 266));
            QVERIFY(lineAt(page, false, 216, 100, 170));
            // The built-in logo, dark blue around a star, inside the frame's corner.
            int dark = 0;
            for (int y = px(219); y < px(226); ++y)
                dark += darkAlong(page, false, y, px(93), px(100));
            QVERIFY(dark > (px(226) - px(219)) * (px(100) - px(93)) / 3);
        }
    }
};

QTEST_MAIN(TestBatchPrint)
#include "tst_batchprint.moc"
