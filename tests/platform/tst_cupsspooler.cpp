#include "PrivateCups.h"
#include "StandInSpooler.h"
#include "platform/CupsSpooler.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QTest>
#include <QThread>

Q_DECLARE_METATYPE(SpoolTrouble)
Q_DECLARE_METATYPE(JobState)

// What the spooler seam answers about queues and jobs, straight from a private CUPS server
// put in each state, and from a server that stops answering.
namespace {

// A one-page PDF to send.
QString pdfFile(QTemporaryFile& file) {
    file.setFileTemplate(QDir::tempPath() + "/kalimo-XXXXXX.pdf");
    file.open();
    file.write(
        "%PDF-1.4\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n2 0 obj<</Type/Pages/Kids[3 0 R]/Count 1>>"
        "endobj\n3 0 obj<</Type/Page/Parent 2 0 R/MediaBox[0 0 595 842]>>endobj\ntrailer<</Root 1 0 R>>\n"
        "%%EOF\n");
    file.flush();
    return file.fileName();
}

// The job's state once it stops changing for the reason under test (or the last one seen).
JobState settled(CupsSpooler& spooler, int job, const QList<JobState>& wanted) {
    JobState state = JobState::Unknown;
    for (const QDeadlineTimer deadline(15000); !deadline.hasExpired(); QThread::msleep(100)) {
        state = spooler.jobStatus(job).state;
        if (wanted.contains(state))
            break;
    }
    return state;
}

} // namespace

class TestCupsSpooler : public QObject {
    Q_OBJECT
private slots:
    void queueAndJob_data() {
        QTest::addColumn<QStringList>("admin");
        QTest::addColumn<QString>("queue"); // empty: the default printer
        QTest::addColumn<SpoolTrouble>("queueTrouble");
        QTest::addColumn<bool>("accepting");
        QTest::addColumn<bool>("stopped");
        QTest::addColumn<SpoolTrouble>("submitTrouble");
        QTest::addColumn<QList<JobState>>("states"); // what the job comes to
        const SpoolTrouble none = SpoolTrouble::None;
        using S = JobState;
        QTest::newRow("ready") << QStringList{} << "" << none << true << false << none
                               << QList<S>{S::Processing, S::Done};
        QTest::newRow("held") << QStringList{"lpadmin -p kalimo-test -o job-hold-until-default=indefinite"}
                              << "" << none << true << false << none << QList<S>{S::Held};
        QTest::newRow("stopped") << QStringList{"cupsdisable kalimo-test"} << "kalimo-test" << none << true
                                 << true << none << QList<S>{S::Stopped, S::Waiting};
        QTest::newRow("refusing") << QStringList{"cupsreject kalimo-test"} << "" << none << false << false
                                  << SpoolTrouble::QueueRefusing << QList<S>{};
        QTest::newRow("unknown queue") << QStringList{} << "kq" << SpoolTrouble::PrinterNotFound << true
                                       << false << SpoolTrouble::PrinterNotFound << QList<S>{};
        QTest::newRow("no queue at all")
            << QStringList{"lpadmin -x kalimo-test"} << "" << SpoolTrouble::NoPrinter << true << false
            << SpoolTrouble::PrinterNotFound << QList<S>{};
        QTest::newRow("server stopped")
            << QStringList{"stop"} << "kalimo-test" << SpoolTrouble::ServerUnreachable << true << false
            << SpoolTrouble::ServerUnreachable << QList<S>{};
    }

    void queueAndJob() {
        QFETCH(QStringList, admin);
        QFETCH(QString, queue);
        QFETCH(SpoolTrouble, queueTrouble);
        QFETCH(bool, accepting);
        QFETCH(bool, stopped);
        QFETCH(SpoolTrouble, submitTrouble);
        QFETCH(QList<JobState>, states);
        if (!PrivateCups::installed())
            QSKIP("cupsd is not installed (scripts/setup installs cups-daemon)");
        PrivateCups cups;
        QString error;
        QVERIFY2(cups.start(&error), qPrintable(error));
        const QByteArray server = qgetenv("CUPS_SERVER");
        for (const QString& command : admin) {
            if (command == QLatin1String("stop")) {
                cups.stop();
                qputenv("CUPS_SERVER", server); // still pointing at the stopped server
                continue;
            }
            QStringList words = command.split(' ');
            const QString program = words.takeFirst();
            QVERIFY2(cups.client(program, words, &error), qPrintable(error));
        }
        CupsSpooler spooler;
        const QueueStatus q = spooler.queueStatus(queue);
        QCOMPARE(q.trouble, queueTrouble);
        if (queueTrouble == SpoolTrouble::None) {
            QCOMPARE(q.name, cups.queueName());
            QCOMPARE(q.accepting, accepting);
            QCOMPARE(q.stopped, stopped);
            QCOMPARE(q.isDefault, queue.isEmpty());
        }
        QTemporaryFile file;
        SpoolDocument document;
        document.queue = queue.isEmpty() ? cups.queueName() : queue;
        document.title = QStringLiteral("carte.cdv");
        document.path = pdfFile(file);
        const SubmitResult sent = spooler.submit(document);
        QCOMPARE(sent.trouble, submitTrouble);
        QCOMPARE(sent.job > 0, submitTrouble == SpoolTrouble::None);
        if (sent.job == 0) {
            QVERIFY(!spooler.cancelJob(1) || submitTrouble != SpoolTrouble::ServerUnreachable);
            qunsetenv("CUPS_SERVER");
            return;
        }
        QVERIFY2(states.contains(settled(spooler, sent.job, states)), "job state");
        // A cancel takes the job out of the queue, or finds it already over.
        QVERIFY(spooler.cancelJob(sent.job));
        const JobState after = settled(spooler, sent.job, {JobState::Cancelled, JobState::Done});
        QVERIFY(after == JobState::Cancelled || after == JobState::Done);
    }

    // The printer list names every queue once, each by its own name, as the orientation
    // commands and the system information read it.
    void printerList() {
        if (!PrivateCups::installed())
            QSKIP("cupsd is not installed (scripts/setup installs cups-daemon)");
        PrivateCups cups;
        QString error;
        QVERIFY2(cups.start(&error), qPrintable(error));
        QFile ppd(QFileInfo(cups.home()).dir().filePath(QStringLiteral("small.ppd")));
        QVERIFY(ppd.open(QIODevice::ReadOnly));
        const QByteArray model = ppd.readAll();
        for (const char* name : {"aaa-premiere", "zzz-derniere"})
            QVERIFY(cups.addQueue(QString::fromLatin1(name), model));
        CupsSpooler spooler;
        QStringList printers = spooler.printers();
        printers.sort();
        QCOMPARE(printers, (QStringList{"aaa-premiere", cups.queueName(), "zzz-derniere"}));
        QStringList queues;
        for (const QueueStatus& q : spooler.queues())
            queues << q.name;
        queues.sort();
        QCOMPARE(queues, printers);
        qunsetenv("CUPS_SERVER");
    }

    // A server that takes the connection and never answers: every call comes back within
    // its limits, with nothing that looks like a success.
    void silentServer() {
        StandInSpooler server(StandInSpooler::Mode::Silent);
        QVERIFY(server.start());
        CupsSpooler spooler({1000, 1000, 1000});
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(spooler.queueStatus(QStringLiteral("kalimo-stall")).trouble,
                 SpoolTrouble::ServerUnreachable);
        QTemporaryFile file;
        SpoolDocument document{QStringLiteral("kalimo-stall"), QStringLiteral("t"), 1, pdfFile(file),
                               nullptr};
        QCOMPARE(spooler.submit(document).job, 0);
        QCOMPARE(spooler.jobStatus(7).state, JobState::Unknown);
        QVERIFY(!spooler.cancelJob(7));
        QVERIFY2(clock.elapsed() < 15000, qPrintable(QString::number(clock.elapsed())));
    }

    // One that stops once the document starts: the send fails within its limit, and the
    // job it created is cancelled.
    void stallingServer() {
        StandInSpooler server(StandInSpooler::Mode::StallOnDocument);
        QVERIFY(server.start());
        CupsSpooler spooler({1000, 1000, 1000});
        QTemporaryFile file;
        SpoolDocument document{QStringLiteral("kalimo-stall"), QStringLiteral("t"), 1, pdfFile(file),
                               nullptr};
        QElapsedTimer clock;
        clock.start();
        const SubmitResult sent = spooler.submit(document);
        QCOMPARE(sent.job, 0);
        QCOMPARE(sent.trouble, SpoolTrouble::StoppedAnswering);
        QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(server.cancelledJobs(), QList<int>{7});
    }
};

QTEST_MAIN(TestCupsSpooler)
#include "tst_cupsspooler.moc"
