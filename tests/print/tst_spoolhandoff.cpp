#include "TestPlatform.h"
#include "print/SpoolHandOff.h"

#include <QTest>

Q_DECLARE_METATYPE(SpoolOutcome::Kind)
Q_DECLARE_METATYPE(SpoolTrouble)

// The hand-off against a spooler double whose job goes through a scripted list of states:
// what it concludes, the exit code the command line gives, and what it asks the spooler.
class TestSpoolHandOff : public QObject {
    Q_OBJECT
private slots:
    void followsTheJob_data() {
        QTest::addColumn<QString>("setup"); // down, none, refusing, paused, "queue NAME"
        QTest::addColumn<SpoolTrouble>("submitTrouble");
        QTest::addColumn<QList<JobState>>("states");
        QTest::addColumn<int>("cancelAfterCalls"); // -1: never; the cancel is refused when < -1
        QTest::addColumn<SpoolOutcome::Kind>("kind");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("submitted");
        QTest::addColumn<QList<int>>("cancelled");
        using K = SpoolOutcome::Kind;
        using S = JobState;
        const auto row = [](const char* name, const char* setup, SpoolTrouble trouble, QList<JobState> states,
                            int cancelAt, K kind, int exitCode, const char* message, bool submitted,
                            QList<int> cancelled = {}) {
            QTest::newRow(name) << QString::fromUtf8(setup) << trouble << states << cancelAt << kind
                                << exitCode << QString::fromUtf8(message) << submitted << cancelled;
        };
        const SpoolTrouble none = SpoolTrouble::None;
        row("processing", "", none, {S::Waiting, S::Processing}, -1, K::Printing, 0, "", true);
        row("done at once", "", none, {S::Done}, -1, K::Printing, 0, "", true);
        row("incoming, then processing", "", none, {S::Incoming, S::Unknown, S::Processing}, -1, K::Printing,
            0, "", true);
        row("held", "", none, {S::Held}, -1, K::Waiting, 3,
            "Le travail n° 42 est retenu dans la file bureau : il attend d'être libéré.", true);
        row("stopped", "", none, {S::Waiting, S::Stopped}, -1, K::Waiting, 3,
            "La file bureau est arrêtée : le travail attend.", true);
        row("pending on a paused queue", "paused", none, {S::Waiting}, -1, K::Waiting, 3,
            "La file bureau est arrêtée : le travail attend.", true);
        row("behind other jobs", "", none, {S::Waiting}, -1, K::Waiting, 3,
            "Le travail n° 42 attend son tour dans la file bureau.", true);
        row("cancelled by the spooler", "", none, {S::Cancelled}, -1, K::Failed, 1,
            "Le travail n° 42 a été annulé dans la file bureau.", true);
        row("aborted", "", none, {S::Aborted}, -1, K::Failed, 1,
            "Le travail n° 42 a été abandonné par la file bureau.", true);
        row("stays incoming", "", none, {S::Incoming}, -1, K::Failed, 1,
            "La file bureau n'a pas reçu le travail en entier : il a été annulé.", true, {42});
        row("no answer after the job", "", none, {S::Unknown}, -1, K::Failed, 1,
            "Le serveur d'impression a cessé de répondre : le travail n'a pas été imprimé.", true);
        row("server down", "down", none, {}, -1, K::Failed, 1,
            "Le serveur d'impression ne répond pas : vérifiez que le service d'impression (CUPS) est "
            "démarré.",
            false);
        row("no printer", "none", none, {}, -1, K::Failed, 1, "Aucune imprimante n'est installée.", false);
        row("printer not found", "queue kq", none, {}, -1, K::Failed, 1, "Imprimante kq non trouvée !",
            false);
        row("queue refusing", "refusing", none, {}, -1, K::Failed, 1,
            "La file bureau refuse les travaux d'impression.", false);
        row("refused when sent", "", SpoolTrouble::QueueRefusing, {}, -1, K::Failed, 1,
            "La file bureau refuse les travaux d'impression.", true);
        row("stalled while sent", "", SpoolTrouble::StoppedAnswering, {}, -1, K::Failed, 1,
            "Le serveur d'impression a cessé de répondre : le travail n'a pas été imprimé.", true);
        row("server gone when sent", "", SpoolTrouble::ServerUnreachable, {}, -1, K::Failed, 1,
            "Le serveur d'impression ne répond pas : vérifiez que le service d'impression (CUPS) est "
            "démarré.",
            true);
        row("other refusal", "", SpoolTrouble::Refused, {}, -1, K::Failed, 1,
            "Le serveur d'impression a refusé le travail.", true);
        row("cancel while waiting", "", none, {S::Incoming}, 2, K::Cancelled, 1,
            "Impression annulée : le travail n° 42 a été retiré de la file bureau.", true, {42});
        row("cancel refused", "", none, {S::Incoming}, -3, K::Failed, 1,
            "Le travail n° 42 n'a pas pu être retiré de la file bureau : Le serveur d'impression a cessé de "
            "répondre : le travail n'a pas été imprimé.",
            true, {42});
    }

    void followsTheJob() {
        QFETCH(QString, setup);
        QFETCH(SpoolTrouble, submitTrouble);
        QFETCH(QList<JobState>, states);
        QFETCH(int, cancelAfterCalls);
        QFETCH(SpoolOutcome::Kind, kind);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        QFETCH(bool, submitted);
        QFETCH(QList<int>, cancelled);
        FakeSpooler spooler;
        if (setup != QLatin1String("none"))
            spooler.addPrinter(QStringLiteral("bureau"));
        spooler.down = setup == QLatin1String("down");
        if (setup == QLatin1String("refusing") || setup == QLatin1String("paused")) {
            QueueStatus q;
            q.name = QStringLiteral("bureau");
            q.accepting = setup != QLatin1String("refusing");
            q.stopped = setup == QLatin1String("paused");
            spooler.queueStates.insert(q.name, q);
        }
        spooler.submitTrouble = submitTrouble;
        spooler.jobStates = states;
        spooler.cancelRefused = cancelAfterCalls < -1;
        const int cancelAt = cancelAfterCalls < -1 ? -cancelAfterCalls - 1 : cancelAfterCalls;

        SpoolDocument document;
        document.queue = setup.startsWith(QLatin1String("queue ")) ? setup.mid(6) : QString();
        document.title = QStringLiteral("carte.cdv");
        std::atomic<bool> cancel{false};
        QStringList progress;
        const SpoolOutcome o =
            SpoolHandOff(spooler, {600, 10}).run(document, cancel, [&](const QString& state) {
                progress << state;
                if (cancelAt >= 0 && spooler.statusCalls >= cancelAt)
                    cancel = true;
            });
        QCOMPARE(o.kind, kind);
        QCOMPARE(exitCodeFor(o), exitCode);
        QCOMPARE(o.message, message);
        QCOMPARE(spooler.submitted, submitted ? QStringList{"bureau: carte.cdv"} : QStringList{});
        QCOMPARE(spooler.cancelled, cancelled);
        // Success only from a job the printer took.
        QCOMPARE(o.kind == SpoolOutcome::Kind::Printing,
                 states.contains(JobState::Processing) || states.contains(JobState::Done));
        if (submitted)
            QVERIFY(progress.contains("Envoi à bureau"));
    }

    // A job that never leaves its first state is given up at the bound, not before.
    void givesUpAtTheBound() {
        FakeSpooler spooler;
        spooler.addPrinter(QStringLiteral("bureau"));
        spooler.jobStates = {JobState::Incoming};
        std::atomic<bool> cancel{false};
        QElapsedTimer clock;
        clock.start();
        const SpoolOutcome o = SpoolHandOff(spooler, {500, 20}).run(SpoolDocument{}, cancel);
        QCOMPARE(o.kind, SpoolOutcome::Kind::Failed);
        QVERIFY(clock.elapsed() >= 500);
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(spooler.statusCalls > 5);
    }
};

QTEST_MAIN(TestSpoolHandOff)
#include "tst_spoolhandoff.moc"
