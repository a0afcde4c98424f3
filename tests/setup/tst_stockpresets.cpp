#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "setup/Form2.h"
#include "setup/PrintSetupMenus.h"

#include <QtTest>
#include <QtWidgets>

// The "Papiers pour cartes" menu: one entry per parameter file of the folder, each loading
// its file as "Charger des paramètres" does.
class StockPresetsTest : public QObject {
    Q_OBJECT
private slots:
    void menu_data() {
        QTest::addColumn<QStringList>("files"); // name=content
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("caption"); // after the choice
        QTest::addColumn<QString>("measures");
        QTest::addColumn<int>("messages"); // a load that stops early says where
        QTest::newRow("two sheets, the second chosen")
            << QStringList{"B-SHEET.PAR=20,13.5,0,0,85,54\r\n#FALSE#,#FALSE#\r\n",
                           "A-SHEET.PAR=15,10.5,5,3,85,54\r\n#TRUE#,#FALSE#\r\n", "LISEZMOI.txt=texte"}
            << QStringList{"A-SHEET.PAR", "B-SHEET.PAR"} << "B-SHEET.PAR"
            << "Paramétrage de l'impression B-SHEET.PAR"
            << "20 13.5 0 0 85 54 0 0" << 0;
        // As a load from the open dialog: the measures read are taken, the rest stays.
        QTest::newRow("six measures only: flags and caption kept")
            << QStringList{"SIX.PAR=12,8,1,2,80,50\r\n"} << QStringList{"SIX.PAR"} << "SIX.PAR"
            << "Paramétrage de l'impression DEFAUT"
            << "12 8 1 2 80 50 1 1" << 1;
        QTest::newRow("unreadable file: nothing changes")
            << QStringList{"BAD.PAR=douze\r\n"} << QStringList{"BAD.PAR"} << "BAD.PAR"
            << "Paramétrage de l'impression DEFAUT"
            << "5 0 0 0 85 54 1 1" << 1;
        QTest::newRow("empty folder")
            << QStringList{} << QStringList{"(aucun fichier de paramètres fourni)"} << ""
            << "Paramétrage de l'impression DEFAUT"
            << "5 0 0 0 85 54 1 1" << 0;
    }
    void menu() {
        QFETCH(QStringList, files);
        QFETCH(QStringList, entries);
        QFETCH(QString, chosen);
        QFETCH(QString, caption);
        QFETCH(QString, measures);
        QFETCH(int, messages);
        QTemporaryDir dir;
        for (const QString& f : files) {
            QFile file(dir.filePath(f.section('=', 0, 0)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(f.section('=', 1).toLatin1());
        }
        TestPlatform tp;
        Module1 m;
        Form1 w{m, tp.platform};
        w.Form_Load();
        QMenu menu;
        fillPresetMenu(w, &menu, dir.path());
        QStringList shown;
        for (QAction* a : menu.actions())
            shown << a->iconText(); // as read, without the mnemonic's mark
        QCOMPARE(shown, entries);
        QCOMPARE(menu.actions().first()->isEnabled(), !files.isEmpty());
        if (!chosen.isEmpty())
            menu.findChild<QAction*>("Mnu_Papier_" + chosen)->trigger();
        QCOMPARE(w.form2().windowTitle(), caption);
        const PrintLayout& l = m.layout;
        QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
                     .arg(l.leftMargin)
                     .arg(l.topMargin)
                     .arg(l.horizontalSeparator)
                     .arg(l.verticalSeparator)
                     .arg(l.cardWidth)
                     .arg(l.cardHeight)
                     .arg(int(l.printFrame))
                     .arg(int(l.printCutMarks)),
                 measures);
        QCOMPARE(tp.messages->shown.size(), messages);
    }

    // The file menu carries the two entries, after "Charger des paramètres".
    void inTheFileMenu() {
        TestPlatform tp;
        Module1 m;
        Form1 w{m, tp.platform};
        w.Form_Load();
        auto* file = w.findChild<QMenu*>("Mnu_Fichier");
        QStringList names;
        for (QAction* a : file->actions())
            names << (a->menu() ? a->menu()->objectName() : a->objectName());
        const int load = names.indexOf("Mnu_ChargeParam");
        QVERIFY(load >= 0);
        QCOMPARE(names.mid(load + 1, 2), (QStringList{"Mnu_Papiers", "Mnu_Calibration"}));
    }

    // The calibration entry asks first; No prints nothing, Yes prints one page.
    void calibrationEntry_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("no") << false;
        QTest::newRow("yes") << true;
    }
    void calibrationEntry() {
        QFETCH(bool, yes);
        TestPlatform tp;
        Module1 m;
        Form1 w{m, tp.platform};
        w.Form_Load();
        tp.messages->answers.enqueue(yes ? MsgAnswer::Yes : MsgAnswer::No);
        w.findChild<QAction*>("Mnu_Calibration")->trigger();
        QCOMPARE(tp.messages->shown.size(), 1);
        QCOMPARE(tp.messages->shown.first().prompt,
                 QStringLiteral("Imprimer la page de calibration des paramètres en cours ?"));
        QCOMPARE(tp.printer->endDocs, yes ? 1 : 0);
        QCOMPARE(tp.printer->calls.filter("Line(").size(), yes ? 2 + 211 + 298 + 80 : 0);
        QVERIFY(w.Frame2->isHidden());
    }
};

QTEST_MAIN(StockPresetsTest)
#include "tst_stockpresets.moc"
