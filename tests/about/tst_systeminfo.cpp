// Reading registry values and finding the system-information tool, over the test registry.
#include "TestPlatform.h"
#include "about/SystemInfo.h"
#include "platform/LinuxRegistry.h"

#include <QtTest>

namespace {
const QString InfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString LocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

template <typename... Values> void row(const char* tag, const Values&... values) {
    (QTest::newRow(tag) << ... << values);
}
} // namespace

class TestSystemInfo : public QObject {
    Q_OBJECT
private slots:
    void getKeyValue_data();
    void getKeyValue();
    void getKeyValueClosesWhatItOpened();
    void startSysInfo_data();
    void startSysInfo();
    void linuxRegistry();
};

void TestSystemInfo::getKeyValue_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<quint32>("type");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QString>("expected");

    const quint32 text = RegistryType::String;
    const quint32 dword = RegistryType::DoubleWord;
    row("string with its code 0", InfoKey, text, QByteArray("/usr/bin/hardinfo\0", 18), true,
        "/usr/bin/hardinfo");
    row("string without code 0", InfoKey, text, QByteArray("/usr/bin/hardinfo"), true, "/usr/bin/hardinfo");
    row("only the last 0 goes", InfoKey, text, QByteArray("ab\0\0", 4), true, QString::fromLatin1("ab\0", 3));
    row("empty string", InfoKey, text, QByteArray("\0", 1), true, "");
    row("no bytes at all", InfoKey, text, QByteArray(), true, "");
    row("string filling the buffer", InfoKey, text, QByteArray(1024, 'x'), true, QString(1024, 'x'));
    row("string longer than the buffer", InfoKey, text, QByteArray(1025, 'x'), false, "");
    row("double word: last byte first, high 0 dropped", InfoKey, dword, QByteArray("\x05\x2a\x01\x00", 4),
        true, "&h12A5");
    row("double word, every byte set", InfoKey, dword, QByteArray("\x78\x56\x34\x12", 4), true, "&h12345678");
    row("double word one", InfoKey, dword, QByteArray("\x01\x00\x00\x00", 4), true, "&h001");
    row("unknown type: value left as it was", InfoKey, quint32(3), QByteArray("\x01\x02", 2), true, "avant");
    row("missing key", QStringLiteral("SOFTWARE\\Autre"), text, QByteArray("x"), false, "");
}

void TestSystemInfo::getKeyValue() {
    QFETCH(QString, key);
    QFETCH(quint32, type);
    QFETCH(QByteArray, stored);
    QFETCH(bool, read);
    QFETCH(QString, expected);

    FakeRegistry registry;
    registry.setValue(InfoKey, QStringLiteral("PATH"), type, stored);
    QString value = QStringLiteral("avant");
    QCOMPARE(GetKeyValue(registry, RegistryRoot::LocalMachine, key, "PATH", value), read);
    QCOMPARE(value, expected);
    QCOMPARE(registry.opened, QStringList{key});
    QCOMPARE(registry.accessMasks, QList<quint32>{0x2003F});
}

void TestSystemInfo::getKeyValueClosesWhatItOpened() {
    FakeRegistry registry;
    registry.setValue(InfoKey, QStringLiteral("PATH"), RegistryType::String, "x");
    QString value;
    QVERIFY(GetKeyValue(registry, RegistryRoot::LocalMachine, InfoKey, QStringLiteral("PATH"), value));
    // A missing value reads nothing, as a missing key does.
    QVERIFY(!GetKeyValue(registry, RegistryRoot::LocalMachine, InfoKey, QStringLiteral("AUTRE"), value));
    QCOMPARE(value, QString());
    QVERIFY(!GetKeyValue(registry, RegistryRoot::LocalMachine, LocationKey, QStringLiteral("MSINFO"), value));
    // Both opened handles are closed; a key that did not open closes the empty handle.
    QCOMPARE(registry.closed, (QList<quintptr>{100, 101, 0}));
}

void TestSystemInfo::startSysInfo_data() {
    QTest::addColumn<QString>("firstValue");  // empty: no such value
    QTest::addColumn<QString>("secondValue"); // empty: no such value
    QTest::addColumn<QStringList>("onDisk");
    QTest::addColumn<QStringList>("started");
    QTest::addColumn<bool>("message");

    const QString tool = QStringLiteral("/usr/bin/hardinfo");
    const QString folder = QStringLiteral("C:\\Outils");
    const QString inFolder = folder + QStringLiteral("\\MSINFO32.EXE");
    row("first value names a program that starts", tool, folder, QStringList{tool}, QStringList{tool}, false);
    row("first value names no program: the second is never read", "/usr/bin/absent", folder,
        QStringList{inFolder}, QStringList{"/usr/bin/absent"}, true);
    row("second value with the tool in its folder", "", folder, QStringList{inFolder}, QStringList{inFolder},
        false);
    row("second value without the tool in its folder", "", folder, QStringList{}, QStringList{}, true);
    row("neither value", "", "", QStringList{tool}, QStringList{}, true);
}

void TestSystemInfo::startSysInfo() {
    QFETCH(QString, firstValue);
    QFETCH(QString, secondValue);
    QFETCH(QStringList, onDisk);
    QFETCH(QStringList, started);
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
    // The second key is read only when the first names nothing.
    const QStringList keys = firstValue.isEmpty() ? QStringList{InfoKey, LocationKey} : QStringList{InfoKey};
    QCOMPARE(tp.registry->opened, keys);
    const MessageRequest box{"Information Systeme introuvable !", "Kalimo", MsgButtons::Ok, MsgIcon::None, 1};
    QCOMPARE(tp.messages->shown, message ? QList<MessageRequest>{box} : QList<MessageRequest>{});
}

void TestSystemInfo::linuxRegistry() {
    // What the stand-in answers with these programs on the PATH; "unread:" when it answers nothing.
    auto answer = [](const QStringList& installed, const QString& key, const QString& valueName) {
        FakeShell shell;
        for (const QString& name : installed)
            shell.programs.insert(name, QStringLiteral("/usr/bin/") + name);
        LinuxRegistry registry(shell);
        QString value = QStringLiteral("avant");
        const bool read = GetKeyValue(registry, RegistryRoot::LocalMachine, key, valueName, value);
        return (read ? QString() : QStringLiteral("unread:")) + value;
    };
    // The first program of the list wins; a later one when the first is missing.
    QCOMPARE(answer({"kinfocenter", "hardinfo"}, InfoKey, "PATH"), QStringLiteral("/usr/bin/hardinfo"));
    QCOMPARE(answer({"gnome-system-monitor"}, InfoKey, "PATH"),
             QStringLiteral("/usr/bin/gnome-system-monitor"));
    QCOMPARE(answer({}, InfoKey, "PATH"), QStringLiteral("unread:"));
    // Nothing but the first key's "PATH" is answered.
    QCOMPARE(answer({"hardinfo"}, LocationKey, "MSINFO"), QStringLiteral("unread:"));
    QCOMPARE(answer({"hardinfo"}, InfoKey, "MSINFO"), QStringLiteral("unread:"));
}

QTEST_GUILESS_MAIN(TestSystemInfo)
#include "tst_systeminfo.moc"
