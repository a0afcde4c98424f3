#include "PrivateCups.h"
#include "TestPlatform.h"
#include "platform/CupsSpooler.h"
#include "platform/QtChoiceDialogs.h"
#include "print/orientation/PrinterSetup.h"
#include "print/orientation/PrinterSetupDialog.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

// The printer set-up dialog: the queues as the spooler lists them, the chosen printer's
// orientation stored as the two orientation entries store it, OK and Annuler.
namespace {

// Drives the dialog once it shows: pick the printer, pick the orientation, press a button.
void driveDialog(const QString& printer, const QString& orientation, const QString& button, QStringList* rows,
                 QString* trouble) {
    QTimer::singleShot(0, [=] {
        auto* d = qobject_cast<PrinterSetupDialog*>(QApplication::activeModalWidget());
        if (!d)
            return;
        auto* list = d->findChild<QTreeWidget*>(QStringLiteral("Imprimantes"));
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = list->topLevelItem(i);
            *rows << item->text(0) + "|" + item->text(1) + "|" + item->text(2);
            if (item->data(0, Qt::UserRole).toString() == printer)
                list->setCurrentItem(item);
        }
        auto* label = d->findChild<QLabel*>(QStringLiteral("Probleme"));
        *trouble = label->isVisible() ? label->text() : QString();
        if (!orientation.isEmpty())
            d->findChild<QRadioButton*>(orientation)->click();
        auto* pressed = d->findChild<QPushButton*>(button);
        if (pressed->isEnabled())
            pressed->click();
        if (d->isVisible())
            d->reject(); // what a person does once OK refuses
    });
}

} // namespace

class TestPrinterSetupDialog : public QObject {
    Q_OBJECT
private slots:
    void withTheSpoolerDouble_data() {
        QTest::addColumn<QString>("setup"); // down, refusing
        QTest::addColumn<QString>("printer");
        QTest::addColumn<QString>("orientation");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QList<int>>("stored"); // orientation of bureau, atelier
        QTest::addColumn<int>("stores");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("trouble");
        const QStringList rows{"bureau (par défaut)|Prête|Couloir", "atelier|Prête|"};
        QTest::newRow("other printer, landscape")
            << ""
            << "atelier"
            << "Paysage"
            << "OK" << true << "atelier" << QList<int>{1, 2} << 2 << rows << "";
        QTest::newRow("same orientation: nothing stored")
            << ""
            << "atelier"
            << "Portrait"
            << "OK" << true << "atelier" << QList<int>{1, 1} << 0 << rows << "";
        QTest::newRow("default printer to landscape")
            << ""
            << "bureau"
            << "Paysage"
            << "OK" << true << "bureau" << QList<int>{2, 1} << 2 << rows << "";
        QTest::newRow("cancelled") << ""
                                   << "atelier"
                                   << "Paysage"
                                   << "Annuler" << false << "" << QList<int>{1, 1} << 0 << rows << "";
        QTest::newRow("stopped and refusing queues listed")
            << "states"
            << "atelier"
            << ""
            << "OK" << true << "atelier" << QList<int>{1, 1} << 0
            << QStringList{"bureau (par défaut)|Arrêtée|Couloir", "atelier|Refuse les travaux|"} << "";
        QTest::newRow("server down") << "down"
                                     << ""
                                     << ""
                                     << "OK" << false << "" << QList<int>{1, 1} << 0 << QStringList{}
                                     << "Le serveur d'impression ne répond pas : vérifiez que le service "
                                        "d'impression (CUPS) est démarré.";
        QTest::newRow("store refused") << "refuse stores"
                                       << "atelier"
                                       << "Paysage"
                                       << "OK" << false << "atelier" << QList<int>{1, 1} << 0 << rows << "";
    }

    void withTheSpoolerDouble() {
        QFETCH(QString, setup);
        QFETCH(QString, printer);
        QFETCH(QString, orientation);
        QFETCH(QString, button);
        QFETCH(bool, accepted);
        QFETCH(QString, current);
        QFETCH(QList<int>, stored);
        QFETCH(int, stores);
        QFETCH(QStringList, rows);
        QFETCH(QString, trouble);
        // A spooler double with two queues, the default one in the corridor.
        struct Spooler : FakeSpooler {
            bool refuseStores = false;
            QList<QueueStatus> queues() override {
                QList<QueueStatus> out = FakeSpooler::queues();
                if (down)
                    return {QueueStatus{SpoolTrouble::ServerUnreachable, {}, {}, {}, true, false, false, {}}};
                for (QueueStatus& q : out)
                    if (q.name == QLatin1String("bureau"))
                        q.location = QStringLiteral("Couloir");
                return out;
            }
            bool storeDefaults(const QString& name, const PrinterDefaults& d, quint32 fields) override {
                return !refuseStores && FakeSpooler::storeDefaults(name, d, fields);
            }
        } spooler;
        spooler.addPrinter(QStringLiteral("bureau"));
        spooler.addPrinter(QStringLiteral("atelier"), 1, false);
        spooler.down = setup == QLatin1String("down");
        spooler.refuseStores = setup == QLatin1String("refuse stores");
        if (setup == QLatin1String("states")) {
            spooler.queueStates["bureau"] = {SpoolTrouble::None, "bureau", {}, {}, true, true, false, {}};
            spooler.queueStates["atelier"] = {SpoolTrouble::None, "atelier", {}, {}, false, false, false, {}};
        }
        QStringList seen;
        QString shownTrouble;
        driveDialog(printer, orientation, button, &seen, &shownTrouble);
        QtChoiceDialogs dialogs(spooler);
        QCOMPARE(dialogs.printerSetup(), accepted);
        QCOMPARE(seen, rows);
        QCOMPARE(shownTrouble, trouble);
        QCOMPARE(spooler.current, current);
        QCOMPARE(
            (QList<int>{spooler.defaults["bureau"].orientation, spooler.defaults["atelier"].orientation}),
            stored);
        QCOMPARE(int(spooler.stores.size()), stores);
    }

    // The real spooler and the project's test printer description, which has no
    // *LanguageEncoding: choose it, landscape, OK; the choice is in the person's defaults.
    void withAPrivateServer() {
        if (!PrivateCups::installed())
            QSKIP("cupsd is not installed (scripts/setup installs cups-daemon)");
        PrivateCups cups;
        QString error;
        QVERIFY2(cups.start(&error), qPrintable(error));
        CupsSpooler spooler;
        QStringList rows;
        QString trouble;
        driveDialog(cups.queueName(), QStringLiteral("Paysage"), QStringLiteral("OK"), &rows, &trouble);
        QtChoiceDialogs dialogs(spooler);
        QVERIFY(dialogs.printerSetup());
        QCOMPARE(rows, QStringList{"kalimo-test (par défaut)|Prête|"});
        QCOMPARE(trouble, QString());
        QCOMPARE(spooler.currentPrinter(), cups.queueName());
        QCOMPARE(spooler.storedDefaults(cups.queueName())->orientation, 2);
        // And back to portrait, through the same dialog.
        driveDialog(cups.queueName(), QStringLiteral("Portrait"), QStringLiteral("OK"), &rows, &trouble);
        QVERIFY(dialogs.printerSetup());
        QCOMPARE(spooler.storedDefaults(cups.queueName())->orientation, 1);
    }
};

QTEST_MAIN(TestPrinterSetupDialog)
#include "tst_printersetupdialog.moc"
