#include "PrivateCups.h"
#include "platform/CupsSpooler.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cups/cups.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

// A local socket that takes connections and never reads them.
class SilentSocket {
public:
    explicit SilentSocket(const QString& path) {
        const QByteArray name = QFile::encodeName(path);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (name.size() >= int(sizeof(address.sun_path)))
            return;
        memcpy(address.sun_path, name.constData(), name.size());
        fd_ = socket(AF_UNIX, SOCK_STREAM, 0);
        if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
            listen(fd_, 16) != 0) {
            close();
            return;
        }
    }
    ~SilentSocket() { close(); }
    SilentSocket(const SilentSocket&) = delete;
    SilentSocket& operator=(const SilentSocket&) = delete;
    bool isListening() const { return fd_ >= 0; }

private:
    void close() {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }
    int fd_ = -1;
};

} // namespace

class CupsSpoolerTest : public QObject {
    Q_OBJECT
private:
    PrivateCups cups_;
    QString lpoptions_;

    void setPersonOptions(const QByteArray& options) {
        QFile::remove(lpoptions_);
        if (!options.isEmpty())
            QVERIFY(writeAll(lpoptions_, "Default kalimo-test " + options + "\n"));
    }

private slots:
    void initTestCase() {
        QString error;
        QVERIFY2(cups_.start(&error), qPrintable(error));
        lpoptions_ = cups_.home() + QStringLiteral("/.cups/lpoptions");
    }
    void cleanupTestCase() { cups_.stop(); }

    void printers() {
        CupsSpooler spooler;
        QCOMPARE(spooler.printers(), QStringList{cups_.queueName()});
        QCOMPARE(spooler.defaultPrinter(), cups_.queueName());
        QCOMPARE(spooler.currentPrinter(), cups_.queueName());
        spooler.setCurrentPrinter(QStringLiteral("autre"));
        QCOMPARE(spooler.currentPrinter(), QStringLiteral("autre"));
        QVERIFY(!spooler.storedDefaults(QStringLiteral("autre")));
        QVERIFY(!spooler.storedDefaults(QString()));
    }

    // The person's options as the spooler's codes.
    void storedDefaults_data() {
        QTest::addColumn<QByteArray>("options");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("duplex");
        QTest::addColumn<int>("paper");
        QTest::newRow("nothing stated") << QByteArray() << 1 << 1 << 1;
        QTest::newRow("landscape") << QByteArray("orientation-requested=4") << 2 << 1 << 1;
        QTest::newRow("reverse landscape") << QByteArray("orientation-requested=5") << 2 << 1 << 1;
        QTest::newRow("reverse portrait") << QByteArray("orientation-requested=6") << 1 << 1 << 1;
        QTest::newRow("long edge") << QByteArray("sides=two-sided-long-edge") << 1 << 2 << 1;
        QTest::newRow("short edge") << QByteArray("sides=two-sided-short-edge") << 1 << 3 << 1;
        QTest::newRow("A4 named") << QByteArray("media=iso_a4_210x297mm") << 1 << 1 << 1;
        QTest::newRow("letter") << QByteArray("media=na_letter_8.5x11in") << 1 << 1 << 0;
        QTest::newRow("letter by its description") << QByteArray("PageSize=Letter") << 1 << 1 << 0;
        QTest::newRow("A4 by its description") << QByteArray("PageSize=A4") << 1 << 1 << 1;
    }
    void storedDefaults() {
        QFETCH(QByteArray, options);
        QFETCH(int, orientation);
        QFETCH(int, duplex);
        QFETCH(int, paper);
        setPersonOptions(options);
        CupsSpooler spooler;
        const auto d = spooler.storedDefaults(cups_.queueName());
        QVERIFY(d);
        QCOMPARE(d->orientation, orientation);
        QCOMPARE(d->duplex, duplex);
        QCOMPARE(d->paperSize, paper);
    }

    // What reaches the person's options, member by member; a value the spooler has no
    // word for refuses the whole store.
    void storeDefaults_data() {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("duplex");
        QTest::addColumn<int>("paper");
        QTest::addColumn<quint32>("fields");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QStringList>("written");
        const quint32 both = PrinterField::Orientation | PrinterField::Duplex;
        const quint32 all = both | PrinterField::PaperSize;
        QTest::newRow("landscape one-sided")
            << 2 << 1 << 1 << both << true << QStringList{"orientation-requested=4", "sides=one-sided"};
        QTest::newRow("portrait one-sided")
            << 1 << 1 << 0 << both << true << QStringList{"orientation-requested=3", "sides=one-sided"};
        QTest::newRow("orientation only")
            << 2 << 1 << 1 << PrinterField::Orientation << true << QStringList{"orientation-requested=4"};
        QTest::newRow("paper named") << 2 << 1 << 1 << all << true
                                     << QStringList{"media=iso_a4_210x297mm", "orientation-requested=4",
                                                    "sides=one-sided"};
        QTest::newRow("nothing named") << 2 << 1 << 1 << quint32(0) << true << QStringList{};
        QTest::newRow("unknown orientation") << 3 << 1 << 1 << both << false << QStringList{};
        QTest::newRow("no orientation") << 0 << 1 << 1 << both << false << QStringList{};
        QTest::newRow("unknown duplex") << 2 << 4 << 1 << both << false << QStringList{};
        QTest::newRow("unknown paper") << 2 << 1 << 9 << all << false << QStringList{};
    }
    void storeDefaults() {
        QFETCH(int, orientation);
        QFETCH(int, duplex);
        QFETCH(int, paper);
        QFETCH(quint32, fields);
        QFETCH(bool, stored);
        QFETCH(QStringList, written);
        setPersonOptions(QByteArray());
        CupsSpooler spooler;
        QCOMPARE(
            spooler.storeDefaults(cups_.queueName(), PrinterDefaults{orientation, duplex, paper}, fields),
            stored);
        QStringList options;
        for (const QByteArray& line : readAll(lpoptions_).split('\n'))
            if (line.startsWith("Default kalimo-test ") || line.startsWith("Dest kalimo-test "))
                options = QString::fromUtf8(line).split(' ').mid(2);
        options.sort();
        QCOMPARE(options, written);
    }

    void unknownPrinterRefused() {
        setPersonOptions(QByteArray());
        CupsSpooler spooler;
        QVERIFY(!spooler.storeDefaults(QStringLiteral("fantome"), PrinterDefaults{2, 1, 1}, 0x1001));
        QVERIFY(!spooler.storeDefaults(QString(), PrinterDefaults{2, 1, 1}, 0x1001));
        QVERIFY(!QFile::exists(lpoptions_));
    }

    // A spooler that takes the connection and never answers: every call gives up with
    // nothing instead of holding the window.
    void silentSpooler_data() {
        QTest::addColumn<QString>("call");
        QTest::newRow("printers") << "printers";
        QTest::newRow("default printer") << "defaultPrinter";
        QTest::newRow("stored defaults") << "storedDefaults";
        QTest::newRow("store") << "storeDefaults";
    }
    void silentSpooler() {
        QFETCH(QString, call);
        QTemporaryDir dir;
        const QString socketPath = dir.filePath(QStringLiteral("silent.sock"));
        const SilentSocket silent(socketPath);
        QVERIFY(silent.isListening());
        const QByteArray server = qgetenv("CUPS_SERVER");
        qputenv("CUPS_SERVER", QFile::encodeName(socketPath));
        cupsSetServer(nullptr);
        const QByteArray before = readAll(lpoptions_);

        CupsSpooler spooler(CupsSpooler::Limits{300, 300});
        if (call == "printers")
            QVERIFY(spooler.printers().isEmpty());
        else if (call == "defaultPrinter")
            QVERIFY(spooler.defaultPrinter().isEmpty());
        else if (call == "storedDefaults")
            QVERIFY(!spooler.storedDefaults(cups_.queueName()));
        else
            QVERIFY(!spooler.storeDefaults(cups_.queueName(), PrinterDefaults{2, 1, 1}, 0x1001));

        qputenv("CUPS_SERVER", server);
        cupsSetServer(nullptr);
        QCOMPARE(readAll(lpoptions_), before);
    }
};

QTEST_MAIN(CupsSpoolerTest)
#include "tst_cupsspooler.moc"
