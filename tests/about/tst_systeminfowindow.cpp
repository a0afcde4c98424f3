// "Système Info..." on a system without a system-information tool: the program's own window, from
// what the platform reports.
#include "TestPlatform.h"
#include "about/SystemInfoWindow.h"
#include "about/SystemSummary.h"
#include "about/frmAbout.h"
#include "platform/LinuxRegistry.h"

#include <QClipboard>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

// The window's list as "label: value" lines, a group's later values under an empty label.
QStringList shown(const QTreeWidget* list) {
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(0) + ": " + list->topLevelItem(i)->text(1);
    return out;
}

} // namespace

class SystemInfoWindowTest : public QObject {
    Q_OBJECT
private slots:
    // Installed programs on the PATH, and what a click on "Système Info..." then does.
    void toolOrWindow_data() {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("started"); // empty: the program's own window
        QTest::newRow("bare system") << QStringList{} << QString();
        QTest::newRow("process monitors only")
            << QStringList{"gnome-system-monitor", "xfce4-taskmanager", "mate-system-monitor"} << QString();
        QTest::newRow("hardinfo") << QStringList{"xfce4-taskmanager", "hardinfo"} << "/usr/bin/hardinfo";
        QTest::newRow("hardinfo2") << QStringList{"hardinfo2"} << "/usr/bin/hardinfo2";
        QTest::newRow("KDE's centre")
            << QStringList{"kinfocenter", "gnome-system-monitor"} << "/usr/bin/kinfocenter";
        QTest::newRow("tool that does not start") << QStringList{"hardinfo!"} << QString();
    }
    void toolOrWindow() {
        QFETCH(QStringList, installed);
        QFETCH(QString, started);
        TestPlatform tp;
        auto* shell = tp.shell;
        for (QString name : installed) {
            const bool startable = !name.endsWith('!');
            name.remove('!');
            shell->programs.insert(name, "/usr/bin/" + name);
            if (startable)
                shell->startable << "/usr/bin/" + name;
        }
        tp.platform.registry = std::make_unique<LinuxRegistry>(*shell);
        frmAbout box(tp.platform);
        QTest::mouseClick(box.cmdSysInfo, Qt::LeftButton);
        auto* window = box.findChild<SystemInfoWindow*>();
        QCOMPARE(window != nullptr, started.isEmpty());
        QCOMPARE(shell->started.value(shell->started.size() - 1),
                 started.isEmpty() ? shell->started.value(0) : started);
        if (started.isEmpty() && !shell->started.isEmpty())
            QCOMPARE(shell->started, QStringList{"/usr/bin/hardinfo"}); // it was tried, then the window came
        QVERIFY(tp.messages->shown.isEmpty());
        if (window) {
            QVERIFY(window->isVisible() && window->isModal());
            QCOMPARE(window->windowTitle(), QStringLiteral("Informations système"));
        }
    }

    // The window's content, from the test platform's system, spooler and fonts.
    void content_data() {
        QTest::addColumn<QStringList>("printers"); // the first one is the default
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("timesFace"); // empty: the family itself
        QTest::addColumn<QStringList>("lines");
        const QString qt = QStringLiteral("Qt: version ") + qVersion();
        const QStringList head{"Kalimo: version 1.4.0",
                               "Système: Debian GNU/Linux 12 (bookworm), noyau linux 6.1.0 (x86_64)", qt};
        const QStringList fonts{"Polices: Arial → Liberation Sans", ": Times New Roman → Liberation Serif",
                                ": Courier New → Liberation Mono"};
        QTest::newRow("two printers") << QStringList{"Bureau", "Atelier"} << "/run/cups/cups.sock"
                                      << "Liberation Serif"
                                      << head +
                                             QStringList{"Serveur CUPS: /run/cups/cups.sock",
                                                         "Imprimantes: Bureau (par défaut)", ": Atelier"} +
                                             fonts;
        QTest::newRow("no printer, server unknown")
            << QStringList{} << ""
            << "Liberation Serif"
            << head + QStringList{"Serveur CUPS: inconnu", "Imprimantes: aucune imprimante installée"} +
                   fonts;
        QStringList other = fonts;
        other[1] = ": Times New Roman → DejaVu Serif";
        QTest::newRow("remote server, another face")
            << QStringList{"Salle 2"} << "impressions.example.org:631"
            << "DejaVu Serif"
            << head +
                   QStringList{"Serveur CUPS: impressions.example.org:631",
                               "Imprimantes: Salle 2 (par défaut)"} +
                   other;
    }
    void content() {
        QFETCH(QStringList, printers);
        QFETCH(QString, server);
        QFETCH(QString, timesFace);
        QFETCH(QStringList, lines);
        TestPlatform tp;
        for (int i = 0; i < printers.size(); ++i)
            tp.spooler->addPrinter(printers[i], 1, i == 0);
        tp.spooler->server = server;
        tp.environment->fonts["Times New Roman"] = timesFace;
        frmAbout box(tp.platform);
        QTest::mouseClick(box.cmdSysInfo, Qt::LeftButton);
        auto* window = box.findChild<SystemInfoWindow*>();
        QVERIFY(window);
        QCOMPARE(shown(window->List), lines);
        // "Copier" puts the same facts on the clipboard, one label a line.
        QGuiApplication::clipboard()->clear();
        QTest::mouseClick(window->cmdCopier, Qt::LeftButton);
        const QString copied = QGuiApplication::clipboard()->text();
        QCOMPARE(copied, summaryText(systemSummary(*tp.environment, *tp.spooler)));
        QVERIFY(copied.contains("Imprimantes : ") && copied.endsWith('\n'));
        QCOMPARE(copied.count('\n'), 6);
        // "Fermer" closes the window and leaves the About box.
        QTest::mouseClick(window->cmdFermer, Qt::LeftButton);
        QVERIFY(!window->isVisible());
    }
};

QTEST_MAIN(SystemInfoWindowTest)
#include "tst_systeminfowindow.moc"
