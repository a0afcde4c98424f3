#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "setup/Form2.h"
#include "setup/SetupTexts.h"

#include <QtTest>
#include <QtWidgets>

// A started main window with its print set-up dialog, driven as a person would.
struct Fixture {
    TestPlatform tp;
    Module1 m;
    Form1 w{m, tp.platform};
    QTemporaryDir dir;
    Fixture() { w.Form_Load(); }

    Form2& dialog() { return w.form2(); }
    QWidget* control(const QString& name) { return dialog().findChild<QWidget*>(name); }
    QLineEdit* box(const QString& name) { return dialog().findChild<QLineEdit*>(name); }
    QAbstractButton* button(const QString& name) { return dialog().findChild<QAbstractButton*>(name); }
    void click(const QString& name) { QTest::mouseClick(control(name), Qt::LeftButton); }
    QString title() { return dialog().windowTitle().section(' ', 3); } // after "Paramétrage de l'impression"
    QPointF origin() const { return {m.cardOrigin.X, m.cardOrigin.Y}; }
    QString file(const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    }
    void retype(const QString& name, const QString& keys) {
        box(name)->selectAll();
        QTest::keyClick(box(name), Qt::Key_Backspace);
        QTest::keyClicks(box(name), keys);
    }
    void closeByCloseBox() {
        dialog().show();
        dialog().close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

static const QByteArray Good("12.3456789,0,-2,.25,90,55\r\n#FALSE#,#TRUE#\r\n");

class Form2Test : public QObject {
    Q_OBJECT
private slots:
    void firstOpening() {
        Fixture f;
        QVERIFY(f.w.hasForm2() && !f.dialog().isVisible());
        QCOMPARE(f.title(), QStringLiteral("DEFAUT"));
        QCOMPARE(f.m.request.mode, qint16(1));
        for (int n = 1; n <= 10; ++n)
            QVERIFY(!f.control(QStringLiteral("Label%1").arg(n))->isEnabled());
        QVERIFY(f.button("Check1")->isChecked() && f.button("Check2")->isChecked());
        QStringList texts;
        for (int n = 1; n <= 7; ++n)
            texts << f.box(QStringLiteral("Text%1").arg(n))->text();
        QCOMPARE(texts, (QStringList{"5", "0", "0", "0", "85", "54", "10"}));
        f.click("Command6");
        QCOMPARE(f.tp.dialogs->printerSetups, 1);
    }

    // Text1..Text6 set left, horizontal gap, top, vertical gap, width, height; Text7 the count.
    // Keys are typed; "^V" pastes the rest as the box's menu does, past the key filter.
    void typed_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<double>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");
        const QString max = QStringLiteral("Nombre maximum de cartes identiques = 10");
        QTest::newRow("count 12: message, back to 10") << 7 << "12" << 10.0 << "10" << max;
        QTest::newRow("count emptied: print disabled") << 7 << "" << 0.0 << "" << QString();
        QTest::newRow("count: letters and signs refused") << 7 << "a-3.," << 3.0 << "3" << QString();
        QTest::newRow("count -3 pasted")
            << 7 << "^V-3" << 1.0 << "1" << QString("Nombre minimum de cartes = 1");
        QTest::newRow("count .5 pasted: half to even") << 7 << "^V.5" << 0.0 << ".5" << QString();
        QTest::newRow("1.2.3 stores 1.2") << 1 << "1.2.3" << 1.2 << "1.2.3" << QString();
        QTest::newRow("letter, blank, plus refused") << 2 << "a1 +5" << 15.0 << "15" << QString();
        QTest::newRow("comma before the decimals") << 3 << "13,5" << 13.5 << "13,5" << QString();
        QTest::newRow("comma, then a point") << 5 << "1,2.3" << 1.2 << "1,2.3" << QString();
        QTest::newRow("negative with a comma") << 6 << "-0,25" << -0.25 << "-0,25" << QString();
        QTest::newRow("negative below one") << 4 << "-.5" << -0.5 << "-.5" << QString();
        QTest::newRow("six characters at most") << 5 << "1234567" << 123456.0 << "123456" << QString();
        QTest::newRow("lone minus") << 6 << "-" << 0.0 << "-" << QString();
    }
    void typed() {
        QFETCH(int, box);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QFETCH(double, stored);
        QFETCH(QString, message);
        Fixture f;
        f.dialog().show();
        QLineEdit* edit = f.box(QStringLiteral("Text%1").arg(box));
        const bool pasted = keys.startsWith("^V");
        f.retype(edit->objectName(), pasted ? QString() : keys);
        QGuiApplication::clipboard()->setText(keys.mid(2));
        if (pasted)
            edit->paste();
        QCOMPARE(edit->text(), shown);
        const PrintLayout& l = f.m.layout;
        const double values[] = {l.leftMargin, l.horizontalSeparator, l.topMargin,        l.verticalSeparator,
                                 l.cardWidth,  l.cardHeight,          double(l.cardCount)};
        QCOMPARE(values[box - 1], stored);
        QCOMPARE(f.tp.messages->shown.value(0).prompt, message);
        QCOMPARE(f.control("Command1")->isEnabled(), l.cardCount > 0);
        QCOMPARE(f.button("Command1")->text(), QStringLiteral("&Imprimer %1 cartes").arg(l.cardCount));
    }

    // Ctrl+V types character 22, refused like any character outside the list; Enter presses no button.
    void ctrlVAndEnterRefused() {
        Fixture f;
        f.dialog().show();
        QGuiApplication::clipboard()->setText(QStringLiteral("77"));
        QTest::sendKeyEvent(QTest::Click, f.box("Text1"), Qt::Key_V, QString(QChar(22)), Qt::ControlModifier);
        QTest::keyClick(f.box("Text1"), Qt::Key_Return);
        QCOMPARE(f.box("Text1")->text(), QStringLiteral("5"));
        QVERIFY(f.dialog().isVisible());
    }

    void singleCardMode() {
        Fixture f;
        f.dialog().show();
        f.click("Option2");
        QVERIFY(!f.control("Command1")->isEnabled());
        f.click("Label4");
        QCOMPARE(f.button("Command1")->text(), QStringLiteral("&Imprimer la carte N°  4"));
        QVERIFY(f.control("Command1")->isEnabled());
        QCOMPARE(f.control("Label4")->palette().window().color(), QColor(0xC0, 0xFF, 0xFF)); // light cyan
        QCOMPARE(f.origin(), QPointF(90, 54));
        f.click("Label9");
        QCOMPARE(f.origin(), QPointF(5, 216));
        // The corner is taken at the click: new gaps move it only at the next click.
        f.retype("Text2", QStringLiteral("3"));
        f.retype("Text4", QStringLiteral("-2"));
        QCOMPARE(f.origin(), QPointF(5, 216));
        f.click("Label9");
        QCOMPARE(f.origin(), QPointF(5, 208));
        f.click("Label4");
        QCOMPARE(f.origin(), QPointF(93, 52));
    }

    // Every way of closing ends the waiting exec() and takes the ticks.
    void closing_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("cancelled");
        QTest::newRow("print button") << "Command1" << 0;
        QTest::newRow("Annuler - Fermer") << "Command2" << 1;
        QTest::newRow("window close button") << "close" << 0;
        QTest::newRow("Escape") << "escape" << 1;
    }
    void closing() {
        QFETCH(QString, way);
        QFETCH(int, cancelled);
        Fixture f;
        Form2& d = f.dialog();
        d.show();
        f.click("Check1");
        QVERIFY(f.m.layout.printFrame); // taken only at the close
        QTimer::singleShot(0, &d, [&] {
            if (way == "close")
                d.close();
            else if (way == "escape")
                QTest::keyClick(&d, Qt::Key_Escape);
            else
                f.click(way);
        });
        d.exec();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!f.w.hasForm2());
        QVERIFY(!f.m.layout.printFrame && f.m.layout.printCutMarks);
        QCOMPARE(int(f.m.request.cancelled), cancelled);
    }

    // After steps done as a person does them: the caption, the left margin, and what Text1 shows (a
    // loaded value whole, with the blank for its sign until the dialog is made again).
    void parameterCommands_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("title");
        QTest::addColumn<double>("left");
        QTest::addColumn<QString>("shown");
        const double loaded = 12.3456789;
        // clang-format off
        QTest::newRow("load, re-creation") << "load close" << "essai.par" << loaded << "12.3456789";
        QTest::newRow("load, cancelled") << "load cancel" << "DEFAUT" << loaded << " 12.3456789";
        QTest::newRow("load, restore") << "load restore" << "DEFAUT" << 5.0 << "5";
        QTest::newRow("bad field: what is before it taken and shown")
            << "load bad" << "ESSAI.PAR" << 7.0 << " 7";
        QTest::newRow("menu, dialog closed") << "close close menu" << "ESSAI.PAR" << loaded << " 12.3456789";
        QTest::newRow("save the boxes as typed, re-creation") << "save close" << "DEFAUT" << 12.5 << "12.5";
        QTest::newRow("failed save: message, caption names the file") << "fail" << "PERDU.PAR" << 5.0 << "5";
        // clang-format on
    }
    void parameterCommands() {
        QFETCH(QString, steps);
        QFETCH(QString, title);
        QFETCH(double, left);
        QFETCH(QString, shown);
        Fixture f;
        const QString saved = f.dir.filePath("sortie");
        // What the file dialog of each step answers ("cancel": nothing), then the button pressed.
        const QMap<QString, QString> answers{{"load", f.file("essai.par", Good)},
                                             {"menu", f.dir.filePath("essai.par")},
                                             {"bad", f.file("mauvais.par", "7,1,x,3,80,50\r\n")},
                                             {"save", saved},
                                             {"fail", f.dir.filePath("absent/perdu.PAR")}};
        for (const QString& step : steps.split(' ')) {
            if (step == "save") {
                f.retype("Text1", QStringLiteral("12.5.3"));
                f.retype("Text5", QString());
            }
            QVERIFY(step != "menu" || !f.w.hasForm2());
            if (step != "close" && step != "restore")
                f.tp.files->chooseNext(answers.value(step));
            if (step == "close")
                f.closeByCloseBox();
            else if (step == "menu")
                f.w.Mnu_ChargeParam->trigger();
            else
                f.click(step == "restore"                  ? "Command3"
                        : step == "save" || step == "fail" ? "Command4"
                                                           : "Command5");
        }
        QCOMPARE(f.title(), title);
        QCOMPARE(f.m.layout.leftMargin, left);
        QCOMPARE(f.box("Text1")->text(), shown);
        QCOMPARE(f.tp.messages->shown.value(0).prompt,
                 steps == "fail"       ? QStringLiteral("Erreur de sauvegarde!")
                 : steps == "load bad" ? setup::parameterLoadStopped(answers.value("bad"), 3)
                                       : QString());
        QFile file(saved + ".par"); // typed without the extension, saved with it
        QCOMPARE(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(),
                 steps.contains("save") ? QByteArray("12.5,0,0,0,0,54\r\n#TRUE#,#TRUE#\r\n") : QByteArray());
    }
};

QTEST_MAIN(Form2Test)
#include "tst_form2.moc"
