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
        QTest::addColumn<QString>("entry"); // the menu entry, the button or the toolbar button
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<int>("trouble"); // 1: answer No; 2: a zone of 16 lines; 3: printer and KillDoc fail
        QTest::addColumn<QStringList>("shown"); // "title: the prompt's start" of each message
        QTest::addColumn<QString>("logos");     // where the logo is printed
        const auto row = [](const char* name, const char* entry, const char* clicks, int trouble,
                            const QStringList& shown, const char* logos = "") {
            QTest::newRow(name) << QString::fromUtf8(entry) << QString::fromUtf8(clicks) << trouble << shown
                                << QString::fromUtf8(logos);
        };
        const QString page = QStringLiteral(
            "Impression de 10 cartes : Confirmer l'impression d'une page de 10 cartes identiques");
        row("page", "Mnu_Imprimer", "Command1", 0, {page},
            "5, 0|90, 0|5, 54|90, 54|5, 108|90, 108|5, 162|90, 162|5, 216|90, 216");
        row("card 3, no", "Command5", "Option2 Label3 Command1", 1,
            {"Impression de la carte N°  3: Confirmer l'impression de la carte N°  3"});
        row("card 10, close box", "Toolbar1_5", "Option2 Label10 close", 0,
            {"Impression de la carte N°  10: Confirmer l'impression de la carte N°  10"}, "90, 216");
        row("cancelled", "Mnu_Imprimer", "Option2 Label4 Command2", 0, {});
        row("single card, no position", "Mnu_Imprimer", "Option2 close", 0,
            {"Impression: Aucune carte n'a été choisie"});
        row("zone of 16 lines", "Mnu_Imprimer", "close", 2, {page, "Impression: La zone de texte 3"});
        row("printer fails", "Mnu_Imprimer", "close", 3,
            {page, "Erreur: Erreur d'impression ou de police non"});
    }

    void throughTheSetupDialog() {
        QFETCH(QString, entry);
        QFETCH(QString, clicks);
        QFETCH(int, trouble);
        QFETCH(QStringList, shown);
        QFETCH(QString, logos);
        Window t;
        if (trouble == 2)
            t.m.card.zone(3).Text = QStringList(16, QStringLiteral("ligne")).join(QLatin1String("\r\n"));
        t.tp.printer->failAt = trouble == 3 ? 10 : -1;
        t.tp.printer->failKillDoc = trouble == 3;
        t.tp.messages->answers.enqueue(trouble == 1 ? MsgAnswer::No : MsgAnswer::Yes);
        t.onSetupDialog(clicks.split(QLatin1Char(' ')));
        if (auto* action = t.w.findChild<QAction*>(entry))
            action->trigger();
        else
            QTest::mouseClick(t.w.findChild<QPushButton*>(entry), Qt::LeftButton);
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
        QCOMPARE(t.tp.printer->killDocs, trouble == 3 ? 1 : 0);
        QCOMPARE(t.tp.printer->calls.isEmpty(), logos.isEmpty() && trouble != 3); // no job unless asked
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
