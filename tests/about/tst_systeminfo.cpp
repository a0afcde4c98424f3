// Reading registry values and finding the system-information tool, over the test registry.
#include "TestPlatform.h"
#include "about/SystemInfo.h"
#include "platform/LinuxRegistry.h"

#include <QtTest>

namespace {
const QString InfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString LocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString NotFound = QStringLiteral("Information Systeme introuvable !");
} // namespace

class TestSystemInfo : public QObject {
    Q_OBJECT
private slots:
    void getKeyValue_data();
    void getKeyValue();
    void getKeyValueClosesWhatItOpened();
    void startSysInfo_data();
    void startSysInfo();
    void linuxRegistry_data();
    void linuxRegistry();
};

void TestSystemInfo::getKeyValue_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("valueName");
    QTest::addColumn<quint32>("type");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QString>("expected");

    const quint32 text = RegistryType::String;
    const quint32 dword = RegistryType::DoubleWord;
    QTest::newRow("string with its trailing code 0")
        << InfoKey << "PATH" << text << QByteArray("/usr/bin/hardinfo\0", 18) << true << "/usr/bin/hardinfo";
    QTest::newRow("string without it keeps every character")
        << InfoKey << "PATH" << text << QByteArray("/usr/bin/hardinfo") << true << "/usr/bin/hardinfo";
    QTest::newRow("only the last code 0 goes")
        << InfoKey << "PATH" << text << QByteArray("ab\0\0", 4) << true << QString::fromLatin1("ab\0", 3);
    QTest::newRow("empty string") << InfoKey << "PATH" << text << QByteArray("\0", 1) << true << "";
    QTest::newRow("no bytes at all") << InfoKey << "PATH" << text << QByteArray() << true << "";
    QTest::newRow("string that fills the whole buffer")
        << InfoKey << "PATH" << text << QByteArray(1024, 'x') << true << QString(1024, QLatin1Char('x'));
    QTest::newRow("string longer than the buffer")
        << InfoKey << "PATH" << text << QByteArray(1025, 'x') << false << "";
    QTest::newRow("double word, high byte 0 dropped, last byte first")
        << InfoKey << "PATH" << dword << QByteArray("\x05\x2a\x01\x00", 4) << true << "&h12A5";
    QTest::newRow("double word with every byte set")
        << InfoKey << "PATH" << dword << QByteArray("\x78\x56\x34\x12", 4) << true << "&h12345678";
    QTest::newRow("double word one") << InfoKey << "PATH" << dword << QByteArray("\x01\x00\x00\x00", 4)
                                     << true << "&h001";
    QTest::newRow("unknown type leaves the value as it was")
        << InfoKey << "PATH" << quint32(3) << QByteArray("\x01\x02", 2) << true << "avant";
    QTest::newRow("missing key") << QStringLiteral("SOFTWARE\\Autre") << "PATH" << text << QByteArray("x")
                                 << false << "";
    QTest::newRow("missing value") << InfoKey << "AUTRE" << text << QByteArray("x") << false << "";
}

void TestSystemInfo::getKeyValue() {
    QFETCH(QString, key);
    QFETCH(QString, valueName);
    QFETCH(quint32, type);
    QFETCH(QByteArray, stored);
    QFETCH(bool, read);
    QFETCH(QString, expected);

    FakeRegistry registry;
    registry.setValue(InfoKey, QStringLiteral("PATH"), type, stored);
    QString value = QStringLiteral("avant");
    const quint32 root = RegistryRoot::LocalMachine;
    QCOMPARE(GetKeyValue(registry, root, key, valueName, value), read);
    QCOMPARE(value, expected);
    QCOMPARE(registry.opened, QStringList{key});
    QCOMPARE(registry.accessMasks, QList<quint32>{0x2003F});
}

void TestSystemInfo::getKeyValueClosesWhatItOpened() {
    FakeRegistry registry;
    registry.setValue(InfoKey, QStringLiteral("PATH"), RegistryType::String, "x");
    QString value;
    QVERIFY(GetKeyValue(registry, RegistryRoot::LocalMachine, InfoKey, QStringLiteral("PATH"), value));
    QVERIFY(!GetKeyValue(registry, RegistryRoot::LocalMachine, InfoKey, QStringLiteral("AUTRE"), value));
    QVERIFY(!GetKeyValue(registry, RegistryRoot::LocalMachine, LocationKey, QStringLiteral("MSINFO"), value));
    // Both opened handles are closed; a key that did not open closes the empty handle.
    QCOMPARE(registry.closed, (QList<quintptr>{100, 101, 0}));
}

void TestSystemInfo::startSysInfo_data() {
    QTest::addColumn<QString>("firstValue");  // empty: no such value
    QTest::addColumn<QString>("secondValue"); // empty: no such value
    QTest::addColumn<QStringList>("onDisk");
    QTest::addColumn<QStringList>("started");
    QTest::addColumn<QStringList>("keysOpened");
    QTest::addColumn<bool>("message");

    const QString tool = QStringLiteral("/usr/bin/hardinfo");
    const QString folder = QStringLiteral("C:\\Outils");
    const QString inFolder = folder + QStringLiteral("\\MSINFO32.EXE");
    QTest::newRow("first value names a program that starts")
        << tool << folder << QStringList{tool} << QStringList{tool} << QStringList{InfoKey} << false;
    QTest::newRow("first value names no program: the second is never read")
        << "/usr/bin/absent" << folder << QStringList{inFolder} << QStringList{"/usr/bin/absent"}
        << QStringList{InfoKey} << true;
    QTest::newRow("second value with the tool in its folder")
        << "" << folder << QStringList{inFolder} << QStringList{inFolder} << QStringList{InfoKey, LocationKey}
        << false;
    QTest::newRow("second value without the tool in its folder")
        << "" << folder << QStringList{} << QStringList{} << QStringList{InfoKey, LocationKey} << true;
    QTest::newRow("neither value") << ""
                                   << "" << QStringList{tool} << QStringList{}
                                   << QStringList{InfoKey, LocationKey} << true;
}

void TestSystemInfo::startSysInfo() {
    QFETCH(QString, firstValue);
    QFETCH(QString, secondValue);
    QFETCH(QStringList, onDisk);
    QFETCH(QStringList, started);
    QFETCH(QStringList, keysOpened);
    QFETCH(bool, message);

    TestPlatform tp;
    if (!firstValue.isEmpty())
        tp.registry->setValue(InfoKey, QStringLiteral("PATH"), RegistryType::String,
                              firstValue.toLocal8Bit() + '\0');
    if (!secondValue.isEmpty())
        tp.registry->setValue(LocationKey, QStringLiteral("MSINFO"), RegistryType::String,
                              secondValue.toLocal8Bit() + '\0');
    tp.shell->existing = onDisk;
    tp.shell->startable = onDisk;

    StartSysInfo(*tp.registry, *tp.shell, *tp.messages);

    QCOMPARE(tp.shell->started, started);
    QCOMPARE(tp.registry->opened, keysOpened);
    if (!message) {
        QVERIFY(tp.messages->shown.isEmpty());
        return;
    }
    QCOMPARE(tp.messages->shown.size(), 1);
    const MessageRequest expected{NotFound, QStringLiteral("Kalimo"), MsgButtons::Ok, MsgIcon::None, 1};
    QCOMPARE(tp.messages->shown.first(), expected);
}

void TestSystemInfo::linuxRegistry_data() {
    QTest::addColumn<QStringList>("installed"); // programs on the PATH
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("valueName");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first program of the list wins")
        << QStringList{"kinfocenter", "hardinfo"} << InfoKey << "PATH" << true << "/usr/bin/hardinfo";
    QTest::newRow("a later one when the first is missing")
        << QStringList{"gnome-system-monitor"} << InfoKey << "PATH" << true
        << "/usr/bin/gnome-system-monitor";
    QTest::newRow("nothing installed") << QStringList{} << InfoKey << "PATH" << false << "";
    QTest::newRow("the second key is not answered")
        << QStringList{"hardinfo"} << LocationKey << "MSINFO" << false << "";
    QTest::newRow("another value of the first key")
        << QStringList{"hardinfo"} << InfoKey << "MSINFO" << false << "";
}

void TestSystemInfo::linuxRegistry() {
    QFETCH(QStringList, installed);
    QFETCH(QString, key);
    QFETCH(QString, valueName);
    QFETCH(bool, read);
    QFETCH(QString, expected);
    FakeShell shell;
    for (const QString& name : installed)
        shell.programs.insert(name, QStringLiteral("/usr/bin/") + name);
    LinuxRegistry registry(shell);
    QString value = QStringLiteral("avant");
    QCOMPARE(GetKeyValue(registry, RegistryRoot::LocalMachine, key, valueName, value), read);
    QCOMPARE(value, expected);
}

QTEST_GUILESS_MAIN(TestSystemInfo)
#include "tst_systeminfo.moc"
