#include "PrivateCups.h"
#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "platform/CupsSpooler.h"
#include "print/orientation/OrImp.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QtTest>
#include <atomic>
#include <cups/cups.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

// One run of the program: its own state and window, over the real spooler unless given one.
struct ProgramRun {
    explicit ProgramRun(std::unique_ptr<Spooler> spooler = std::make_unique<CupsSpooler>()) {
        tp.platform.spooler = std::move(spooler);
        window = std::make_unique<Form1>(module, tp.platform);
        window->Form_Load();
    }
    // Label6, the checked entries, any message shown.
    QString shown() const {
        QString s = window->Label6->text();
        for (const QAction* entry : {window->Mnu_ImpPort, window->Mnu_ImpPays})
            if (entry->isChecked())
                s += QStringLiteral(" +") + entry->objectName();
        for (const MessageRequest& message : std::as_const(tp.messages->shown))
            s += QStringLiteral(" !") + message.prompt;
        return s;
    }
    void choose(const QString& entry) { window->findChild<QAction*>(entry)->trigger(); }

    TestPlatform tp;
    Module1 module;
    std::unique_ptr<Form1> window;
};

const QString Portrait = QStringLiteral("En cours : Portrait +Mnu_ImpPort");
const QString Landscape = QStringLiteral("En cours : Paysage +Mnu_ImpPays");

// The in-memory spooler: the printers listed, and "Bureau", the current one, with stored
// defaults (the orientation given, two-sided, paper unknown), unless the fault is "no
// printer" or "no settings"; "down" and "refuse" fail the spooler or its stores. It notes
// the stores with their fields (and the hourglass) and the printers picked.
class ScriptedSpooler : public FakeSpooler {
public:
    ScriptedSpooler(const QStringList& listed, int orientation, const QString& fault = QString()) {
        order = listed;
        if (fault != "no printer")
            defaultName = QStringLiteral("Bureau");
        if (fault.isEmpty() || fault == "down" || fault == "refuse")
            defaults[defaultName] = PrinterDefaults{orientation, 2, 0};
        down = fault == "down";
        refuseStore = fault == "refuse";
    }
    bool storeDefaults(const QString& name, const PrinterDefaults& d, quint32 fields) override {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        calls << QStringLiteral("store %1 %2").arg(name).arg(fields, 0, 16) +
                     (cursor && cursor->shape() == Qt::WaitCursor ? " wait" : "");
        return !refuseStore && FakeSpooler::storeDefaults(name, d, fields);
    }
    void setCurrentPrinter(const QString& name) override {
        calls << "pick " + name;
        FakeSpooler::setCurrentPrinter(name);
    }
    bool refuseStore = false;
    QStringList calls;
};

QString codes(const PrinterDefaults& d) {
    return QStringLiteral("%1 %2 %3").arg(d.orientation).arg(d.duplex).arg(d.paperSize);
}

// A spooler that takes every connection, lets the request in ("100 Continue", so libcups
// does not sit out its own wait for it) and never answers it.
struct SilentSpooler {
    explicit SilentSpooler(const QByteArray& path) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, path.constData(), sizeof(address.sun_path));
        listening =
            bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 && listen(fd, 16) == 0;
        thread = std::thread([this] {
            for (pollfd p{fd, POLLIN, 0}; listening && !stop;)
                if (poll(&p, 1, 20) > 0) {
                    clients.push_back(accept(fd, nullptr, nullptr));
                    (void)!write(clients.back(), "HTTP/1.1 100 Continue\r\n\r\n", 25);
                }
        });
    }
    ~SilentSpooler() {
        stop = true;
        thread.join();
        for (int client : clients)
            ::close(client);
        ::close(fd);
    }
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    bool listening = false;
    std::atomic_bool stop = false;
    std::vector<int> clients;
    std::thread thread;
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The orientation procedures and entries over an in-memory spooler, the CUPS spooler over
// a private server, then the entries end to end.
class PrinterOrientationTest : public QObject {
    Q_OBJECT
private:
    PrivateCups cups_;
    QString lpoptions_; // where libcups keeps the person's options for this whole run

    // The person's own options for the queue; none: no lpoptions file.
    void setPersonOptions(const QByteArray& options) {
        QFile::remove(lpoptions_);
        QDir().mkpath(QFileInfo(lpoptions_).path());
        QFile file(lpoptions_);
        QVERIFY(options.isEmpty() ||
                (file.open(QIODevice::WriteOnly) && file.write("Dest kalimo-test " + options + "\n") > 0));
    }
    QStringList personOptions() const {
        for (const QByteArray& line : readAll(lpoptions_).split('\n')) {
            const QStringList words = QString::fromUtf8(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (words.size() >= 2 && (words[0] == "Dest" || words[0] == "Default") &&
                words[1] == cups_.queueName())
                return words.mid(2);
        }
        return {};
    }

private slots:
    void initTestCase() {
        QString error;
        QVERIFY2(cups_.start(&error), qPrintable(error));
        lpoptions_ = cups_.home() + QStringLiteral("/.cups/lpoptions");
    }

    // The procedures over an in-memory spooler.
    void setOrientation_data() {
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("calls");
        const QStringList one{"Bureau"};
        const QStringList store{"store Bureau 1001"};
        const QStringList storeAndPick = store + QStringList{"pick Bureau"};
        QTest::newRow("portrait to landscape") << one << 1 << 2 << "" << storeAndPick;
        QTest::newRow("landscape to portrait") << one << 2 << 1 << "" << storeAndPick;
        QTest::newRow("already in force") << one << 2 << 2 << "" << storeAndPick;
        QTest::newRow("picked by exact name")
            << QStringList{"bureau", "Bureau 2", "Bureau", "Bureau"} << 1 << 2 << "" << storeAndPick;
        QTest::newRow("printer gone from the list")
            << QStringList{"bureau", "Atelier"} << 1 << 2 << "" << store;
        QTest::newRow("no printer") << QStringList() << 1 << 2 << "no printer" << QStringList();
        QTest::newRow("printer without stored settings") << one << 1 << 2 << "no settings" << QStringList();
        QTest::newRow("spooler down") << one << 1 << 2 << "down" << QStringList();
        QTest::newRow("store refused") << one << 1 << 2 << "refuse" << store;
    }
    void setOrientation() {
        QFETCH(QStringList, listed);
        QFETCH(int, before);
        QFETCH(int, orientation);
        QFETCH(QString, fault);
        QFETCH(QStringList, calls);
        ScriptedSpooler spooler(listed, before, fault);
        const QString was = codes(spooler.defaults.value("Bureau"));

        QCOMPARE(OrImp::SetOrientation(spooler, 1, static_cast<qint16>(orientation)), fault.isEmpty());
        QCOMPARE(spooler.calls, calls);
        // One-sided with the paper as it was after a change; else nothing has moved.
        QCOMPARE(codes(spooler.defaults.value("Bureau")),
                 fault.isEmpty() ? QStringLiteral("%1 1 0").arg(orientation) : was);
    }

    // The two menu entries through the window: both procedures under the hourglass, the
    // person's paper kept, the display from what the spooler holds after.
    void menuEntries_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("before");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("stored"); // orientation, duplex, paper
        QTest::newRow("landscape chosen") << "Mnu_ImpPays" << 1 << "" << Landscape << "2 1 0";
        QTest::newRow("portrait chosen") << "Mnu_ImpPort" << 2 << "" << Portrait << "1 1 0";
        QTest::newRow("store refused") << "Mnu_ImpPort" << 2 << "refuse" << Landscape << "2 2 0";
    }
    void menuEntries() {
        QFETCH(QString, entry);
        QFETCH(int, before);
        QFETCH(QString, fault);
        QFETCH(QString, after);
        QFETCH(QString, stored);
        auto owned = std::make_unique<ScriptedSpooler>(QStringList{"Bureau"}, before, fault);
        ScriptedSpooler& spooler = *owned;
        ProgramRun run(std::move(owned));
        run.choose(entry);

        QCOMPARE(run.shown(), after);
        QCOMPARE(codes(spooler.defaults.value("Bureau")), stored);
        QCOMPARE(spooler.calls.filter("store"), QStringList(2, "store Bureau 1001 wait"));
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    // The printer set-up dialog may pick another printer; accepted or not, the display
    // then shows the printer in force.
    void printerSetup_data() {
        QTest::addColumn<bool>("accepted");
        QTest::newRow("accepted") << true;
        QTest::newRow("cancelled") << false;
    }
    void printerSetup() {
        QFETCH(bool, accepted);
        auto owned = std::make_unique<ScriptedSpooler>(QStringList{"Bureau", "Atelier"}, 1);
        owned->defaults["Atelier"] = PrinterDefaults{2, 1, 1};
        ScriptedSpooler& spooler = *owned;
        ProgramRun run(std::move(owned));
        QCOMPARE(run.shown(), Portrait);

        run.tp.dialogs->printerSetupAnswer = accepted;
        run.tp.dialogs->onPrinterSetup = [&] { spooler.setCurrentPrinter("Atelier"); };
        run.choose("Mnu_ConfigImp");
        QCOMPARE(run.tp.dialogs->printerSetups, 1);
        QCOMPARE(run.shown(), Landscape);
    }

    // The spooler over the private server: the queue is found; a name it does not know
    // reads nothing and stores nothing.
    void printersAndUnknownNames() {
        setPersonOptions(QByteArray());
        CupsSpooler spooler;
        QCOMPARE(spooler.printers(), QStringList{cups_.queueName()});
        QCOMPARE(spooler.defaultPrinter(), cups_.queueName());
        QCOMPARE(spooler.currentPrinter(), cups_.queueName());
        for (const QString& name : {QStringLiteral("autre"), QString()}) {
            QVERIFY(!spooler.storedDefaults(name));
            QVERIFY(!spooler.storeDefaults(name, PrinterDefaults{2, 1, 1}, 0x1001));
        }
        QVERIFY(!QFile::exists(lpoptions_));
    }

    // The person's options as the spooler's codes: orientation, duplex, paper.
    void storedDefaults_data() {
        QTest::addColumn<QByteArray>("options");
        QTest::addColumn<QString>("codes");
        QTest::newRow("nothing stated") << QByteArray() << "1 1 1";
        QTest::newRow("landscape") << QByteArray("orientation-requested=4") << "2 1 1";
        QTest::newRow("reverse landscape") << QByteArray("orientation-requested=5") << "2 1 1";
        QTest::newRow("reverse portrait") << QByteArray("orientation-requested=6") << "1 1 1";
        QTest::newRow("long edge") << QByteArray("sides=two-sided-long-edge") << "1 2 1";
        QTest::newRow("short edge") << QByteArray("sides=two-sided-short-edge") << "1 3 1";
        QTest::newRow("A4 named") << QByteArray("media=iso_a4_210x297mm") << "1 1 1";
        QTest::newRow("letter") << QByteArray("media=na_letter_8.5x11in") << "1 1 0";
        QTest::newRow("letter by its description") << QByteArray("PageSize=Letter") << "1 1 0";
        QTest::newRow("A4 by its description") << QByteArray("PageSize=A4") << "1 1 1";
    }
    void storedDefaults() {
        QFETCH(QByteArray, options);
        QFETCH(QString, codes);
        setPersonOptions(options);
        const auto d = CupsSpooler().storedDefaults(cups_.queueName());
        QVERIFY(d);
        QCOMPARE(QStringLiteral("%1 %2 %3").arg(d->orientation).arg(d->duplex).arg(d->paperSize), codes);
    }

    // What reaches the person's options, member by member; a value the spooler has no
    // word for refuses the whole store.
    void storeDefaults_data() {
        QTest::addColumn<PrinterDefaults>("defaults");
        QTest::addColumn<quint32>("fields");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QString>("written");
        const quint32 both = PrinterField::Orientation | PrinterField::Duplex;
        const quint32 all = both | PrinterField::PaperSize;
        QTest::newRow("landscape one-sided")
            << PrinterDefaults{2, 1, 1} << both << true << "orientation-requested=4 sides=one-sided";
        QTest::newRow("portrait one-sided")
            << PrinterDefaults{1, 1, 0} << both << true << "orientation-requested=3 sides=one-sided";
        QTest::newRow("orientation only") << PrinterDefaults{2, 1, 1} << quint32(PrinterField::Orientation)
                                          << true << "orientation-requested=4";
        QTest::newRow("paper named") << PrinterDefaults{2, 1, 1} << all << true
                                     << "media=iso_a4_210x297mm orientation-requested=4 sides=one-sided";
        QTest::newRow("nothing named") << PrinterDefaults{2, 1, 1} << quint32(0) << true << "";
        QTest::newRow("unknown orientation") << PrinterDefaults{3, 1, 1} << both << false << "";
        QTest::newRow("no orientation") << PrinterDefaults{0, 1, 1} << both << false << "";
        QTest::newRow("unknown duplex") << PrinterDefaults{2, 4, 1} << both << false << "";
        QTest::newRow("unknown paper") << PrinterDefaults{2, 1, 9} << all << false << "";
    }
    void storeDefaults() {
        QFETCH(PrinterDefaults, defaults);
        QFETCH(quint32, fields);
        QFETCH(bool, stored);
        QFETCH(QString, written);
        setPersonOptions(QByteArray());
        QCOMPARE(CupsSpooler().storeDefaults(cups_.queueName(), defaults, fields), stored);
        QStringList options = personOptions();
        options.sort();
        QCOMPARE(options.join(' '), written);
    }

    // A spooler that takes the connection and never answers: every call gives up soon with
    // nothing instead of holding the window.
    void silentSpooler() {
        QTemporaryDir dir;
        const QByteArray socketPath = QFile::encodeName(dir.filePath(QStringLiteral("silent.sock")));
        const SilentSpooler silent(socketPath);
        QVERIFY(silent.listening);
        const QByteArray server = qgetenv("CUPS_SERVER");
        qputenv("CUPS_SERVER", socketPath);
        cupsSetServer(nullptr);
        const QByteArray before = readAll(lpoptions_);
        // A spooler that never answers must not hold the program: each call gives up on its
        // own limits (a hang would end the test at ctest's time-out).
        CupsSpooler spooler(CupsSpooler::Limits{100, 100});
        QVERIFY(spooler.printers().isEmpty());
        QVERIFY(spooler.defaultPrinter().isEmpty());
        QVERIFY(!spooler.storedDefaults(cups_.queueName()));
        QVERIFY(!spooler.storeDefaults(cups_.queueName(), PrinterDefaults{2, 1, 1}, 0x1001));

        qputenv("CUPS_SERVER", server);
        cupsSetServer(nullptr);
        QCOMPARE(readAll(lpoptions_), before);
    }

    // Landscape chosen, read back by the next run; portrait back again. The person's
    // options end one-sided with their paper untouched.
    void landscapeOutlastsTheProgram_data() {
        QTest::addColumn<QByteArray>("personBefore");
        QTest::addColumn<QString>("paperAfter");
        QTest::newRow("nothing chosen before") << QByteArray() << QString();
        QTest::newRow("person's own paper")
            << QByteArray("media=na_letter_8.5x11in") << "media=na_letter_8.5x11in";
        QTest::newRow("two-sided and portrait before")
            << QByteArray("sides=two-sided-long-edge orientation-requested=3") << QString();
    }
    void landscapeOutlastsTheProgram() {
        QFETCH(QByteArray, personBefore);
        QFETCH(QString, paperAfter);
        setPersonOptions(personBefore);
        const QRegularExpression paper(QStringLiteral("^media=|^PageSize="));
        for (const auto& [entry, before, after, option] :
             {std::tuple("Mnu_ImpPays", Portrait, Landscape, "orientation-requested=4"),
              std::tuple("Mnu_ImpPort", Landscape, Portrait, "orientation-requested=3")}) {
            ProgramRun run;
            QCOMPARE(run.shown(), before);
            run.choose(entry);
            QCOMPARE(run.shown(), after);
            const QStringList options = personOptions();
            QVERIFY2(options.contains(option) && options.contains("sides=one-sided"),
                     qPrintable(options.join(' ')));
            QCOMPARE(options.filter(paper), paperAfter.isEmpty() ? QStringList() : QStringList{paperAfter});
        }
        QCOMPARE(ProgramRun().shown(), Portrait);
    }

    // The person's options cannot be written: the store is refused and nothing moves.
    void storeRefused() {
        QFile::remove(lpoptions_);
        ProgramRun run;
        QVERIFY(QDir().mkpath(lpoptions_));
        run.choose("Mnu_ImpPays");
        QCOMPARE(run.shown(), Portrait);
        QVERIFY(QDir().rmdir(lpoptions_));
    }

    // The spooler stops while the program runs: the choice changes nothing, and the next
    // run finds no printer to show.
    void spoolerDown() {
        ProgramRun().choose("Mnu_ImpPays");
        const QByteArray stored = readAll(lpoptions_);
        QVERIFY(stored.contains("orientation-requested=4"));

        ProgramRun run;
        QCOMPARE(run.shown(), Landscape);
        const QByteArray server = qgetenv("CUPS_SERVER");
        const QByteArray home = qgetenv("HOME");
        cups_.stop();
        // Still aimed at the stopped server, not at whatever the machine runs.
        qputenv("CUPS_SERVER", server);
        qputenv("HOME", home);
        cupsSetServer(nullptr);

        run.choose("Mnu_ImpPort");
        QCOMPARE(run.shown(), Landscape);
        QCOMPARE(readAll(lpoptions_), stored);
        QVERIFY(!ProgramRun().shown().contains('+'));
    }

    // A spooler with no printer at all: nothing is stored and nothing is shown.
    void noPrinter() {
        QString error;
        QVERIFY2(cups_.start(&error, false), qPrintable(error));
        const QString newLpoptions = cups_.home() + QStringLiteral("/.cups/lpoptions");
        const QByteArray stored = readAll(lpoptions_);
        ProgramRun run;
        const QString before = run.shown();
        QVERIFY(!before.contains('+') && !before.contains('!'));
        run.choose("Mnu_ImpPays");
        run.choose("Mnu_ImpPort");
        QCOMPARE(run.shown(), before);
        QCOMPARE(readAll(lpoptions_), stored);
        QVERIFY(!QFile::exists(newLpoptions));
    }
};

QTEST_MAIN(PrinterOrientationTest)
#include "tst_printerorientation.moc"
