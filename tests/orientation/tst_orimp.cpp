#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "print/orientation/OrImp.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QtTest>

namespace {

// The in-memory spooler with one printer, "Bureau", the current one, and its stored
// defaults (the orientation given, two-sided, paper unknown); noting what the procedures
// ask of it, and failing on demand.
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
        cursorsAtStore << (cursor ? cursor->shape() : -1);
        if (!refuseStore)
            return FakeSpooler::storeDefaults(name, d, fields);
        stores.append({name, fields});
        return false;
    }
    void setCurrentPrinter(const QString& name) override {
        picks << name;
        FakeSpooler::setCurrentPrinter(name);
    }
    bool refuseStore = false;
    QStringList picks;
    QList<int> cursorsAtStore;
};

QString codes(const PrinterDefaults& d) {
    return QStringLiteral("%1 %2 %3").arg(d.orientation).arg(d.duplex).arg(d.paperSize);
}

// Label6 and the checked entries.
QString shown(const Form1& w) {
    QString s = w.Label6->text();
    for (const QAction* entry : {w.Mnu_ImpPort, w.Mnu_ImpPays})
        if (entry->isChecked())
            s += QStringLiteral(" +") + entry->objectName();
    return s;
}

const QString Portrait = QStringLiteral("En cours : Portrait +Mnu_ImpPort");
const QString Landscape = QStringLiteral("En cours : Paysage +Mnu_ImpPays");

} // namespace

class OrImpTest : public QObject {
    Q_OBJECT
private slots:
    void setOrientation_data() {
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("storeCalls");
        QTest::addColumn<QStringList>("picks");
        const QStringList one{"Bureau"};
        QTest::newRow("portrait to landscape") << one << 1 << 2 << "" << 1 << one;
        QTest::newRow("landscape to portrait") << one << 2 << 1 << "" << 1 << one;
        QTest::newRow("already in force") << one << 2 << 2 << "" << 1 << one;
        QTest::newRow("picked by exact name")
            << QStringList{"bureau", "Bureau 2", "Bureau", "Bureau"} << 1 << 2 << "" << 1 << one;
        QTest::newRow("printer gone from the list")
            << QStringList{"bureau", "Atelier"} << 1 << 2 << "" << 1 << QStringList();
        QTest::newRow("no printer") << QStringList() << 1 << 2 << "no printer" << 0 << QStringList();
        QTest::newRow("printer without stored settings")
            << one << 1 << 2 << "no settings" << 0 << QStringList();
        QTest::newRow("spooler down") << one << 1 << 2 << "down" << 0 << QStringList();
        QTest::newRow("store refused") << one << 1 << 2 << "refuse" << 1 << QStringList();
    }
    void setOrientation() {
        QFETCH(QStringList, listed);
        QFETCH(int, before);
        QFETCH(int, orientation);
        QFETCH(QString, fault);
        QFETCH(int, storeCalls);
        QFETCH(QStringList, picks);
        ScriptedSpooler spooler(listed, before, fault);
        const QString was = codes(spooler.defaults.value("Bureau"));

        QCOMPARE(OrImp::SetOrientation(spooler, 1, static_cast<qint16>(orientation)), fault.isEmpty());
        QCOMPARE(spooler.stores, (QList<QPair<QString, quint32>>(storeCalls, {"Bureau", 0x1001})));
        QCOMPARE(spooler.picks, picks);
        // One-sided with the paper as it was after a change; else nothing has moved.
        QCOMPARE(codes(spooler.defaults.value("Bureau")),
                 fault.isEmpty() ? QStringLiteral("%1 1 0").arg(orientation) : was);
    }

    // The two menu entries through the window: both procedures under the hourglass, the
    // person's paper kept, the display from what the spooler holds after.
    void menuEntries_data() {
        QTest::addColumn<int>("before");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("stored"); // orientation, duplex, paper
        QTest::newRow("landscape chosen") << 1 << "Mnu_ImpPays"
                                          << "" << Landscape << "2 1 0";
        QTest::newRow("portrait chosen") << 2 << "Mnu_ImpPort"
                                         << "" << Portrait << "1 1 0";
        QTest::newRow("store refused") << 2 << "Mnu_ImpPort"
                                       << "refuse" << Landscape << "2 2 0";
    }
    void menuEntries() {
        QFETCH(int, before);
        QFETCH(QString, entry);
        QFETCH(QString, fault);
        QFETCH(QString, after);
        QFETCH(QString, stored);
        TestPlatform tp;
        auto owned = std::make_unique<ScriptedSpooler>(QStringList{"Bureau"}, before, fault);
        ScriptedSpooler& spooler = *owned;
        tp.platform.spooler = std::move(owned);
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        w.findChild<QAction*>(entry)->trigger();

        QCOMPARE(shown(w), after);
        QCOMPARE(codes(spooler.defaults.value("Bureau")), stored);
        QCOMPARE(spooler.stores, (QList<QPair<QString, quint32>>(2, {"Bureau", 0x1001})));
        QCOMPARE(spooler.cursorsAtStore, (QList<int>{Qt::WaitCursor, Qt::WaitCursor}));
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(tp.messages->shown.isEmpty());
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
        QCOMPARE(shown(w), Portrait);

        tp.dialogs->printerSetupAnswer = accepted;
        tp.dialogs->onPrinterSetup = [&] { tp.spooler->setCurrentPrinter("Atelier"); };
        w.Mnu_ConfigImp->trigger();
        QCOMPARE(tp.dialogs->printerSetups, 1);
        QCOMPARE(shown(w), Landscape);
    }
};

QTEST_MAIN(OrImpTest)
#include "tst_orimp.moc"
