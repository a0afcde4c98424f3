#include "PrivateCups.h"
#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "platform/CupsSpooler.h"
#include "print/orientation/OrImp.h"

#include <QAction>
#include <QLabel>
#include <QtTest>
#include <cups/cups.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// One run of the program, over the real spooler unless given one.
struct ProgramRun {
    explicit ProgramRun(std::unique_ptr<Spooler> spooler = std::make_unique<CupsSpooler>()) {
        tp.platform.spooler = std::move(spooler);
        window = std::make_unique<Form1>(module, tp.platform);
        window->Form_Load();
    }
    QString shown() const { // Label6, the checked entries, any message
        QString s = window->Label6->text();
        for (const QAction* entry : {window->Mnu_ImpPort, window->Mnu_ImpPays})
            s += entry->isChecked() ? " +" + entry->objectName() : QString();
        for (const MessageRequest& message : std::as_const(tp.messages->shown))
            s += " !" + message.prompt;
        return s;
    }
    QString choose(const QString& entry) { return window->findChild<QAction*>(entry)->trigger(), shown(); }
    TestPlatform tp;
    Module1 module;
    std::unique_ptr<Form1> window;
};
const QString Portrait = "En cours : Portrait +Mnu_ImpPort", Landscape = "En cours : Paysage +Mnu_ImpPays";

// "Bureau" (portrait, two-sided, paper unknown) current, "Atelier" (landscape), unless the
// fault says otherwise; notes the stores ("w": under the hourglass) and the picks.
struct Spy : FakeSpooler {
    Spy(const QString& fault, const QString& listed) : refuse(fault == "refuse") {
        order = listed.split(',');
        defaultName = "Bureau";
        if (fault != "no settings")
            defaults = {{"Bureau", {1, 2, 0}}, {"Atelier", {2, 1, 1}}};
    }
    bool storeDefaults(const QString& name, const PrinterDefaults& d, quint32 fields) override {
        const QCursor* c = QGuiApplication::overrideCursor();
        calls << name + ' ' + QString::number(fields, 16) + (c && c->shape() == Qt::WaitCursor ? "w" : "");
        return !refuse && FakeSpooler::storeDefaults(name, d, fields);
    }
    void setCurrentPrinter(const QString& name) override { calls << "pick " + name, current = name; }
    const bool refuse;
    QStringList calls;
};
QString codes(const std::optional<PrinterDefaults>& d) {
    return d ? QString("%1 %2 %3").arg(d->orientation).arg(d->duplex).arg(d->paperSize) : "none";
}

} // namespace

class PrinterOrientationTest : public QObject {
    Q_OBJECT
    PrivateCups cups_;
    QString lpoptions_;             // the person's options: libcups keeps the first HOME for good
    QString personOptions() const { // sorted
        QFile file(lpoptions_);
        QStringList words = QString(file.open(QIODevice::ReadOnly) ? file.readAll() : "").split(' ').mid(2);
        words.sort();
        return words.join(' ').trimmed();
    }

private slots:
    void initTestCase() {
        QString error;
        QVERIFY2(cups_.start(&error) && QDir(cups_.home()).mkdir(".cups"), qPrintable(error));
        lpoptions_ = cups_.home() + "/.cups/lpoptions";
    }

    // OrImp through the entries over the in-memory spooler: both procedures store (mask
    // 1001, under the hourglass) and pick the printer again; a fault changes nothing.
    void orImp_data() {
        for (const char* column : {"fault", "listed", "calls", "bureau", "shown"})
            QTest::addColumn<QString>(column);
        auto row = [](const char* name, const char* fault, const char* listed, const char* calls,
                      const char* bureau, const QString& shown) {
            QTest::newRow(name) << fault << listed << calls << bureau << shown;
        };
        const char* const both = "Bureau 1001w,pick Bureau,Bureau 1001w,pick Bureau";
        row("landscape", "", "Bureau,Atelier", both, "2 1 0", Landscape);
        row("picked by exact name", "", "bureau,Bureau 2,Bureau", both, "2 1 0", Landscape);
        row("gone from the list", "", "bureau", "Bureau 1001w,Bureau 1001w", "2 1 0", Landscape);
        row("no settings", "no settings", "Bureau", "", "none", "En cours : Portrait");
        row("store refused", "refuse", "Bureau", "Bureau 1001w,Bureau 1001w", "1 2 0", Portrait);
        row("printer set-up", "set-up", "Bureau,Atelier", "pick Atelier", "1 2 0", Landscape);
    }
    void orImp() {
        QFETCH(QString, fault);
        QFETCH(QString, listed);
        ProgramRun run(std::make_unique<Spy>(fault, listed));
        auto& spooler = static_cast<Spy&>(*run.tp.platform.spooler);
        run.tp.dialogs->onPrinterSetup = [&] { spooler.setCurrentPrinter("Atelier"); };
        QTEST(run.choose(fault == "set-up" ? "Mnu_ConfigImp" : "Mnu_ImpPays"), "shown");
        QTEST(spooler.calls.join(','), "calls");
        QTEST(codes(spooler.storedDefaults("Bureau")), "bureau");
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    // The printer's own portrait; the person's reverse portrait, two-sided, letter. Landscape
    // chosen and read back by the next run, portrait again: one-sided, the paper untouched.
    void landscapeThenPortrait() {
        QCOMPARE(ProgramRun().shown(), Portrait);
        QFile file(lpoptions_);
        QVERIFY(file.open(QIODevice::WriteOnly) &&
                file.write("Dest kalimo-test orientation-requested=6 sides=two-sided-short-edge "
                           "media=na_letter_8.5x11in\n") > 0 &&
                file.flush());
        ProgramRun first;
        QCOMPARE(first.shown(), Portrait);
        QCOMPARE(first.choose("Mnu_ImpPays"), Landscape);
        QCOMPARE(personOptions(), "media=na_letter_8.5x11in orientation-requested=4 sides=one-sided");
        ProgramRun next;
        QCOMPARE(next.shown(), Landscape);
        QCOMPARE(next.choose("Mnu_ImpPort"), Portrait);
        QCOMPARE(personOptions(), "media=na_letter_8.5x11in orientation-requested=3 sides=one-sided");
        QCOMPARE(ProgramRun().shown(), Portrait);
    }

    // Options that cannot be written, a spooler that takes the request and never answers:
    // nothing moves, nothing hangs (a hang would end the test at ctest's time-out).
    void refusedAndSilent() {
        QVERIFY(QFile::remove(lpoptions_) && QDir().mkpath(lpoptions_));
        QCOMPARE(ProgramRun().choose("Mnu_ImpPays"), Portrait);
        QVERIFY(QDir().rmdir(lpoptions_));
        // Codes the spooler has no word for refuse the whole store.
        for (const PrinterDefaults& d : {PrinterDefaults{3, 1, 1}, {0, 1, 1}, {2, 4, 1}})
            QVERIFY(!CupsSpooler().storeDefaults(cups_.queueName(), d, OrImp::Fields));

        const QByteArray socketPath = QFile::encodeName(cups_.home() + "/silent.sock");
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{AF_UNIX, {}};
        qstrncpy(address.sun_path, socketPath.constData(), sizeof(address.sun_path));
        QVERIFY(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 && listen(fd, 64) == 0);
        qputenv("CUPS_SERVER", socketPath);
        cupsSetServer(nullptr);
        CupsSpooler spooler(CupsSpooler::Limits{100, 100});
        QVERIFY(spooler.printers().isEmpty() && spooler.defaultPrinter().isEmpty());
        QVERIFY(!spooler.storedDefaults(cups_.queueName()) &&
                !spooler.storeDefaults(cups_.queueName(), PrinterDefaults{2, 1, 1}, OrImp::Fields));
        qputenv("CUPS_SERVER", cups_.environment().value("CUPS_SERVER").toLocal8Bit());
        cupsSetServer(nullptr);
        ::close(fd);
        QVERIFY(!QFile::exists(lpoptions_));
    }

    // The spooler stops under the running program: the choice changes nothing, the next run
    // shows no orientation. Then a spooler with no printer: nothing stored, nothing shown.
    void spoolerDownThenNoPrinter() {
        ProgramRun run;
        QCOMPARE(run.choose("Mnu_ImpPays"), Landscape);
        const QString stored = personOptions();
        cups_.stop();
        qputenv("CUPS_SERVER", cups_.environment().value("CUPS_SERVER").toLocal8Bit()); // the stopped one
        qputenv("HOME", QFile::encodeName(cups_.home()));
        cupsSetServer(nullptr);
        QCOMPARE(run.choose("Mnu_ImpPort"), Landscape);
        QCOMPARE(personOptions(), stored);
        QCOMPARE(ProgramRun().shown(), "En cours : Portrait");

        QString error;
        QVERIFY2(cups_.start(&error, false), qPrintable(error));
        QDir().mkpath(QFileInfo(lpoptions_).path()); // the new server took the old folder with it
        ProgramRun empty;
        empty.choose("Mnu_ImpPays");
        QCOMPARE(empty.choose("Mnu_ImpPort"), "En cours : Portrait");
        QVERIFY(!QFile::exists(lpoptions_) && !QFile::exists(cups_.home() + "/.cups/lpoptions"));
    }
};

QTEST_MAIN(PrinterOrientationTest)
#include "tst_printerorientation.moc"
