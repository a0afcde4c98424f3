#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "print/orientation/OrImp.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QtTest>

namespace {

// The in-memory spooler, able to refuse a store and noting what the procedures ask of it.
class ScriptedSpooler : public FakeSpooler {
public:
    bool storeDefaults(const QString& name, const PrinterDefaults& d, quint32 fields) override {
        cursorsAtStore << (QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape()
                                                             : -1);
        if (refuseStore) {
            stores.append({name, fields});
            return false;
        }
        return FakeSpooler::storeDefaults(name, d, fields);
    }
    void setCurrentPrinter(const QString& name) override {
        picks << name;
        FakeSpooler::setCurrentPrinter(name);
    }
    bool refuseStore = false;
    QStringList picks;
    QList<int> cursorsAtStore;
};

// A spooler with the printers named: listed ones are installed, stored ones have
// defaults (orientation as given, two-sided, paper unknown), the first listed or stored
// one is the default printer.
void fill(ScriptedSpooler& spooler, const QStringList& listed, const QStringList& stored, int orientation) {
    spooler.order = listed;
    for (const QString& name : stored)
        spooler.defaults[name] = PrinterDefaults{orientation, 2, 0};
    spooler.defaultName = stored.value(0, listed.value(0));
}

} // namespace

class OrImpTest : public QObject {
    Q_OBJECT
private slots:
    void setOrientation_data() {
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<bool>("down");
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("storeCalls");
        QTest::addColumn<QStringList>("picks");

        const QStringList one{"Bureau"};
        QTest::newRow("portrait to landscape") << one << one << 1 << 2 << false << false << true << 1 << one;
        QTest::newRow("landscape to portrait") << one << one << 2 << 1 << false << false << true << 1 << one;
        QTest::newRow("already in force") << one << one << 2 << 2 << false << false << true << 1 << one;
        QTest::newRow("picked by exact name") << QStringList{"bureau", "Bureau 2", "Bureau", "Bureau"} << one
                                              << 1 << 2 << false << false << true << 1 << one;
        QTest::newRow("printer gone from the list") << QStringList{"bureau", "Atelier"} << one << 1 << 2
                                                    << false << false << true << 1 << QStringList{};
        QTest::newRow("no printer") << QStringList{} << QStringList{} << 0 << 2 << false << false << false
                                    << 0 << QStringList{};
        QTest::newRow("printer without stored settings")
            << one << QStringList{} << 0 << 2 << false << false << false << 0 << QStringList{};
        QTest::newRow("spooler down") << one << one << 1 << 2 << true << false << false << 0 << QStringList{};
        QTest::newRow("store refused")
            << one << one << 1 << 2 << false << true << false << 1 << QStringList{};
    }
    void setOrientation() {
        QFETCH(QStringList, listed);
        QFETCH(QStringList, stored);
        QFETCH(int, before);
        QFETCH(int, orientation);
        QFETCH(bool, down);
        QFETCH(bool, refuse);
        QFETCH(bool, changed);
        QFETCH(int, storeCalls);
        QFETCH(QStringList, picks);

        ScriptedSpooler spooler;
        fill(spooler, listed, stored, before);
        spooler.refuseStore = refuse;
        spooler.down = down;
        const auto storedBefore = spooler.defaults;

        const qint32 duplex = 1;
        const qint16 code = static_cast<qint16>(orientation);
        QCOMPARE(OrImp::SetOrientation(spooler, duplex, code), changed);

        QCOMPARE(spooler.stores.size(), storeCalls);
        for (const auto& store : std::as_const(spooler.stores)) {
            QCOMPARE(store.first, QStringLiteral("Bureau"));
            QCOMPARE(store.second, quint32(0x1001));
        }
        QCOMPARE(spooler.picks, picks);
        if (changed) {
            const PrinterDefaults after = spooler.defaults.value("Bureau");
            QCOMPARE(after.orientation, orientation);
            QCOMPARE(after.duplex, 1);
            QCOMPARE(after.paperSize, 0);
        } else {
            // Nothing the spooler holds has moved.
            QCOMPARE(spooler.defaults.keys(), storedBefore.keys());
            for (const QString& name : storedBefore.keys()) {
                QCOMPARE(spooler.defaults[name].orientation, storedBefore[name].orientation);
                QCOMPARE(spooler.defaults[name].duplex, storedBefore[name].duplex);
            }
        }
    }

    // Stored without the paper member: the person's paper stays, whatever it is.
    void setPaperSizeKeepsThePaper_data() {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("paper");
        QTest::newRow("portrait, other paper") << 1 << 0;
        QTest::newRow("landscape, other paper") << 2 << 0;
        QTest::newRow("landscape, the program's paper") << 2 << 1;
    }
    void setPaperSizeKeepsThePaper() {
        QFETCH(int, orientation);
        QFETCH(int, paper);
        ScriptedSpooler spooler;
        fill(spooler, {"Bureau"}, {"Bureau"}, orientation);
        spooler.defaults["Bureau"].paperSize = paper;

        const qint32 duplex = 1;
        const qint16 paperCode = 1;
        QVERIFY(OrImp::SetPaperSize(spooler, duplex, paperCode));

        const PrinterDefaults after = spooler.defaults.value("Bureau");
        QCOMPARE(after.paperSize, paper);
        QCOMPARE(after.orientation, orientation);
        QCOMPARE(after.duplex, 1);
        QCOMPARE(spooler.stores.size(), 1);
        QVERIFY(!(spooler.stores.first().second & PrinterField::PaperSize));
    }

    // The two menu entries, through the window.
    void menuEntries_data() {
        QTest::addColumn<QStringList>("printers");
        QTest::addColumn<int>("before");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("downAfterStart");
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("portraitChecked");
        QTest::addColumn<bool>("landscapeChecked");
        QTest::addColumn<int>("storedAfter");

        const QStringList one{"Bureau"};
        const QString portrait = QStringLiteral("En cours : Portrait");
        const QString landscape = QStringLiteral("En cours : Paysage");
        QTest::newRow("landscape chosen")
            << one << 1 << "Mnu_ImpPays" << false << false << landscape << false << true << 2;
        QTest::newRow("portrait chosen")
            << one << 2 << "Mnu_ImpPort" << false << false << portrait << true << false << 1;
        QTest::newRow("landscape again")
            << one << 2 << "Mnu_ImpPays" << false << false << landscape << false << true << 2;
        QTest::newRow("no printer") << QStringList{} << 0 << "Mnu_ImpPays" << false << false << portrait
                                    << false << false << 0;
        QTest::newRow("spooler gone down")
            << one << 2 << "Mnu_ImpPort" << true << false << landscape << false << true << 2;
        QTest::newRow("store refused")
            << one << 2 << "Mnu_ImpPort" << false << true << landscape << false << true << 2;
    }
    void menuEntries() {
        QFETCH(QStringList, printers);
        QFETCH(int, before);
        QFETCH(QString, entry);
        QFETCH(bool, downAfterStart);
        QFETCH(bool, refuse);
        QFETCH(QString, label);
        QFETCH(bool, portraitChecked);
        QFETCH(bool, landscapeChecked);
        QFETCH(int, storedAfter);

        TestPlatform tp;
        auto owned = std::make_unique<ScriptedSpooler>();
        ScriptedSpooler& spooler = *owned;
        tp.platform.spooler = std::move(owned);
        fill(spooler, printers, printers, before);
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        spooler.down = downAfterStart;
        spooler.refuseStore = refuse;

        auto* action = w.findChild<QAction*>(entry);
        QVERIFY(action);
        action->trigger();

        QCOMPARE(w.findChild<QLabel*>("Label6")->text(), label);
        QCOMPARE(w.findChild<QAction*>("Mnu_ImpPort")->isChecked(), portraitChecked);
        QCOMPARE(w.findChild<QAction*>("Mnu_ImpPays")->isChecked(), landscapeChecked);
        QCOMPARE(spooler.defaults.value("Bureau").orientation, storedAfter);
        QVERIFY(tp.messages->shown.isEmpty());
        // The hourglass while the spooler works, the normal pointer after.
        for (int shape : std::as_const(spooler.cursorsAtStore))
            QCOMPARE(shape, int(Qt::WaitCursor));
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
        TestPlatform tp;
        tp.spooler->addPrinter("Bureau", 1);
        tp.spooler->addPrinter("Atelier", 2, false);
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        QCOMPARE(w.Label6->text(), QStringLiteral("En cours : Portrait"));

        tp.dialogs->printerSetupAnswer = accepted;
        tp.dialogs->onPrinterSetup = [&] { tp.spooler->setCurrentPrinter("Atelier"); };
        w.findChild<QAction*>("Mnu_ConfigImp")->trigger();

        QCOMPARE(tp.dialogs->printerSetups, 1);
        QCOMPARE(w.Label6->text(), QStringLiteral("En cours : Paysage"));
        QVERIFY(!w.Mnu_ImpPort->isChecked());
        QVERIFY(w.Mnu_ImpPays->isChecked());
    }
};

QTEST_MAIN(OrImpTest)
#include "tst_orimp.moc"
