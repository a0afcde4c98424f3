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

// Cells whose frame (solid, 2 mm inside) is on the page, numbered 1 to 10.
QList<int> framedCells(const QImage& page) {
    QList<int> out;
    for (int n = 1; n <= 10; ++n) {
        const double x = n % 2 ? 5 : 90;
        const double y = (n - 1) / 2 * 54.0;
        const int left = lineColumnNear(page, px(x + 2), px(y + 15), px(y + 50));
        if (left >= 0 && qAbs(left - px(x + 2)) <= 1)
            out << n;
    }
    return out;
}

} // namespace

class TestBatchPrint : public QObject {
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void pdfOfTheStartupCard_data();
    void pdfOfTheStartupCard();
    void cardAndLayoutFiles_data();
    void cardAndLayoutFiles();
    void failuresExitWithTheirMessage_data();
    void failuresExitWithTheirMessage();
    void printsThroughTheSpooler_data();
    void printsThroughTheSpooler();
};

void TestBatchPrint::parse_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("summary");

    const int print = int(CommandLine::Action::Print);
    const int error = int(CommandLine::Action::Error);
    const int run = int(CommandLine::Action::Run);
    QTest::newRow("pdf") << QStringList{"--pdf", "o.pdf"} << print << "pdf=o.pdf copies=-1 position=0 card=";
    QTest::newRow("pdf of a card") << QStringList{"--pdf", "o.pdf", "--copies", "3", "c.cdv"} << print
                                   << "pdf=o.pdf copies=3 position=0 card=c.cdv";
    QTest::newRow("card first") << QStringList{"c.cdv", "--position", "10",   "--pdf",
                                               "o.pdf", "--par",      "a.par"}
                                << print << "pdf=o.pdf copies=-1 position=10 card=c.cdv par=a.par";
    QTest::newRow("spooler") << QStringList{"--print", "--printer", "bureau"} << print
                             << "spooler printer=bureau copies=-1 position=0 card=";
    QTest::newRow("no copies") << QStringList{"--pdf", "o.pdf", "--copies", "0"} << print
                               << "pdf=o.pdf copies=0 position=0 card=";
    QTest::newRow("both outputs") << QStringList{"--pdf", "o.pdf", "--print"} << error << "--pdf ou --print";
    QTest::newRow("copies and position") << QStringList{"--pdf", "o.pdf", "--copies", "2", "--position", "3"}
                                         << error << "--copies ou --position";
    QTest::newRow("eleven copies") << QStringList{"--pdf", "o.pdf", "--copies", "11"} << error
                                   << "Nombre de cartes incorrect : 11";
    QTest::newRow("position 0") << QStringList{"--print", "--position", "0"} << error
                                << "Position de carte incorrecte : 0";
    QTest::newRow("position not a number")
        << QStringList{"--print", "--position", "x"} << error << "Position de carte incorrecte : x";
    QTest::newRow("pdf without file") << QStringList{"--pdf"} << error << "L'option --pdf attend une valeur.";
    QTest::newRow("printer for a pdf")
        << QStringList{"--pdf", "o.pdf", "--printer", "p"} << error << "--printer ne sert qu'avec --print";
    QTest::newRow("copies alone") << QStringList{"--copies", "2"} << error
                                  << "L'option --copies ne sert qu'avec --pdf ou --print.";
    QTest::newRow("two cards") << QStringList{"--pdf", "o.pdf", "a.cdv", "b.cdv"} << error
                               << "Une seule carte peut être ouverte : b.cdv";
    QTest::newRow("window") << QStringList{"c.cdv"} << run << "";
}

void TestBatchPrint::parse() {
    QFETCH(QStringList, arguments);
    QFETCH(int, action);
    QFETCH(QString, summary);
    arguments.prepend(QStringLiteral("kalimo"));
    const CommandLine c = CommandLine::parse(arguments);
    QCOMPARE(int(c.action), action);
    if (c.action == CommandLine::Action::Error) {
        QVERIFY2(c.error.contains(summary), qPrintable(c.error));
        return;
    }
    if (c.action != CommandLine::Action::Print)
        return;
    const BatchPrintRequest& r = c.print;
    QString s = r.toSpooler ? QStringLiteral("spooler") : QStringLiteral("pdf=") + r.pdfPath;
    if (!r.printer.isEmpty())
        s += QStringLiteral(" printer=") + r.printer;
    s += QStringLiteral(" copies=%1 position=%2 card=%3").arg(r.copies).arg(r.position).arg(r.cardArgument);
    if (!r.layoutPath.isEmpty())
        s += QStringLiteral(" par=") + r.layoutPath;
    QCOMPARE(s, summary);
}

void TestBatchPrint::pdfOfTheStartupCard_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QList<int>>("cells");
    QTest::newRow("default page") << QStringList{} << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    QTest::newRow("three copies") << QStringList{"--copies", "3"} << QList<int>{1, 2, 3};
    QTest::newRow("no copy") << QStringList{"--copies", "0"} << QList<int>{};
    QTest::newRow("position 10") << QStringList{"--position", "10"} << QList<int>{10};
}

void TestBatchPrint::pdfOfTheStartupCard() {
    QFETCH(QStringList, options);
    QFETCH(QList<int>, cells);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("cartes.pdf"));
    const Outcome o = runKalimo(QStringList{"--pdf", pdf} + options, dir.path());
    QVERIFY2(o.exitCode == 0, qPrintable(o.err));
    QCOMPARE(pageCount(pdf), 1);
    const QImage page = rasterise(pdf);
    QCOMPARE(page.width(), 2480); // A4 portrait at 300 dpi
    QCOMPARE(framedCells(page), cells);
    if (cells == QList<int>{10}) {
        // The card's corner at (90, 216) mm: its cut marks start there, its logo too.
        QVERIFY(qAbs(lineColumnNear(page, px(90), px(220), px(266)) - px(90)) <= 1);
        QVERIFY(qAbs(lineRowNear(page, px(216), px(100), px(170)) - px(216)) <= 1);
        // The built-in logo, dark blue around a star, inside the frame's corner.
        int dark = 0;
        for (int y = px(219); y < px(226); ++y)
            dark += darkInRow(page, y, px(93), px(100));
        QVERIFY(dark > (px(226) - px(219)) * (px(100) - px(93)) / 3);
    }
}

void TestBatchPrint::cardAndLayoutFiles_data() {
    QTest::addColumn<bool>("logoThere");
    QTest::addColumn<bool>("layout");
    QTest::addColumn<QString>("warning");
    QTest::newRow("card") << true << false << "";
    QTest::newRow("card and layout") << true << true << "";
    QTest::newRow("logo file gone") << false << false << "Fichier icone @/logo.bmp non trouvé !";
}

void TestBatchPrint::cardAndLayoutFiles() {
    QFETCH(bool, logoThere);
    QFETCH(bool, layout);
    QFETCH(QString, warning);
    QTemporaryDir dir;
    const QString logo = dir.filePath(QStringLiteral("logo.bmp"));
    if (logoThere)
        QVERIFY(QFile::copy(QStringLiteral(KALIMO_SOURCE_DIR "/resources/images/logo-defaut.bmp"), logo));
    QVERIFY(samples::writeFile(dir.filePath(QStringLiteral("dupont.cdv")), samples::fullCardFile(logo)));
    PrintLayout moved;
    moved.leftMargin = 20;
    moved.topMargin = 10;
    QVERIFY(samples::writeFile(dir.filePath(QStringLiteral("decale.par")), parameterfile::encode(moved)));
    QStringList arguments{"--pdf", "cartes.pdf", "--copies", "2", "dupont.cdv"};
    if (layout)
        arguments << "--par"
                  << "decale.par";
    const Outcome o = runKalimo(arguments, dir.path());
    QVERIFY2(o.exitCode == 0, qPrintable(o.err));
    QVERIFY(o.err.contains(warning.replace(QLatin1Char('@'), dir.path())));
    const QString pdf = dir.filePath(QStringLiteral("cartes.pdf"));
    QStringList found;
    for (const Word& w : words(pdf))
        found << w.text;
    QCOMPARE(found.count(QStringLiteral("Fonction")), 2);
    QCOMPARE(found.count(QStringLiteral("Dupont")), 2);
    QVERIFY(found.contains(QStringLiteral("Tél.")));
    // Cell 1's frame follows the layout's margins.
    const double left = layout ? 20 : 5, top = layout ? 10 : 0;
    const QImage page = rasterise(pdf);
    QVERIFY(qAbs(lineColumnNear(page, px(left + 2), px(top + 25), px(top + 50)) - px(left + 2)) <= 1);
    QVERIFY(qAbs(lineRowNear(page, px(top + 2), px(left + 30), px(left + 80)) - px(top + 2)) <= 1);
}

void TestBatchPrint::failuresExitWithTheirMessage_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing card") << QStringList{"--pdf", "@/cartes.pdf", "absente.cdv"} << 1
                                  << "Fichier @/absente.cdv non trouvé !";
    QTest::newRow("missing layout") << QStringList{"--pdf", "@/cartes.pdf", "--par", "@/rien.par"} << 1
                                    << "Fichier @/rien.par non trouvé !";
    QTest::newRow("folder missing") << QStringList{"--pdf", "@/absent/cartes.pdf"} << 1
                                    << "Erreur d'impression ou de police non définie !";
    QTest::newRow("zone of 16 lines") << QStringList{"--pdf", "@/cartes.pdf", "@/longue.cdv"} << 1
                                      << "La zone de texte 2 compte plus de 15 lignes";
    QTest::newRow("not a card") << QStringList{"--pdf", "@/cartes.pdf", "@/faux.cdv"} << 1
                                << "Erreur d'ouverture du fichier";
    QTest::newRow("bad option") << QStringList{"--pdf", "@/cartes.pdf", "--copies", "12"} << 2
                                << "Nombre de cartes incorrect : 12";
}

void TestBatchPrint::failuresExitWithTheirMessage() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QTemporaryDir cards;
    CardDocument longCard;
    QStringList lines;
    for (int i = 1; i <= 16; ++i)
        lines << QStringLiteral("ligne %1").arg(i);
    longCard.zone(2).Text = lines.join(QLatin1String("\r\n"));
    QVERIFY(samples::writeFile(cards.filePath(QStringLiteral("longue.cdv")), cardfile::toBytes(longCard)));
    QVERIFY(samples::writeFile(cards.filePath(QStringLiteral("faux.cdv")), "pas une carte\r\n"));
    for (QString& a : arguments)
        if (a.endsWith(QLatin1String(".cdv")) && QFile::exists(cards.filePath(a.mid(2))))
            a = cards.filePath(a.mid(2));
    arguments.replaceInStrings(QStringLiteral("@"), dir.path());
    const Outcome o = runKalimo(arguments, dir.path());
    QCOMPARE(o.exitCode, exitCode);
    QVERIFY2(o.err.contains(message.replace(QLatin1Char('@'), dir.path())), qPrintable(o.err));
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty()); // nothing written
}

void TestBatchPrint::printsThroughTheSpooler_data() {
    QTest::addColumn<bool>("withQueue");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("default printer") << true << QStringList{} << 0 << "";
    QTest::newRow("named printer") << true << QStringList{"--printer", "kalimo-test"} << 0 << "";
    QTest::newRow("unknown printer") << true << QStringList{"--printer", "atelier"} << 1
                                     << "Imprimante atelier non trouvée !";
    QTest::newRow("no printer at all")
        << false << QStringList{} << 1 << "Erreur d'impression ou de police non définie !";
}

void TestBatchPrint::printsThroughTheSpooler() {
    QFETCH(bool, withQueue);
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    if (!PrivateCups::installed())
        QSKIP("cupsd is not installed (scripts/setup installs cups-daemon)");
    PrivateCups cups;
    QString error;
    QVERIFY2(cups.start(&error, withQueue), qPrintable(error));
    QTemporaryDir dir;
    const Outcome o = runKalimo(QStringList{"--print"} + options, dir.path(), cups.environment());
    QCOMPARE(o.exitCode, exitCode);
    QVERIFY2(o.err.contains(message), qPrintable(o.err));
    QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    if (exitCode != 0)
        return;
    QVERIFY2(cups.waitForOutput(60000), qPrintable(cups.log()));
    QCOMPARE(pageCount(cups.outputFile()), 1);
    QCOMPARE(framedCells(rasterise(cups.outputFile())).size(), 10);
}

QTEST_MAIN(TestBatchPrint)
#include "tst_batchprint.moc"
