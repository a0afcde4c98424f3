#include "SetupDialogFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

namespace {

const QByteArray Good("12.5,0,-2,.25,90,55\r\n#FALSE#,#TRUE#\r\n");

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QString caption(const QString& name) {
    return QStringLiteral("Paramétrage de l'impression ") + name;
}

} // namespace

class ParameterCommandsTest : public QObject {
    Q_OBJECT
private slots:
    // The caption after a sequence of steps, each as a person does it.
    void captionRule_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("name");
        QTest::newRow("start-up") << QStringList{} << "DEFAUT";
        QTest::newRow("load") << QStringList{"load"} << "ESSAI.PAR";
        QTest::newRow("load, re-creation") << QStringList{"load", "recreate"} << "essai.par";
        QTest::newRow("load, cancelled load") << QStringList{"load", "cancel"} << "DEFAUT";
        QTest::newRow("load, cancelled load, re-creation")
            << QStringList{"load", "cancel", "recreate"} << "essai.par";
        QTest::newRow("load, restore") << QStringList{"load", "restore"} << "DEFAUT";
        QTest::newRow("load, restore, re-creation")
            << QStringList{"load", "restore", "recreate"} << "essai.par";
        QTest::newRow("save") << QStringList{"save"} << "SORTIE";
        QTest::newRow("save, re-creation") << QStringList{"save", "recreate"} << "DEFAUT";
        QTest::newRow("failed save") << QStringList{"failed save"} << "PERDU.PAR";
        QTest::newRow("bad file") << QStringList{"bad"} << "DEFAUT";
        QTest::newRow("load, bad file") << QStringList{"load", "bad"} << "ESSAI.PAR";
        QTest::newRow("menu load while closed") << QStringList{"recreate", "close", "menu"} << "ESSAI.PAR";
        QTest::newRow("load, other load, re-creation")
            << QStringList{"load", "other", "recreate"} << "Autre.par";
    }
    void captionRule() {
        QFETCH(QStringList, steps);
        QFETCH(QString, name);
        QTemporaryDir dir;
        const QString good = writeFile(dir, QStringLiteral("essai.par"), Good);
        const QString other = writeFile(dir, QStringLiteral("Autre.par"), Good);
        const QString bad = writeFile(dir, QStringLiteral("mauvais.par"), "1,2,x\r\n");
        SetupDialogFixture f;
        for (const QString& step : steps) {
            if (step == QLatin1String("load") || step == QLatin1String("other") ||
                step == QLatin1String("bad") || step == QLatin1String("cancel")) {
                f.tp.files->chooseNext(step == QLatin1String("load")    ? good
                                       : step == QLatin1String("other") ? other
                                       : step == QLatin1String("bad")   ? bad
                                                                        : QString());
                f.click("Command5");
            } else if (step == QLatin1String("save") || step == QLatin1String("failed save")) {
                f.tp.files->chooseNext(step == QLatin1String("save")
                                           ? dir.filePath(QStringLiteral("sortie"))
                                           : dir.filePath(QStringLiteral("nul/perdu.PAR")));
                f.click("Command4");
            } else if (step == QLatin1String("restore")) {
                f.click("Command3");
            } else if (step == QLatin1String("recreate") || step == QLatin1String("close")) {
                f.closeByCloseBox();
                QVERIFY(!f.w.hasForm2());
            } else if (step == QLatin1String("menu")) {
                f.tp.files->chooseNext(good);
                f.w.Mnu_ChargeParam->trigger();
            }
        }
        QCOMPARE(f.dialog().windowTitle(), caption(name));
    }

    void loadShowsTheFileWithSignBlanks() {
        QTemporaryDir dir;
        const QString path = writeFile(dir, QStringLiteral("essai.par"), Good);
        SetupDialogFixture f;
        f.m.parameterFile.lastPath = QStringLiteral("/avant/ancien.PAR");
        f.tp.files->chooseNext(path);
        f.click("Command5");
        const FileDialogRequest& asked = f.tp.files->opens.constLast();
        QCOMPARE(asked.title, QStringLiteral("Ouvrir"));
        QCOMPARE(asked.filter, QStringLiteral("Fichiers de configuration (*.PAR)|*.PAR"));
        QCOMPARE(asked.filterIndex, 1);
        QCOMPARE(asked.initialName, QStringLiteral("/avant/ancien.PAR"));

        QCOMPARE(f.text("Text1"), QStringLiteral(" 12.5"));
        QCOMPARE(f.text("Text3"), QStringLiteral(" 0"));
        QCOMPARE(f.text("Text2"), QStringLiteral("-2"));
        QCOMPARE(f.text("Text4"), QStringLiteral(" .25"));
        QCOMPARE(f.text("Text5"), QStringLiteral(" 90"));
        QCOMPARE(f.text("Text6"), QStringLiteral(" 55"));
        QVERIFY(!f.control<QCheckBox>("Check1")->isChecked());
        QVERIFY(f.control<QCheckBox>("Check2")->isChecked());
        QCOMPARE(f.m.layout.horizontalSeparator, -2.0);
        QCOMPARE(f.m.layout.verticalSeparator, 0.25);
        QVERIFY(!f.m.layout.printFrame);
        QVERIFY(f.m.parameterFile.fileLoaded);
        QCOMPARE(f.m.parameterFile.loadedTitle, QStringLiteral("essai.par"));
        QCOMPARE(f.m.parameterFile.lastPath, path);
        QVERIFY(f.tp.messages->shown.isEmpty());

        // Created again, the boxes show the same values without the blank.
        f.closeByCloseBox();
        QCOMPARE(f.text("Text1"), QStringLiteral("12.5"));
        QCOMPARE(f.text("Text4"), QStringLiteral(".25"));
    }

    void longValueShownWhole() {
        QTemporaryDir dir;
        const QString path = writeFile(dir, QStringLiteral("fin.PAR"), "12.3456789,0,0,0,85,54\r\n1,1\r\n");
        SetupDialogFixture f;
        f.tp.files->chooseNext(path);
        f.click("Command5");
        QCOMPARE(f.text("Text1"), QStringLiteral(" 12.3456789"));
        QCOMPARE(f.m.layout.leftMargin, 12.3456789);
        // Typing stays limited to six characters.
        f.retype("Text1", QStringLiteral("12345678"));
        QCOMPARE(f.text("Text1"), QStringLiteral("123456"));
    }

    void failedLoads_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("width");
        QTest::newRow("bad field in the middle")
            << QByteArray("7,1,x,3,80,50\r\n#FALSE#,#FALSE#\r\n") << 7.0 << 85.0;
        QTest::newRow("only the six numbers") << QByteArray("7,1,2,3,80,50\r\n") << 7.0 << 80.0;
        QTest::newRow("not a parameter file") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0", 11) << 5.0 << 85.0;
    }
    void failedLoads() {
        QFETCH(QByteArray, bytes);
        QFETCH(double, left);
        QFETCH(double, width);
        QTemporaryDir dir;
        const QString path = writeFile(dir, QStringLiteral("x.PAR"), bytes);
        SetupDialogFixture f;
        f.tp.files->chooseNext(path);
        f.click("Command5");
        QCOMPARE(f.m.layout.leftMargin, left);
        QCOMPARE(f.m.layout.cardWidth, width);
        QVERIFY(f.m.layout.printFrame);
        QVERIFY(f.m.layout.printCutMarks);
        // The dialog, the caption and the file state stay as they were; the path is kept.
        QCOMPARE(f.text("Text1"), QStringLiteral("5"));
        QVERIFY(f.control<QCheckBox>("Check1")->isChecked());
        QCOMPARE(f.dialog().windowTitle(), caption(QStringLiteral("DEFAUT")));
        QVERIFY(!f.m.parameterFile.fileLoaded);
        QCOMPARE(f.m.parameterFile.lastPath, path);
        QVERIFY(f.tp.messages->shown.isEmpty());
    }

    void cancelledLoadChangesNothing() {
        QTemporaryDir dir;
        SetupDialogFixture f;
        f.tp.files->chooseNext(writeFile(dir, QStringLiteral("essai.par"), Good));
        f.click("Command5");
        f.tp.files->chooseNext(QString());
        f.click("Command5");
        QCOMPARE(f.m.layout.leftMargin, 12.5);
        QCOMPARE(f.text("Text1"), QStringLiteral(" 12.5"));
        QVERIFY(f.m.parameterFile.lastPath.isEmpty());
        QVERIFY(f.m.parameterFile.fileLoaded);
        QCOMPARE(f.m.parameterFile.loadedTitle, QStringLiteral("essai.par"));
    }

    void menuLoadWhileClosed() {
        QTemporaryDir dir;
        SetupDialogFixture f;
        f.closeByCloseBox(); // the start-up dialog is gone...
        f.closeByCloseBox(); // ...and so is the one made after it
        QVERIFY(!f.w.hasForm2());
        f.tp.files->chooseNext(writeFile(dir, QStringLiteral("essai.par"), Good));
        f.w.Mnu_ChargeParam->trigger();
        QVERIFY(f.w.hasForm2());
        QVERIFY(!f.dialog().isVisible());
        QCOMPARE(f.m.layout.cardWidth, 90.0);
        // The print command then shows that very dialog, with the loaded values.
        QCOMPARE(f.text("Text5"), QStringLiteral(" 90"));
        QVERIFY(!f.control<QCheckBox>("Check1")->isChecked());
        QCOMPARE(f.dialog().windowTitle(), caption(QStringLiteral("ESSAI.PAR")));
    }

    void menuLoadOfABadFileWhileClosed() {
        QTemporaryDir dir;
        SetupDialogFixture f;
        f.closeByCloseBox();
        f.closeByCloseBox();
        f.tp.files->chooseNext(writeFile(dir, QStringLiteral("x.PAR"), "7,oops"));
        f.w.Mnu_ChargeParam->trigger();
        QVERIFY(!f.w.hasForm2());
        QCOMPARE(f.m.layout.leftMargin, 7.0);
        QCOMPARE(f.text("Text1"), QStringLiteral("7"));
    }

    void save() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sortie"));
        SetupDialogFixture f;
        f.dialog().show();
        f.retype("Text5", QString()); // empty width box
        f.retype("Text1", QStringLiteral("12.5.3"));
        f.click("Check1");
        f.tp.files->chooseNext(path);
        f.click("Command4");
        const FileDialogRequest& asked = f.tp.files->saves.constLast();
        QCOMPARE(asked.title, QStringLiteral("Enregistrer"));
        QCOMPARE(asked.filter, QStringLiteral("Fichiers de configuration (*.PAR)|*.PAR"));
        QVERIFY(asked.askBeforeReplacing);
        QVERIFY(asked.initialName.isEmpty());
        // Written under the name as typed, without extension.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("sortie")});
        QCOMPARE(fileBytes(path), QByteArray("12.5,0,0,0,0,54\r\n#FALSE#,#TRUE#\r\n"));
        QVERIFY(!f.m.layout.printFrame);
        QCOMPARE(f.dialog().windowTitle(), caption(QStringLiteral("SORTIE")));
        QCOMPARE(f.m.parameterFile.lastPath, path);
        QVERIFY(!f.m.parameterFile.fileLoaded);
        QVERIFY(f.m.parameterFile.loadedTitle.isEmpty());
    }

    void saveBuiltInGivesThirtyBytes() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("DEFAUT.PAR"));
        SetupDialogFixture f;
        f.tp.files->chooseNext(path);
        f.click("Command4");
        QCOMPARE(fileBytes(path), QByteArray("5,0,0,0,85,54\r\n#TRUE#,#TRUE#\r\n"));
    }

    void cancelledSave() {
        SetupDialogFixture f;
        f.m.parameterFile.lastPath = QStringLiteral("/avant/ancien.PAR");
        f.tp.files->chooseNext(QString());
        f.click("Command4");
        QCOMPARE(f.m.parameterFile.lastPath, QStringLiteral("/avant/ancien.PAR"));
        QCOMPARE(f.dialog().windowTitle(), caption(QStringLiteral("DEFAUT")));
        QVERIFY(f.tp.messages->shown.isEmpty());
    }

    void failedSave() {
        QTemporaryDir dir;
        SetupDialogFixture f;
        f.dialog().show();
        f.retype("Text6", QStringLiteral("50"));
        f.tp.files->chooseNext(dir.filePath(QStringLiteral("absent/perdu.PAR")));
        f.click("Command4");
        QCOMPARE(f.tp.messages->shown.size(), 1);
        QCOMPARE(f.tp.messages->shown.first(),
                 (MessageRequest{QStringLiteral("Erreur de sauvegarde!"), QStringLiteral("Erreur"),
                                 MsgButtons::Ok, MsgIcon::Critical, 1}));
        QCOMPARE(f.dialog().windowTitle(), caption(QStringLiteral("PERDU.PAR")));
        QCOMPARE(f.m.layout.cardHeight, 50.0);
    }

    void restore_data() {
        QTest::addColumn<bool>("singleCard");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("printCaption");
        QTest::addColumn<bool>("printEnabled");
        QTest::newRow("page of cards") << false << 0 << "&Imprimer 10 cartes" << true;
        QTest::newRow("single card chosen") << true << 4 << "&Imprimer la carte N°  4" << true;
        QTest::newRow("single card, none chosen") << true << 0 << "&Imprimer la carte N°  0" << false;
    }
    void restore() {
        QFETCH(bool, singleCard);
        QFETCH(int, position);
        QFETCH(QString, printCaption);
        QFETCH(bool, printEnabled);
        QTemporaryDir dir;
        SetupDialogFixture f;
        f.dialog().show();
        f.tp.files->chooseNext(writeFile(dir, QStringLiteral("essai.par"), Good));
        f.click("Command5");
        f.retype("Text7", QStringLiteral("3"));
        f.click("Check2");
        if (singleCard)
            f.click("Option2");
        if (position)
            f.click(qPrintable(QStringLiteral("Label%1").arg(position)));

        f.click("Command3");
        const PrintLayout b = PrintLayout::builtIn();
        QCOMPARE(f.m.layout.leftMargin, b.leftMargin);
        QCOMPARE(f.m.layout.horizontalSeparator, b.horizontalSeparator);
        QCOMPARE(f.m.layout.verticalSeparator, b.verticalSeparator);
        QCOMPARE(f.m.layout.cardWidth, b.cardWidth);
        QCOMPARE(f.m.layout.cardHeight, b.cardHeight);
        QCOMPARE(f.m.layout.cardCount, qint16(10));
        QVERIFY(f.m.layout.printFrame && f.m.layout.printCutMarks);
        QVERIFY(f.control<QCheckBox>("Check1")->isChecked() && f.control<QCheckBox>("Check2")->isChecked());
        const char* boxes[] = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7"};
        const char* values[] = {"5", "0", "0", "0", "85", "54", "10"};
        for (int i = 0; i < 7; ++i)
            QCOMPARE(f.text(boxes[i]), QLatin1String(values[i]));
        QCOMPARE(f.control<QRadioButton>("Option1")->text(), QStringLiteral("10 Cartes identiques"));
        QCOMPARE(f.control<QPushButton>("Command1")->text(), printCaption);
        QCOMPARE(f.control("Command1")->isEnabled(), printEnabled);
        QCOMPARE(f.m.request.mode, qint16(singleCard ? 0 : 1));
        QCOMPARE(int(f.m.request.position), position);
        QCOMPARE(f.dialog().windowTitle(), caption(QStringLiteral("DEFAUT")));
        QVERIFY(f.m.parameterFile.fileLoaded);
        QCOMPARE(f.m.parameterFile.loadedTitle, QStringLiteral("essai.par"));
    }
};

QTEST_MAIN(ParameterCommandsTest)
#include "tst_parametercommands.moc"
