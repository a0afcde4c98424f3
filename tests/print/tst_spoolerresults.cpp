#include "PrivateCups.h"
#include "StandInSpooler.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// kalimo --print against a private CUPS server set in each state a person's printer can be
// in, and against stand-in servers that fail where a real one can: the message, the exit
// code, the time it takes, and whether a job is left in the queue.
namespace {

// The longest a print may take to give its verdict: connection and answer limits, the
// document's send limit and the job follow-up, with room for a loaded machine.
constexpr int BoundMs = 25000;

struct Run {
    int exitCode = -1;
    QString err;
    qint64 ms = 0;
};

Run kalimo(QProcessEnvironment env, const QStringList& arguments) {
    QTemporaryDir runtime; // else Qt says on standard error that it is missing
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    QProcess p;
    p.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    p.start(QStringLiteral(KALIMO_EXECUTABLE), arguments);
    Run r;
    if (!p.waitForFinished(BoundMs + 20000))
        p.kill(), p.waitForFinished();
    r.ms = clock.elapsed();
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.err = QString::fromUtf8(p.readAllStandardError()).trimmed();
    return r;
}

} // namespace

class TestSpoolerResults : public QObject {
    Q_OBJECT
private slots:
    void privateServer_data() {
        QTest::addColumn<QStringList>("admin"); // client commands run before the print, "program arg arg"
        QTest::addColumn<QString>("printer");   // --printer, or empty for the default printer
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("jobLeft"); // what lpstat shows of the job after the print
        QTest::newRow("prints") << QStringList{} << "" << 0 << ""
                                << "";
        QTest::newRow("held job")
            << QStringList{"lpadmin -p kalimo-test -o job-hold-until-default=indefinite"} << "" << 3
            << "Le travail n° 1 est retenu dans la file kalimo-test : il attend d'être libéré."
            << "kalimo-test-1";
        QTest::newRow("stopped queue") << QStringList{"cupsdisable kalimo-test"} << "kalimo-test" << 3
                                       << "La file kalimo-test est arrêtée : le travail attend."
                                       << "kalimo-test-1";
        QTest::newRow("queue refusing jobs") << QStringList{"cupsreject kalimo-test"} << "" << 1
                                             << "La file kalimo-test refuse les travaux d'impression."
                                             << "";
        QTest::newRow("no such printer") << QStringList{} << "kq" << 1 << "Imprimante kq non trouvée !"
                                         << "";
        QTest::newRow("default printer deleted")
            << QStringList{"lpoptions -d kalimo-test", "lpadmin -x kalimo-test"} << "" << 1
            << "Imprimante kalimo-test non trouvée !"
            << "";
        QTest::newRow("no printer installed")
            << QStringList{"lpadmin -x kalimo-test"} << "" << 1 << "Aucune imprimante n'est installée."
            << "";
        QTest::newRow("server stopped") << QStringList{"stop"} << "" << 1
                                        << "Le serveur d'impression ne répond pas : vérifiez que le service "
                                           "d'impression (CUPS) est démarré."
                                        << "";
        QTest::newRow("server stopped, printer named") << QStringList{"stop"} << "kq" << 1
                                                       << "Le serveur d'impression ne répond pas : vérifiez "
                                                          "que le service d'impression (CUPS) est démarré."
                                                       << "";
    }

    void privateServer() {
        QFETCH(QStringList, admin);
        QFETCH(QString, printer);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFETCH(QString, jobLeft);
        if (!PrivateCups::installed())
            QSKIP("cupsd is not installed (scripts/setup installs cups-daemon)");
        PrivateCups cups;
        QString error;
        QVERIFY2(cups.start(&error), qPrintable(error));
        const QProcessEnvironment env = cups.environment();
        for (const QString& command : admin) {
            if (command == QLatin1String("stop")) {
                cups.stop();
                continue;
            }
            QStringList words = command.split(' ');
            const QString program = words.takeFirst();
            QVERIFY2(cups.client(program, words, &error), qPrintable(command + ": " + error));
        }
        QStringList arguments{"--print"};
        if (!printer.isEmpty())
            arguments << "--printer" << printer;
        const Run r = kalimo(env, arguments);
        qInfo("verdict after %lld ms", r.ms);
        QVERIFY2(r.ms < BoundMs, qPrintable(QString::number(r.ms)));
        QCOMPARE(r.err, message);
        QCOMPARE(r.exitCode, exitCode);
        if (!cups.isRunning())
            return;
        // A success is a job the queue has printed; a job that waits is still in the queue.
        if (exitCode == 0)
            QVERIFY2(cups.waitForOutput(30000), qPrintable(cups.log()));
        QString jobs;
        cups.client("lpstat", {"-o"}, &jobs);
        if (jobLeft.isEmpty())
            QVERIFY2(exitCode == 0 || jobs.trimmed().isEmpty(), qPrintable(jobs));
        else
            QVERIFY2(jobs.startsWith(jobLeft), qPrintable(jobs));
    }

    // Servers that take the connection and then fail: each gives its message well within the
    // bound, never a success, and leaves no half-sent job behind.
    void misbehavingServer_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("cancels");
        const QStringList named{"--print", "--printer", "kalimo-stall"};
        const QString silent = "Le serveur d'impression ne répond pas : vérifiez que le service d'impression "
                               "(CUPS) est démarré.";
        QTest::newRow("never answers, default printer")
            << int(StandInSpooler::Mode::Silent) << QStringList{"--print"} << silent << false;
        QTest::newRow("never answers") << int(StandInSpooler::Mode::Silent) << named << silent << false;
        QTest::newRow("stalls on the document")
            << int(StandInSpooler::Mode::StallOnDocument) << named
            << "Le serveur d'impression a cessé de répondre : le travail n'a pas été imprimé." << true;
        QTest::newRow("job stays incoming")
            << int(StandInSpooler::Mode::KeepIncoming) << named
            << "La file kalimo-stall n'a pas reçu le travail en entier : il a été annulé." << true;
    }

    void misbehavingServer() {
        QFETCH(int, mode);
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        QFETCH(bool, cancels);
        StandInSpooler server(static_cast<StandInSpooler::Mode>(mode));
        QVERIFY(server.start());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("CUPS_SERVER", QString::fromLatin1(server.serverAddress()));
        const Run r = kalimo(env, arguments);
        qInfo("verdict after %lld ms", r.ms);
        QVERIFY2(r.ms < BoundMs, qPrintable(QString::number(r.ms)));
        QCOMPARE(r.err, message);
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(server.cancelledJobs(), cancels ? QList<int>{7} : QList<int>{});
    }
};

QTEST_MAIN(TestSpoolerResults)
#include "tst_spoolerresults.moc"
