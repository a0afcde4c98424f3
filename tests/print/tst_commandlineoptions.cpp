#include "PrintedPage.h"
#include "PrivateCups.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

// Two queues on the private server: the test's own, and "autre", the default, writing to its
// own file, so that a job that goes to the wrong one shows.
bool addDefaultQueue(const PrivateCups& cups, const QString& file, QString* log) {
    const QString ppd = QFileInfo(cups.outputFile()).dir().filePath(QStringLiteral("small.ppd"));
    for (const QStringList& arguments :
         {QStringList{"-p", "autre", "-E", "-v", "file://" + file, "-P", ppd}, QStringList{"-d", "autre"}}) {
        QProcess lpadmin;
        lpadmin.setProcessEnvironment(cups.environment());
        lpadmin.setProcessChannelMode(QProcess::MergedChannels);
        lpadmin.start(QStringLiteral("lpadmin"), arguments);
        if (!lpadmin.waitForFinished(15000) || lpadmin.exitCode() != 0) {
            *log = QString::fromLocal8Bit(lpadmin.readAll());
            return false;
        }
    }
    return true;
}

// The job written and nothing left in the queue.
bool waitForJob(const PrivateCups& cups, const QString& queue, const QString& file) {
    for (const QDeadlineTimer deadline(60000); !deadline.hasExpired(); QThread::msleep(100)) {
        if (QFileInfo(file).size() == 0)
            continue;
        QProcess lpstat;
        lpstat.setProcessEnvironment(cups.environment());
        lpstat.start(QStringLiteral("lpstat"), {"-o", queue});
        if (lpstat.waitForFinished(15000) && lpstat.readAllStandardOutput().trimmed().isEmpty())
            return true;
    }
    return false;
}

// Splits at blanks; "@" stands for the test's folder.
QStringList arguments(QString line, const QString& folder) {
    return line.replace(QLatin1Char('@'), folder).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace

// Every option of the command line, each in a row that ends in a real PDF or on the private
// spooler, or in the refusal a person sees: the exit code, the French message, and what was
// printed where, cell by cell.
class TestCommandLineOptions : public QObject {
    Q_OBJECT

    static void row(const char* name, const char* line, const char* output, int exitCode, const char* message,
                    const char* layout = "", QList<int> cells = {}) {
        QTest::newRow(name) << QString(line) << QString(output) << exitCode << QString(message)
                            << QString(layout) << cells;
    }

private slots:
    void options_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("output"); // "pdf", a queue, "no queue" (a server without any), or none
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message"); // in what the program wrote, "@" for the folder
        QTest::addColumn<QString>("layout"); // the sheet printed: "gaps" (gaps.PAR), "" (DEFAUT), "-" no look
        QTest::addColumn<QList<int>>("cells");
        const QList<int> all{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        row("--help", "--help", "", 0, "Utilisation : kalimo [CARTE.CDV]");
        row("-h", "-h --pdf", "", 0, "  --position P        une seule carte");
        row("--version", "--version", "", 0, "Kalimo 1.");
        row("-v", "-v", "", 0, "Kalimo 1.");
        row("--pdf, absolute card", "--pdf @/p.pdf @/carte.cdv", "pdf", 0, "", "", all);
        row("--pdf, card in the current folder, --par, --copies",
            "--pdf @/p.pdf --par @/gaps.PAR --copies 3 carte.cdv", "pdf", 0, "", "gaps", {1, 2, 3});
        row("--pdf, quoted card, relative --par, --position",
            "--position 7 --par gaps.PAR --pdf @/p.pdf \"@/carte.cdv\"", "pdf", 0, "", "gaps", {7});
        row("--pdf, --copies 0: a blank page", "--pdf @/p.pdf --copies 0 @/carte.cdv", "pdf", 0, "", "", {});
        row("--pdf, the start-up card", "--pdf @/p.pdf --position 2", "pdf", 0, "", "-");
        row("--pdf, --par missing", "--pdf @/p.pdf --par @/absent.PAR @/carte.cdv", "", 1,
            "Fichier @/absent.PAR non trouvé !");
        row("--pdf, --par unreadable", "--pdf @/p.pdf --par @/bad.PAR @/carte.cdv", "", 1,
            "Erreur de lecture du fichier de paramètres @/bad.PAR !");
        row("--pdf into a missing folder", "--pdf @/nulle/part/p.pdf @/carte.cdv", "", 1,
            "Le fichier @/nulle/part/p.pdf n'a pas pu être écrit.");

        row("--pdf and --print", "--pdf @/p.pdf --print @/carte.cdv", "", 2,
            "Choisissez --pdf ou --print, pas les deux.");
        row("--printer with --pdf", "--pdf @/p.pdf --printer kalimo-test", "", 2,
            "L'option --printer ne sert qu'avec --print.");
        row("--copies and --position", "--pdf @/p.pdf --copies 2 --position 3", "", 2,
            "Choisissez --copies ou --position, pas les deux.");
        for (const char* n : {"11", "-1", "deux", "2.5"})
            row(qPrintable(QStringLiteral("--copies %1").arg(n)),
                qPrintable(QStringLiteral("--pdf @/p.pdf --copies %1").arg(n)), "", 2,
                qPrintable(QStringLiteral("Nombre de cartes incorrect : %1 (de 0 à 10).").arg(n)));
        for (const char* n : {"0", "11", "-3", "un"})
            row(qPrintable(QStringLiteral("--position %1").arg(n)),
                qPrintable(QStringLiteral("--pdf @/p.pdf --position %1").arg(n)), "", 2,
                qPrintable(QStringLiteral("Position de carte incorrecte : %1 (de 1 à 10).").arg(n)));
        for (const char* option : {"--pdf", "--printer", "--par", "--copies", "--position"})
            row(qPrintable(QStringLiteral("%1 without its value").arg(option)),
                qPrintable(QStringLiteral("--print %1").arg(option)), "", 2,
                qPrintable(QStringLiteral("L'option %1 attend une valeur.").arg(option)));
        for (const char* option : {"--printer kalimo-test", "--par @/gaps.PAR", "--copies 3", "--position 2"})
            row(qPrintable(QStringLiteral("%1 without a print").arg(option)),
                qPrintable(QStringLiteral("%1 @/carte.cdv").arg(option)), "", 2,
                qPrintable(QStringLiteral("L'option %1 ne sert qu'avec --pdf ou --print.")
                               .arg(QString(option).section(' ', 0, 0))));
        row("unknown option", "--pdf @/p.pdf --copie 3", "", 2, "Option inconnue : --copie");
        row("two cards", "--pdf @/p.pdf @/carte.cdv autre.cdv", "", 2,
            "Une seule carte peut être ouverte : autre.cdv");

        row("--print to the default queue", "--print @/carte.cdv", "autre", 0, "", "", all);
        row("--print --printer, --par, --position",
            "--print --printer kalimo-test --par @/gaps.PAR --position 4 @/carte.cdv", "kalimo-test", 0, "",
            "gaps", {4});
        row("--print --printer, --copies", "--print --copies 3 --printer kalimo-test @/carte.cdv",
            "kalimo-test", 0, "", "", {1, 2, 3});
        row("--print --printer unknown", "--print --printer inconnue @/carte.cdv", "", 1,
            "Imprimante inconnue non trouvée !");
        row("--print without any printer", "--print @/carte.cdv", "no queue", 1, "");
    }
    void options() {
        QFETCH(QString, line);
        QFETCH(QString, output);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFETCH(QString, layout);
        QFETCH(QList<int>, cells);
        QTemporaryDir dir;
        QVERIFY(PrintedPage::writeLookCard(dir.path()));
        const PrintLayout gaps{7, 11, 4, 3, 80, 50, true, true};
        for (const auto& [name, bytes] :
             {std::pair("gaps.PAR", QByteArray("7,11,4,3,80,50\r\n#TRUE#,#TRUE#\r\n")),
              std::pair("bad.PAR", QByteArray("7,11,quatre,3,80,50\r\n#TRUE#,#TRUE#\r\n"))}) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
        }
        const bool spooler = line.startsWith(QLatin1String("--print"));
        PrivateCups cups;
        const QString other = dir.filePath(QStringLiteral("autre.pdf"));
        if (spooler) {
            if (!PrivateCups::installed())
                QSKIP("cupsd is not installed (scripts/setup installs cups-daemon)");
            QString error;
            QVERIFY2(cups.start(&error, output != QLatin1String("no queue")), qPrintable(error));
            QVERIFY2(output == QLatin1String("no queue") || addDefaultQueue(cups, other, &error),
                     qPrintable(error));
        }
        QProcess kalimo;
        kalimo.setWorkingDirectory(dir.path());
        kalimo.setProcessChannelMode(QProcess::MergedChannels);
        kalimo.setProcessEnvironment(spooler ? cups.environment() : QProcessEnvironment::systemEnvironment());
        kalimo.start(KALIMO_EXECUTABLE, arguments(line, dir.path()));
        QVERIFY(kalimo.waitForFinished(60000));
        const QString said = QString::fromUtf8(kalimo.readAll());
        QCOMPARE(kalimo.exitStatus(), QProcess::NormalExit);
        QVERIFY2(kalimo.exitCode() == exitCode, qPrintable(said));
        QVERIFY2(said.contains(message.replace(QLatin1Char('@'), dir.path())), qPrintable(said));

        const QString pdf = dir.filePath(QStringLiteral("p.pdf"));
        QString printed;
        if (output == QLatin1String("kalimo-test")) {
            QVERIFY2(waitForJob(cups, output, cups.outputFile()), qPrintable(cups.log()));
            printed = cups.outputFile();
        } else if (output == QLatin1String("autre")) {
            QVERIFY2(waitForJob(cups, output, other), qPrintable(cups.log()));
            printed = other;
        } else if (output == QLatin1String("pdf")) {
            printed = pdf;
        }
        // Nothing anywhere else.
        for (const QString& file : {pdf, other, spooler ? cups.outputFile() : QString()})
            QVERIFY2(file.isEmpty() || file == printed || !QFileInfo::exists(file), qPrintable(file));
        if (printed.isEmpty())
            return;
        PrintedPage page;
        QVERIFY(page.load(printed));
        QCOMPARE(page.pages(), 1);
        if (layout == QLatin1String("-"))
            return;
        const bool single = line.contains(QLatin1String("--position"));
        QStringList problems;
        for (int n = 1; n <= 10; ++n)
            problems << page.cellProblems(layout == QLatin1String("gaps") ? gaps : PrintLayout::builtIn(), n,
                                          cells.contains(n), !single);
        problems.removeAll(QString());
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TestCommandLineOptions)
#include "tst_commandlineoptions.moc"
