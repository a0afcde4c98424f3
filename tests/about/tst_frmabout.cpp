// The About box, registry values and the system-information tool, over the test doubles.
#include "TestPlatform.h"
#include "about/LinkLabel.h"
#include "about/SystemInfo.h"
#include "about/frmAbout.h"
#include "generated/BuildInfo.h"
#include "platform/LinuxRegistry.h"

#include <QPushButton>
#include <QtTest>

namespace {
const QString InfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString LocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString Site = QString::fromUtf8(buildinfo::makerSite);
const QString Mail = QString::fromUtf8(buildinfo::makerMail);

template <typename... Values> void row(const char* tag, const Values&... values) {
    (QTest::newRow(tag) << ... << values);
}
} // namespace

class TestFrmAbout : public QObject {
    Q_OBJECT
private slots:
    void linksDetailsAndMissingTool();
    void registry_data();
    void registry();
};

void TestFrmAbout::linksDetailsAndMissingTool() {
    TestPlatform tp;
    frmAbout box(tp.platform);
    for (QWidget* link : {box.Label3, box.lblDisclaimer, box.Image2}) {
        QTest::mouseClick(link, Qt::LeftButton);
        QTest::mouseClick(link, Qt::RightButton); // opens nothing
    }
    QCOMPARE(tp.shell->urls, (QStringList{Site, QString::fromUtf8(buildinfo::makerDonation)}));
    QCOMPARE(tp.shell->mails, QStringList{"mailto:" + Mail});
    QTest::mouseClick(box.Command1, Qt::LeftButton);
    QTest::mouseClick(box.cmdSysInfo, Qt::LeftButton); // the test registry names no tool: no message
    const QString details = QStringLiteral("Kalimo version 1.4.0 - Création de cartes de visite\r\r") +
                            "Les contributeurs de Kalimo\rE-Mail : " + Mail + "\rUrl : " + Site + "\r";
    QCOMPARE(tp.messages->shown,
             (QList<MessageRequest>{{details, "A propos", MsgButtons::Ok, MsgIcon::Information, 1}}));
}

void TestFrmAbout::registry_data() {
    QTest::addColumn<QString>("actual"); // "unread:" first when GetKeyValue answers false
    QTest::addColumn<QString>("expected");
    const auto read = [](quint32 type, const QByteArray& stored, const QString& key = InfoKey) {
        FakeRegistry registry;
        registry.setValue(InfoKey, "PATH", type, stored);
        QString value = QStringLiteral("avant");
        const bool ok = GetKeyValue(registry, RegistryRoot::LocalMachine, key, "PATH", value);
        // The key opens with the access asked for and is closed, the empty handle when it did not open.
        const bool tidy = registry.accessMasks == QList<quint32>{0x2003F} &&
                          registry.closed == QList<quintptr>{key == InfoKey ? 100u : 0u};
        return (ok ? "" : "unread:") + value + (tidy ? "" : " (handle)");
    };
    // The stand-in on Linux, with these programs on the PATH.
    const auto standIn = [](const QStringList& installed, const QString& key, const QString& valueName) {
        FakeShell shell;
        for (const QString& name : installed)
            shell.programs.insert(name, "/usr/bin/" + name);
        LinuxRegistry registry(shell);
        QString value;
        return (GetKeyValue(registry, RegistryRoot::LocalMachine, key, valueName, value) ? "" : "unread:") +
               value;
    };
    // What StartSysInfo starts, whether it read the second key and whether it said the tool is missing.
    const auto start = [](const QString& first, const QStringList& onDisk) {
        TestPlatform tp;
        if (!first.isEmpty())
            tp.registry->setValue(InfoKey, "PATH", RegistryType::String, first.toLocal8Bit() + '\0');
        tp.registry->setValue(LocationKey, "MSINFO", RegistryType::String, QByteArray("C:\\Outils\0", 10));
        tp.shell->existing = tp.shell->startable = onDisk;
        const bool started = StartSysInfo(*tp.registry, *tp.shell);
        return tp.shell->started.join(',') + (tp.registry->opened.size() > 1 ? " (second key)" : "") +
               (started ? "" : " (missing)");
    };
    const QString tool = QStringLiteral("/usr/bin/hardinfo");
    const QString inFolder = QStringLiteral("C:\\Outils\\MSINFO32.EXE");
    const quint32 text = RegistryType::String;
    const quint32 dword = RegistryType::DoubleWord;
    row("string with its code 0", read(text, QByteArray("/bin/x\0", 7)), "/bin/x");
    row("string without code 0", read(text, "/bin/x"), "/bin/x");
    row("only the last 0 goes", read(text, QByteArray("ab\0\0", 4)), QString::fromLatin1("ab\0", 3));
    row("string filling the buffer", read(text, QByteArray(1024, 'x')), QString(1024, 'x'));
    row("string longer than the buffer", read(text, QByteArray(1025, 'x')), "unread:");
    row("double word: last byte first, high 0 dropped", read(dword, QByteArray("\x05\x2a\x01\x00", 4)),
        "&h12A5");
    row("double word one", read(dword, QByteArray("\x01\x00\x00\x00", 4)), "&h001");
    row("unknown type: value left as it was", read(3, "\x01\x02"), "avant");
    row("missing key", read(text, "x", "SOFTWARE\\Autre"), "unread:");
    row("Linux: the first program of the list", standIn({"kinfocenter", "hardinfo"}, InfoKey, "PATH"),
        "/usr/bin/hardinfo");
    row("Linux: no program", standIn({}, InfoKey, "PATH"), "unread:");
    row("Linux: no other key", standIn({"hardinfo"}, LocationKey, "MSINFO"), "unread:");
    row("start: the first value's program", start(tool, {tool}), tool);
    row("start: the first value's program fails", start("/bin/non", {inFolder}), "/bin/non (missing)");
    row("start: the tool in the second value's folder", start("", {inFolder}), inFolder + " (second key)");
    row("start: no tool there", start("", {}), " (second key) (missing)");
}

void TestFrmAbout::registry() {
    QFETCH(QString, actual);
    QFETCH(QString, expected);
    QCOMPARE(actual, expected);
}

QTEST_MAIN(TestFrmAbout)
#include "tst_frmabout.moc"
