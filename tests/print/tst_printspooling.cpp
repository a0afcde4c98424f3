#include "StandInSpooler.h"
#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "platform/CupsSpooler.h"
#include "platform/QPrinterSurface.h"
#include "print/SpoolWatcher.h"
#include "setup/Form2.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

Q_DECLARE_METATYPE(JobState)

// The print command of the window: the page goes to the spooler off the interface thread,
// Frame2 shows it, the result comes back as one message, and the cancel reaches the queue.
struct Window {
    TestPlatform tp;
    Module1 m;
    Form1 w{m, tp.platform};
    Window() { w.Form_Load(); }
    void print() {
        // The set-up dialog prints at once, the confirmation answers yes.
        QTimer::singleShot(0, &w, [] {
            if (auto* d = qobject_cast<Form2*>(QApplication::activeModalWidget()))
                QTest::mouseClick(d->findChild<QWidget*>(QStringLiteral("Command1")), Qt::LeftButton);
        });
        w.Mnu_Imprimer_Click();
    }
    bool sending() const { return !w.findChildren<SpoolWatcher*>().isEmpty(); }
};

class TestPrintSpooling : public QObject {
    Q_OBJECT
private slots:
    void resultOfTheJob_data() {
        QTest::addColumn<QList<JobState>>("states");
        QTest::addColumn<QString>("shown"); // "title|icon|prompt", empty: no message
        using S = JobState;
        QTest::newRow("printing") << QList<S>{S::Waiting, S::Processing} << "";
        QTest::newRow("held") << QList<S>{S::Held}
                              << "Impression|3|Le travail n° 42 est retenu dans la file bureau : il attend "
                                 "d'être libéré.";
        QTest::newRow("stopped queue")
            << QList<S>{S::Stopped} << "Impression|3|La file bureau est arrêtée : le travail attend.";
        QTest::newRow("aborted") << QList<S>{S::Aborted}
                                 << "Erreur|1|Le travail n° 42 a été abandonné par la file bureau.";
    }
    void resultOfTheJob() {
        QFETCH(QList<JobState>, states);
        QFETCH(QString, shown);
        Window t;
        t.tp.spooler->addPrinter(QStringLiteral("bureau"));
        t.tp.spooler->jobStates = states;
        t.tp.printer->toQueue = true;
        t.print();
        // Confirmation only, so far: the job is on its way.
        QCOMPARE(t.tp.messages->shown.size(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(!t.sending(), 15000);
        QCOMPARE(t.tp.spooler->submitted, QStringList{"bureau: Kalimo"});
        QVERIFY(t.w.Frame2->isHidden());
        QCOMPARE(t.w.Frame2->title(), QStringLiteral("Impression en cours"));
        QStringList got;
        for (const MessageRequest& r : t.tp.messages->shown.mid(1))
            got << r.title + "|" + QString::number(int(r.icon)) + "|" + r.prompt;
        QCOMPARE(got, shown.isEmpty() ? QStringList{} : QStringList{shown});
    }

    // A server that takes the job and never lets it through: the window answers all along,
    // Frame2 says what happens, and its cancel withdraws the job from the server's queue.
    void cancelWhileTheServerStalls() {
        StandInSpooler server(StandInSpooler::Mode::KeepIncoming);
        QVERIFY(server.start());
        Window t;
        t.tp.platform.spooler = std::make_unique<CupsSpooler>();
        t.tp.platform.spooler->setCurrentPrinter(QString::fromLatin1(StandInSpooler::queueName()));
        t.tp.platform.printer = std::make_unique<QPrinterSurface>(*t.tp.platform.spooler);
        t.w.show();
        t.print();
        QVERIFY(t.sending());
        QVERIFY(t.w.Frame2->isVisible());
        // The interface thread runs its timers while the job hangs in the queue.
        int ticks = 0;
        QTimer tick;
        connect(&tick, &QTimer::timeout, [&] { ++ticks; });
        tick.start(50);
        QTRY_VERIFY_WITH_TIMEOUT(t.w.Frame2->title() == QStringLiteral("Envoi à kalimo-stall"), 5000);
        QTest::qWait(1000);
        QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks)));
        QVERIFY(t.sending());
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(t.w.findChild<QPushButton*>(QStringLiteral("Command8")), Qt::LeftButton);
        QVERIFY(t.w.Frame2->isHidden());
        QTRY_VERIFY_WITH_TIMEOUT(!t.sending(), 5000);
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(server.cancelledJobs(), QList<int>{7});
        QCOMPARE(t.tp.messages->shown.size(), 1); // the confirmation; a cancel needs no message
    }
};

QTEST_MAIN(TestPrintSpooling)
#include "tst_printspooling.moc"
