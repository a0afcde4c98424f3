#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "setup/Form2.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

struct Window {
    TestPlatform tp;
    Module1 m;
    Form1 w{m, tp.platform};
    int dialogs = 0;
    Window() { w.Form_Load(); }
    // Clicks these controls of the set-up dialog once it shows ("close": its close box).
    void onSetupDialog(const QStringList& clicks) {
        QTimer::singleShot(0, &w, [this, clicks] {
            auto* d = qobject_cast<Form2*>(QApplication::activeModalWidget());
            dialogs += d ? 1 : 0;
            for (const QString& name : clicks)
                if (d && name == QLatin1String("close"))
                    d->close();
                else if (d)
                    QTest::mouseClick(d->findChild<QWidget*>(name), Qt::LeftButton);
        });
    }
};

class TestPrintCommand : public QObject {
    Q_OBJECT
private slots:
    void throughTheSetupDialog_data() {
        QTest::addColumn<int>("entry"); // 0: the menu, 1: Command5, 2: toolbar button 5
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<int>("trouble"); // 1: a zone of 16 lines; 2: the printer fails, KillDoc too
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("shown"); // "title: the prompt's start" of each message
        QTest::addColumn<QString>("logos");     // where the logo is printed
        const auto row = [](const char* name, int entry, const char* clicks, int trouble, bool yes,
                            const QStringList& shown, const char* logos = "") {
            QTest::newRow(name) << entry << QString::fromUtf8(clicks) << trouble << yes << shown
                                << QString::fromUtf8(logos);
        };
        const QString page = QStringLiteral(
            "Impression de 10 cartes : Confirmer l'impression d'une page de 10 cartes identiques");
        row("page", 0, "Command1", 0, true, {page},
            "5, 0|90, 0|5, 54|90, 54|5, 108|90, 108|5, 162|90, 162|5, 216|90, 216");
        row("card 3, no", 1, "Option2 Label3 Command1", 0, false,
            {"Impression de la carte N°  3: Confirmer l'impression de la carte N°  3"});
        row("card 10, close box", 2, "Option2 Label10 close", 0, true,
            {"Impression de la carte N°  10: Confirmer l'impression de la carte N°  10"}, "90, 216");
        row("cancelled", 0, "Option2 Label4 Command2", 0, true, {});
        row("single card, no position", 0, "Option2 close", 0, true,
            {"Impression: Aucune carte n'a été choisie"});
        row("zone of 16 lines", 0, "close", 1, true, {page, "Impression: La zone de texte 3"});
        row("printer fails", 0, "close", 2, true, {page, "Erreur: Erreur d'impression ou de police non"});
    }

    void throughTheSetupDialog() {
        QFETCH(int, entry);
        QFETCH(QString, clicks);
        QFETCH(int, trouble);
        QFETCH(bool, yes);
        QFETCH(QStringList, shown);
        QFETCH(QString, logos);
        Window t;
        if (trouble == 1)
            t.m.card.zone(3).Text = QStringList(16, QStringLiteral("ligne")).join(QLatin1String("\r\n"));
        t.tp.printer->failAt = trouble == 2 ? 10 : -1;
        t.tp.printer->failKillDoc = trouble == 2;
        t.tp.messages->answers.enqueue(yes ? MsgAnswer::Yes : MsgAnswer::No);
        t.onSetupDialog(clicks.split(QLatin1Char(' ')));
        if (entry == 0)
            t.w.findChild<QAction*>(QStringLiteral("Mnu_Imprimer"))->trigger();
        else if (entry == 1)
            QTest::mouseClick(t.w.findChild<QPushButton*>(QStringLiteral("Command5")), Qt::LeftButton);
        else
            t.w.Toolbar1_ButtonClick(5);
        QCOMPARE(t.dialogs, 1);
        QCOMPARE(t.tp.messages->shown.size(), shown.size());
        for (int i = 0; i < shown.size(); ++i) {
            const MessageRequest& box = t.tp.messages->shown.at(i);
            QVERIFY2((box.title + ": " + box.prompt).startsWith(shown.at(i)), qPrintable(box.prompt));
        }
        QStringList printed;
        for (const QString& c : t.tp.printer->calls)
            if (c.startsWith(QLatin1String("PaintPicture(")))
                printed << c.mid(13).section(QLatin1String(", "), 0, 1);
        QCOMPARE(printed.join(QLatin1Char('|')), logos);
        QCOMPARE(t.tp.printer->endDocs, logos.isEmpty() ? 0 : 1);
        QCOMPARE(t.tp.printer->killDocs, trouble == 2 ? 1 : 0);
        QCOMPARE(t.tp.printer->calls.isEmpty(), logos.isEmpty() && trouble != 2); // no job unless asked
        QVERIFY(t.w.Frame2->isHidden());
        QCOMPARE(int(t.m.request.cancelled), 0); // the next command starts afresh
    }

    void cancelButtonAbandonsTheJob() {
        Window t;
        t.tp.printer->failKillDoc = true; // no printer: no second error either
        t.w.show();
        t.w.Frame2->show();
        QTest::mouseClick(t.w.findChild<QPushButton*>(QStringLiteral("Command8")), Qt::LeftButton);
        QCOMPARE(t.tp.printer->killDocs, 1);
        QVERIFY(t.w.Frame2->isHidden());
        QVERIFY(t.tp.messages->shown.isEmpty());
    }
};

QTEST_MAIN(TestPrintCommand)
#include "tst_printcommand.moc"
