#include "PrivateCups.h"
#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "platform/CupsSpooler.h"

#include <QAction>
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

// One run of the program: its own state and window over the real spooler.
struct ProgramRun {
    ProgramRun() {
        tp.platform.spooler = std::make_unique<CupsSpooler>();
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
    void choose(const char* entry) { window->findChild<QAction*>(entry)->trigger(); }

    TestPlatform tp;
    Module1 module;
    std::unique_ptr<Form1> window;
};

const QString Portrait = QStringLiteral("En cours : Portrait +Mnu_ImpPort");
const QString Landscape = QStringLiteral("En cours : Paysage +Mnu_ImpPays");

// A spooler that takes every connection, lets the request in ("100 Continue", so libcups
// does not sit out its own wait for it) and never answers it.
class SilentSpooler {
public:
    explicit SilentSpooler(const QByteArray& path) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, path.constData(), sizeof(address.sun_path));
        fd_ = socket(AF_UNIX, SOCK_STREAM, 0);
        if (bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 && listen(fd_, 16) == 0)
            thread_ = std::thread([this] {
                pollfd p{fd_, POLLIN, 0};
                while (!stop_)
                    if (poll(&p, 1, 20) > 0) {
                        clients_.push_back(accept(fd_, nullptr, nullptr));
                        (void)!write(clients_.back(), "HTTP/1.1 100 Continue\r\n\r\n", 25);
                    }
            });
    }
    ~SilentSpooler() {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
        for (int fd : clients_)
            ::close(fd);
        ::close(fd_);
    }
    bool isListening() const { return thread_.joinable(); }

private:
    int fd_ = -1;
    std::atomic_bool stop_ = false;
    std::vector<int> clients_;
    std::thread thread_;
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The spooler over a private CUPS server, then the orientation entries end to end.
class CupsOrientationTest : public QObject {
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

    // The queue is found; a name the spooler does not know reads nothing and stores nothing.
    void printersAndUnknownNames() {
        setPersonOptions(QByteArray());
        CupsSpooler spooler;
        QCOMPARE(spooler.printers(), QStringList{cups_.queueName()});
        QCOMPARE(spooler.defaultPrinter(), cups_.queueName());
        QCOMPARE(spooler.currentPrinter(), cups_.queueName());
        spooler.setCurrentPrinter(QStringLiteral("autre"));
        QCOMPARE(spooler.currentPrinter(), QStringLiteral("autre"));
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
        QVERIFY(silent.isListening());
        const QByteArray server = qgetenv("CUPS_SERVER");
        qputenv("CUPS_SERVER", socketPath);
        cupsSetServer(nullptr);
        const QByteArray before = readAll(lpoptions_);
        QElapsedTimer timer;
        timer.start();

        CupsSpooler spooler(CupsSpooler::Limits{100, 100});
        QVERIFY(spooler.printers().isEmpty());
        QVERIFY(spooler.defaultPrinter().isEmpty());
        QVERIFY(!spooler.storedDefaults(cups_.queueName()));
        QVERIFY(!spooler.storeDefaults(cups_.queueName(), PrinterDefaults{2, 1, 1}, 0x1001));
        QVERIFY2(timer.elapsed() < 15000, "a call waited for the spooler beyond its limits");

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

QTEST_MAIN(CupsOrientationTest)
#include "tst_cupsorientation.moc"
