#include "SetupDialogFixture.h"

#include <QAction>

namespace {

const QByteArray Good("12.5,0,-2,.25,90,55\r\n#FALSE#,#TRUE#\r\n");
const QByteArray Long("12.3456789,0,-2,.25,90,55\r\n#FALSE#,#TRUE#\r\n");
const QString Filter = QStringLiteral("Fichiers de configuration (*.PAR)|*.PAR");

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class ParameterCommandsTest : public QObject {
    Q_OBJECT
private slots:
    // The caption after a sequence of steps, each as a person does it (the loads and saves
    // below check it after a single step).
    void captionRule_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("name");
        QTest::newRow("load, re-creation") << QStringList{"load", "close"} << "essai.par";
        QTest::newRow("load, cancelled load") << QStringList{"load", "cancel"} << "DEFAUT";
        QTest::newRow("load, restore") << QStringList{"load", "restore"} << "DEFAUT";
        QTest::newRow("save, re-creation") << QStringList{"save", "close"} << "DEFAUT";
        QTest::newRow("load, bad file") << QStringList{"load", "bad"} << "ESSAI.PAR";
        QTest::newRow("load, other load, re-creation")
            << QStringList{"load", "other", "close"} << "Autre.par";
    }
    void captionRule() {
        QFETCH(QStringList, steps);
        QFETCH(QString, name);
        SetupDialogFixture f;
        const QMap<QString, QString> loads{{"load", f.file("essai.par", Good)},
                                           {"other", f.file("Autre.par", Good)},
                                           {"bad", f.file("mauvais.par", "1,2,x\r\n")},
                                           {"cancel", QString()}};
        for (const QString& step : steps) {
            if (loads.contains(step))
                f.choose(loads[step], "Command5");
            else if (step == "save")
                f.choose(f.dir.filePath("sortie"), "Command4");
            else if (step == "restore")
                f.click("Command3");
            else if (step == "close")
                f.closeByCloseBox();
        }
        QCOMPARE(f.dialog().windowTitle(), f.caption(name));
    }

    void loadShowsTheFileWithSignBlanks() {
        SetupDialogFixture f;
        f.m.parameterFile.lastPath = QStringLiteral("/avant/ancien.PAR");
        f.choose(f.file("essai.par", Long), "Command5");
        const FileDialogRequest& asked = f.tp.files->opens.constLast();
        QCOMPARE(asked.title, QStringLiteral("Ouvrir"));
        QCOMPARE(asked.filter, Filter);
        QCOMPARE(asked.filterIndex, 1);
        QCOMPARE(asked.initialName, QStringLiteral("/avant/ancien.PAR"));
        // A value longer than what can be typed is shown whole.
        QCOMPARE(f.boxTexts(), (QStringList{" 12.3456789", "-2", " 0", " .25", " 90", " 55", "10"}));
        QCOMPARE(f.measures(), (QList<double>{12.3456789, 0, -2, 0.25, 90, 55}));
        QVERIFY(!f.checked("Check1") && f.checked("Check2"));
        // Created again, the boxes show the same values without the blank.
        f.closeByCloseBox();
        QCOMPARE(f.boxTexts(), (QStringList{"12.3456789", "-2", "0", ".25", "90", "55", "10"}));
    }

    // From the dialog's button, or from the main window's menu once the dialog is closed.
    void loadFromEitherEntry_data() {
        QTest::addColumn<bool>("fromMenu");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<double>("left");
        QTest::addColumn<QString>("shown"); // in Text1 afterwards
        QTest::newRow("button") << false << Long << 12.3456789 << " 12.3456789";
        // The measures before the bad field are taken, but the open dialog does not show them.
        QTest::newRow("button, bad field in the middle")
            << false << QByteArray("7,1,x,3,80,50\r\n#FALSE#,#FALSE#\r\n") << 7.0 << "5";
        QTest::newRow("menu while closed: a hidden dialog is made")
            << true << Long << 12.3456789 << " 12.3456789";
        QTest::newRow("menu while closed, bad file: the next dialog shows what was read")
            << true << QByteArray("7,oops") << 7.0 << "7";
    }
    void loadFromEitherEntry() {
        QFETCH(bool, fromMenu);
        QFETCH(QByteArray, bytes);
        QFETCH(double, left);
        QFETCH(QString, shown);
        const bool good = bytes == Long;
        SetupDialogFixture f;
        const QString path = f.file("essai.par", bytes);
        if (fromMenu) {
            f.closeByCloseBox(); // the start-up dialog is gone...
            f.closeByCloseBox(); // ...and so is the one made after it
            QVERIFY(!f.w.hasForm2());
            f.tp.files->chooseNext(path);
            f.w.Mnu_ChargeParam->trigger();
            QCOMPARE(f.w.hasForm2(), good);
        } else {
            f.choose(path, "Command5");
        }
        QCOMPARE(f.m.layout.leftMargin, left);
        QCOMPARE(f.m.layout.cardWidth, good ? 90.0 : 85.0);
        QCOMPARE(f.m.layout.printFrame, !good);
        QVERIFY(!f.dialog().isVisible());
        QCOMPARE(f.text("Text1"), shown);
        QCOMPARE(f.checked("Check1"), !good);
        QCOMPARE(f.dialog().windowTitle(), f.caption(good ? "ESSAI.PAR" : "DEFAUT"));
        QCOMPARE(f.m.parameterFile.fileLoaded, good);
        QCOMPARE(f.m.parameterFile.loadedTitle, good ? QStringLiteral("essai.par") : QString());
        QCOMPARE(f.m.parameterFile.lastPath, path);
        QVERIFY(f.tp.messages->shown.isEmpty());
    }

    // A cancelled file dialog changes nothing, but a cancelled load forgets the last path.
    void cancelledChoice_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("lastPath");
        QTest::newRow("load") << "Command5" << QString();
        QTest::newRow("save") << "Command4" << QString("/avant/ancien.PAR");
    }
    void cancelledChoice() {
        QFETCH(QString, button);
        QFETCH(QString, lastPath);
        SetupDialogFixture f;
        f.choose(f.file("essai.par", Good), "Command5");
        f.m.parameterFile.lastPath = QStringLiteral("/avant/ancien.PAR");
        f.choose(QString(), qPrintable(button));
        QCOMPARE(f.m.parameterFile.lastPath, lastPath);
        QCOMPARE(f.m.layout.leftMargin, 12.5);
        QCOMPARE(f.text("Text1"), QStringLiteral(" 12.5"));
        QVERIFY(f.m.parameterFile.fileLoaded);
        QCOMPARE(f.m.parameterFile.loadedTitle, QStringLiteral("essai.par"));
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files), QStringList{"essai.par"});
        QVERIFY(f.tp.messages->shown.isEmpty());
    }

    void save_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("written");
        QTest::newRow("written under the name as typed, without extension") << "sortie" << true;
        QTest::newRow("missing folder: message, the caption still names the file")
            << "absent/perdu.PAR" << false;
    }
    void save() {
        QFETCH(QString, name);
        QFETCH(bool, written);
        SetupDialogFixture f;
        const QString path = f.dir.filePath(name);
        f.dialog().show();
        f.retype("Text5", QString()); // empty width box
        f.retype("Text1", QStringLiteral("12.5.3"));
        f.click("Check1");
        f.choose(path, "Command4");
        const FileDialogRequest& asked = f.tp.files->saves.constLast();
        QCOMPARE(asked.title, QStringLiteral("Enregistrer"));
        QCOMPARE(asked.filter, Filter);
        QVERIFY(asked.askBeforeReplacing);
        QVERIFY(asked.initialName.isEmpty());
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files), written ? QStringList{name} : QStringList());
        if (written)
            QCOMPARE(fileBytes(path), QByteArray("12.5,0,0,0,0,54\r\n#FALSE#,#TRUE#\r\n"));
        const QList<MessageRequest> failure{{QStringLiteral("Erreur de sauvegarde!"),
                                             QStringLiteral("Erreur"), MsgButtons::Ok, MsgIcon::Critical, 1}};
        QCOMPARE(f.tp.messages->shown, written ? QList<MessageRequest>() : failure);
        // The boxes are taken and the caption names the file either way.
        QCOMPARE(f.measures(), (QList<double>{12.5, 0, 0, 0, 0, 54}));
        QVERIFY(!f.m.layout.printFrame);
        QCOMPARE(f.dialog().windowTitle(), f.caption(QFileInfo(name).fileName().toUpper()));
        QCOMPARE(f.m.parameterFile.lastPath, path);
        QVERIFY(!f.m.parameterFile.fileLoaded);
        QVERIFY(f.m.parameterFile.loadedTitle.isEmpty());
    }

    void restore_data() {
        QTest::addColumn<bool>("singleCard");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("printCaption");
        QTest::newRow("page of cards") << false << 0 << "&Imprimer 10 cartes";
        QTest::newRow("single card chosen") << true << 4 << "&Imprimer la carte N°  4";
        QTest::newRow("single card, none chosen") << true << 0 << "&Imprimer la carte N°  0";
    }
    void restore() {
        QFETCH(bool, singleCard);
        QFETCH(int, position);
        QFETCH(QString, printCaption);
        SetupDialogFixture f;
        f.dialog().show();
        f.choose(f.file("essai.par", Good), "Command5");
        f.retype("Text7", QStringLiteral("3"));
        f.click("Check2");
        if (singleCard)
            f.click("Option2");
        if (position)
            f.click(qPrintable(QStringLiteral("Label%1").arg(position)));

        f.click("Command3");
        QCOMPARE(f.measures(), (QList<double>{5, 0, 0, 0, 85, 54}));
        QCOMPARE(f.m.layout.cardCount, qint16(10));
        QVERIFY(f.m.layout.printFrame && f.m.layout.printCutMarks);
        QVERIFY(f.checked("Check1") && f.checked("Check2"));
        QCOMPARE(f.boxTexts(), (QStringList{"5", "0", "0", "0", "85", "54", "10"}));
        QCOMPARE(f.buttonText("Command1"), printCaption);
        QCOMPARE(f.control("Command1")->isEnabled(), !singleCard || position > 0);
        QCOMPARE(f.m.request.mode, qint16(singleCard ? 0 : 1));
        QCOMPARE(int(f.m.request.position), position);
        QVERIFY(f.m.parameterFile.fileLoaded);
        QCOMPARE(f.m.parameterFile.loadedTitle, QStringLiteral("essai.par"));
    }
};

QTEST_MAIN(ParameterCommandsTest)
#include "tst_parametercommands.moc"
