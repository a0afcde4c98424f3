#include "PrivateCups.h"
#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "platform/CupsSpooler.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QtTest>
#include <cups/cups.h>

namespace {

// One run of the program: its own state and window over the real spooler.
struct ProgramRun {
    ProgramRun() {
        tp.platform.spooler = std::make_unique<CupsSpooler>();
        window = std::make_unique<Form1>(module, tp.platform);
        window->Form_Load();
    }
    QString label() const { return window->findChild<QLabel*>("Label6")->text(); }
    bool checked(const char* entry) const { return window->findChild<QAction*>(entry)->isChecked(); }
    void choose(const char* entry) { window->findChild<QAction*>(entry)->trigger(); }

    TestPlatform tp;
    Module1 module;
    std::unique_ptr<Form1> window;
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The person's options for a printer, as the lpoptions file holds them.
QStringList personOptions(const QString& lpoptions, const QString& printer) {
    for (const QByteArray& line : readAll(lpoptions).split('\n')) {
        const QStringList words = QString::fromUtf8(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.size() >= 2 && (words[0] == "Dest" || words[0] == "Default") && words[1] == printer)
            return words.mid(2);
    }
    return {};
}

const QString Portrait = QStringLiteral("En cours : Portrait");
const QString Landscape = QStringLiteral("En cours : Paysage");

} // namespace

class CupsOrientationTest : public QObject {
    Q_OBJECT
private:
    PrivateCups cups_;
    QString lpoptions_; // where libcups keeps the person's options for this whole run
    bool hadServer_ = false;
    QByteArray server_;
    QByteArray home_;

    bool lpadmin(const QStringList& arguments) {
        return QProcess::execute(QStringLiteral("lpadmin"), arguments) == 0;
    }

private slots:
    void initTestCase() {
        hadServer_ = qEnvironmentVariableIsSet("CUPS_SERVER");
        server_ = qgetenv("CUPS_SERVER");
        home_ = qgetenv("HOME");
        QString error;
        QVERIFY2(cups_.start(&error), qPrintable(error));
        lpoptions_ = cups_.home() + QStringLiteral("/.cups/lpoptions");
    }
    void cleanupTestCase() {
        cups_.stop();
        if (hadServer_)
            qputenv("CUPS_SERVER", server_);
        else
            qunsetenv("CUPS_SERVER");
        qputenv("HOME", home_);
        cupsSetServer(nullptr);
    }

    void landscapeOutlastsTheProgram_data() {
        QTest::addColumn<QByteArray>("personBefore");
        QTest::addColumn<QString>("paperAfter");
        QTest::newRow("nothing chosen before") << QByteArray() << QString();
        QTest::newRow("person's own paper")
            << QByteArray("Dest kalimo-test media=na_letter_8.5x11in\n") << "media=na_letter_8.5x11in";
        QTest::newRow("two-sided and portrait before")
            << QByteArray("Dest kalimo-test sides=two-sided-long-edge orientation-requested=3\n")
            << QString();
    }
    void landscapeOutlastsTheProgram() {
        QFETCH(QByteArray, personBefore);
        QFETCH(QString, paperAfter);
        QDir().mkpath(cups_.home() + QStringLiteral("/.cups"));
        QFile::remove(lpoptions_);
        if (!personBefore.isEmpty()) {
            QFile file(lpoptions_);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(personBefore);
        }

        {
            ProgramRun first;
            QCOMPARE(first.label(), Portrait);
            first.choose("Mnu_ImpPays");
            QCOMPARE(first.label(), Landscape);
            QVERIFY(first.tp.messages->shown.isEmpty());
        }
        const QStringList options = personOptions(lpoptions_, cups_.queueName());
        QVERIFY2(options.contains("orientation-requested=4"), qPrintable(options.join(' ')));
        QVERIFY(options.contains("sides=one-sided"));
        const QStringList paper = options.filter(QRegularExpression("^media=|^PageSize="));
        QCOMPARE(paper, paperAfter.isEmpty() ? QStringList() : QStringList{paperAfter});

        {
            ProgramRun second;
            QCOMPARE(second.label(), Landscape);
            QVERIFY(second.checked("Mnu_ImpPays"));
            QVERIFY(!second.checked("Mnu_ImpPort"));
            second.choose("Mnu_ImpPort");
            QCOMPARE(second.label(), Portrait);
        }
        {
            ProgramRun third;
            QCOMPARE(third.label(), Portrait);
            QVERIFY(third.checked("Mnu_ImpPort"));
            QVERIFY(!third.checked("Mnu_ImpPays"));
        }
        const QStringList back = personOptions(lpoptions_, cups_.queueName());
        QVERIFY(back.contains("orientation-requested=3"));
        QVERIFY(back.contains("sides=one-sided"));
        QCOMPARE(back.filter(QRegularExpression("^media=|^PageSize=")), paper);
    }

    // The person's options cannot be written: the store is refused and nothing moves.
    void storeRefused() {
        QFile::remove(lpoptions_);
        ProgramRun run;
        QCOMPARE(run.label(), Portrait);
        QVERIFY(QDir().mkpath(lpoptions_));
        run.choose("Mnu_ImpPays");
        QCOMPARE(run.label(), Portrait);
        QVERIFY(run.checked("Mnu_ImpPort"));
        QVERIFY(!run.checked("Mnu_ImpPays"));
        QVERIFY(run.tp.messages->shown.isEmpty());
        QVERIFY(QDir().rmdir(lpoptions_));
    }

    // The spooler stops while the program runs: the choice changes nothing, and the next
    // run finds no printer to show.
    void spoolerDown() {
        {
            ProgramRun run;
            run.choose("Mnu_ImpPays");
            QCOMPARE(run.label(), Landscape);
        }
        const QByteArray stored = readAll(lpoptions_);
        QVERIFY(stored.contains("orientation-requested=4"));

        ProgramRun run;
        QCOMPARE(run.label(), Landscape);
        const QByteArray server = qgetenv("CUPS_SERVER");
        const QByteArray home = qgetenv("HOME");
        cups_.stop();
        // Still aimed at the stopped server, not at whatever the machine runs.
        qputenv("CUPS_SERVER", server);
        qputenv("HOME", home);
        cupsSetServer(nullptr);

        run.choose("Mnu_ImpPort");
        QCOMPARE(run.label(), Landscape);
        QVERIFY(run.checked("Mnu_ImpPays"));
        QVERIFY(!run.checked("Mnu_ImpPort"));
        QVERIFY(run.tp.messages->shown.isEmpty());
        QCOMPARE(readAll(lpoptions_), stored);

        ProgramRun next;
        QVERIFY(!next.checked("Mnu_ImpPays"));
        QVERIFY(!next.checked("Mnu_ImpPort"));
    }

    // A spooler with no printer at all: nothing is stored and nothing is shown.
    void noPrinter() {
        QString error;
        QVERIFY2(cups_.start(&error), qPrintable(error));
        QVERIFY(lpadmin({"-x", cups_.queueName()}));
        // lpadmin itself drops the queue from the person's options.
        const QString newHome = cups_.home() + QStringLiteral("/.cups/lpoptions");
        const QByteArray stored = readAll(lpoptions_);
        const QByteArray storedNew = readAll(newHome);
        {
            ProgramRun run;
            const QString before = run.label();
            run.choose("Mnu_ImpPays");
            run.choose("Mnu_ImpPort");
            QCOMPARE(run.label(), before);
            QVERIFY(!run.checked("Mnu_ImpPays"));
            QVERIFY(!run.checked("Mnu_ImpPort"));
            QVERIFY(run.tp.messages->shown.isEmpty());
        }
        QCOMPARE(readAll(lpoptions_), stored);
        QCOMPARE(readAll(newHome), storedNew);
    }
};

QTEST_MAIN(CupsOrientationTest)
#include "tst_cupsorientation.moc"
