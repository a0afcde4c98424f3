#include "SetupDialogFixture.h"
#include "app/CardPreview.h"
#include "setup/SheetPicture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

const QColor LightCyan(0xC0, 0xFF, 0xFF);

QColor background(QWidget* w) {
    return w->palette().color(QPalette::Window);
}

} // namespace

class Form2Test : public QObject {
    Q_OBJECT
private slots:
    void firstOpening() {
        SetupDialogFixture f;
        QVERIFY(f.w.hasForm2());
        Form2& d = f.dialog();
        QVERIFY(!d.isVisible());
        QCOMPARE(d.windowTitle(), QStringLiteral("Paramétrage de l'impression DEFAUT"));
        QVERIFY(f.control<QRadioButton>("Option1")->isChecked());
        QVERIFY(!f.control<QRadioButton>("Option2")->isChecked());
        QCOMPARE(f.control<QRadioButton>("Option1")->text(), QStringLiteral("10 Cartes identiques"));
        QCOMPARE(f.text("Text7"), QStringLiteral("10"));
        QCOMPARE(f.control<QPushButton>("Command1")->text(), QStringLiteral("&Imprimer 10 cartes"));
        QVERIFY(f.control("Command1")->isEnabled());
        for (int n = 1; n <= 10; ++n) {
            QWidget* box = f.control(qPrintable(QStringLiteral("Label%1").arg(n)));
            QVERIFY(!box->isEnabled());
            QCOMPARE(box->toolTip(), QStringLiteral("Cliquez pour sélectionner"));
        }
        QVERIFY(f.control<QCheckBox>("Check1")->isChecked());
        QVERIFY(f.control<QCheckBox>("Check2")->isChecked());
        const char* boxes[] = {"Text1", "Text3", "Text2", "Text4", "Text5", "Text6"};
        const char* values[] = {"5", "0", "0", "0", "85", "54"};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(f.text(boxes[i]), QLatin1String(values[i]));
        QVERIFY(f.control("Label11")->isHidden());
        QVERIFY(!f.control("Text7")->isHidden());
        QVERIFY(f.w.Frame2->isHidden());
        QCOMPARE(f.m.request.mode, qint16(1));
        QCOMPARE(f.m.request.position, qint16(0));
        QCOMPARE(f.control<QGroupBox>("Frame1")->title(), QStringLiteral("Feuille A4 "));
        QCOMPARE(f.control("Text4")->toolTip(), QStringLiteral("Séparateur vertical"));
        QCOMPARE(f.m.layout.leftMargin, 5.0);
        QCOMPARE(f.m.layout.cardHeight, 54.0);
    }

    void cardCountTyped_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("enabled");
        const QStringList none;
        QTest::newRow("twelve") << "12"
                                << "10" << QStringList{"Nombre maximum de cartes identiques = 10"} << true;
        QTest::newRow("emptied") << ""
                                 << "" << none << false;
        QTest::newRow("zero") << "0"
                              << "0" << none << false;
        QTest::newRow("seven") << "7"
                               << "7" << none << true;
        QTest::newRow("letters and signs refused") << "a-3.,"
                                                   << "3" << none << true;
        QTest::newRow("third digit refused") << "100"
                                             << "10" << none << true;
    }
    void cardCountTyped() {
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QFETCH(QStringList, messages);
        QFETCH(bool, enabled);
        SetupDialogFixture f;
        f.dialog().show();
        f.retype("Text7", keys);
        QCOMPARE(f.text("Text7"), shown);
        QStringList seen;
        for (const MessageRequest& r : f.tp.messages->shown) {
            seen << r.prompt;
            QCOMPARE(r.title, QStringLiteral("Erreur"));
            QCOMPARE(r.icon, MsgIcon::Critical);
            QCOMPARE(r.buttons, MsgButtons::Ok);
        }
        QCOMPARE(seen, messages);
        const int count = shown.toInt();
        QCOMPARE(int(f.m.layout.cardCount), count);
        QCOMPARE(f.control("Command1")->isEnabled(), enabled);
        QCOMPARE(f.control<QPushButton>("Command1")->text(),
                 QStringLiteral("&Imprimer %1 cartes").arg(count));
        QCOMPARE(f.control<QRadioButton>("Option1")->text(),
                 QStringLiteral("%1 Cartes identiques").arg(count));
    }

    void singleCardMode() {
        SetupDialogFixture f;
        f.dialog().show();
        auto* print = f.control<QPushButton>("Command1");
        f.click("Option2");
        QCOMPARE(f.m.request.mode, qint16(0));
        QVERIFY(!print->isEnabled());
        QCOMPARE(print->text(), QStringLiteral("&Imprimer la carte N°  0"));
        QVERIFY(!f.control("Label11")->isHidden());
        QVERIFY(f.control("Text7")->isHidden());
        QVERIFY(f.control("Label13")->isHidden());
        QVERIFY(f.control("Label14")->isHidden());

        f.click("Label4");
        QCOMPARE(f.m.request.position, qint16(4));
        QVERIFY(print->isEnabled());
        QCOMPARE(print->text(), QStringLiteral("&Imprimer la carte N°  4"));
        QCOMPARE(background(f.control("Label4")), LightCyan);
        QCOMPARE(f.m.cardOrigin.X, 90.0);
        QCOMPARE(f.m.cardOrigin.Y, 54.0);

        f.click("Label9");
        QCOMPARE(f.m.cardOrigin.X, 5.0);
        QCOMPARE(f.m.cardOrigin.Y, 216.0);
        QCOMPARE(background(f.control("Label9")), LightCyan);
        QCOMPARE(background(f.control("Label4")), QColor(Qt::white));

        // Back to a page: the chosen card stays chosen and highlighted, but cannot be clicked.
        f.click("Option1");
        QCOMPARE(f.m.request.mode, qint16(1));
        QCOMPARE(f.m.request.position, qint16(9));
        QCOMPARE(print->text(), QStringLiteral("&Imprimer 10 cartes"));
        QCOMPARE(background(f.control("Label9")), LightCyan);
        QVERIFY(!f.control("Label3")->isEnabled());
        f.click("Label3");
        QCOMPARE(f.m.request.position, qint16(9));
        QVERIFY(f.control("Label11")->isHidden());
        QVERIFY(!f.control("Text7")->isHidden());

        // Again single-card: the earlier choice names the button at once.
        f.click("Option2");
        QVERIFY(print->isEnabled());
        QCOMPARE(print->text(), QStringLiteral("&Imprimer la carte N°  9"));
    }

    void originTakenAtTheClick() {
        SetupDialogFixture f;
        f.dialog().show();
        f.click("Option2");
        f.click("Label3");
        QCOMPARE(f.m.cardOrigin.Y, 54.0);
        f.retype("Text3", QStringLiteral("10"));
        QCOMPARE(f.m.layout.topMargin, 10.0);
        QCOMPARE(f.m.cardOrigin.Y, 54.0);
        f.click("Label3");
        QCOMPARE(f.m.cardOrigin.Y, 64.0);
    }

    void measureTyped_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<double>("stored");
        QTest::newRow("1.2.3 stores 1.2") << "Text1"
                                          << "1.2.3"
                                          << "1.2.3" << 1.2;
        QTest::newRow("letter refused") << "Text3"
                                        << "a"
                                        << "" << 0.0;
        QTest::newRow("comma refused") << "Text2"
                                       << "1,5"
                                       << "15" << 15.0;
        QTest::newRow("negative below one") << "Text4"
                                            << "-.5"
                                            << "-.5" << -0.5;
        QTest::newRow("trailing minus") << "Text5"
                                        << "5-"
                                        << "5-" << 5.0;
        QTest::newRow("lone minus") << "Text6"
                                    << "-"
                                    << "-" << 0.0;
        QTest::newRow("six characters at most") << "Text5"
                                                << "1234567"
                                                << "123456" << 123456.0;
        QTest::newRow("blank and plus refused") << "Text6"
                                                << " +6"
                                                << "6" << 6.0;
    }
    void measureTyped() {
        QFETCH(QString, box);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QFETCH(double, stored);
        SetupDialogFixture f;
        f.dialog().show();
        const QByteArray name = box.toLatin1();
        f.retype(name.constData(), keys);
        QCOMPARE(f.text(name.constData()), shown);
        const int n = box.mid(4).toInt();
        double* const fields[6] = {&f.m.layout.leftMargin, &f.m.layout.horizontalSeparator,
                                   &f.m.layout.topMargin,  &f.m.layout.verticalSeparator,
                                   &f.m.layout.cardWidth,  &f.m.layout.cardHeight};
        QCOMPARE(*fields[n - 1], stored);
        QVERIFY(f.tp.messages->shown.isEmpty());
    }

    void controlCharactersRefused() {
        SetupDialogFixture f;
        f.dialog().show();
        QLineEdit* b = f.box("Text1");
        b->setFocus();
        b->selectAll();
        // Ctrl+V types character 22: refused like any other character outside the list.
        QGuiApplication::clipboard()->setText(QStringLiteral("77"));
        QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QString(QChar(22)));
        QCoreApplication::sendEvent(b, &paste);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCoreApplication::sendEvent(b, &enter);
        QCOMPARE(b->text(), QStringLiteral("5"));
        QCOMPARE(f.m.layout.leftMargin, 5.0);
        QVERIFY(f.dialog().isVisible()); // Enter pressed no button
    }

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
        SetupDialogFixture f;
        f.w.highlightZone(2, colour::Silver);
        Form2& d = f.dialog();
        d.show();
        f.click("Check1");              // unticked
        QVERIFY(f.m.layout.printFrame); // taken only when the dialog closes
        if (way == QLatin1String("close"))
            d.close();
        else if (way == QLatin1String("escape"))
            QTest::keyClick(&d, Qt::Key_Escape);
        else
            f.click(qPrintable(way));
        SetupDialogFixture::settle();
        QVERIFY(!f.w.hasForm2());
        QCOMPARE(f.m.layout.printFrame, false);
        QCOMPARE(f.m.layout.printCutMarks, true);
        QCOMPARE(int(f.m.request.cancelled), cancelled);
        // Only the print button clears the zone highlight.
        QCOMPARE(f.w.Label2->isOpaque(), way != QLatin1String("Command1"));
    }

    // The print command waits in exec(): every way of closing must end it.
    void execReturns_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("cancelled");
        QTest::newRow("print button") << "Command1" << 0;
        QTest::newRow("Annuler - Fermer") << "Command2" << 1;
        QTest::newRow("window close button") << "close" << 0;
    }
    void execReturns() {
        QFETCH(QString, way);
        QFETCH(int, cancelled);
        SetupDialogFixture f;
        Form2& d = f.dialog();
        QTimer::singleShot(0, &d, [&] {
            if (way == QLatin1String("close"))
                d.close();
            else
                f.click(qPrintable(way));
        });
        d.exec();
        SetupDialogFixture::settle();
        QVERIFY(!f.w.hasForm2());
        QCOMPARE(int(f.m.request.cancelled), cancelled);
    }

    void recreatedFromTheSharedState() {
        SetupDialogFixture f;
        f.dialog().show();
        f.retype("Text1", QStringLiteral("12.5"));
        f.retype("Text6", QStringLiteral("-2"));
        f.retype("Text7", QStringLiteral("0"));
        f.click("Check2");
        f.click("Option2");
        f.click("Label6");
        const CardOrigin chosen = f.m.cardOrigin;
        f.click("Command2");
        SetupDialogFixture::settle();

        f.m.request.cancelled = 0;
        Form2& again = f.dialog();
        QVERIFY(!again.isVisible());
        QCOMPARE(f.text("Text1"), QStringLiteral("12.5"));
        QCOMPARE(f.text("Text6"), QStringLiteral("-2"));
        QCOMPARE(f.text("Text7"), QStringLiteral("0"));
        QVERIFY(!f.control<QCheckBox>("Check2")->isChecked());
        QVERIFY(f.control<QRadioButton>("Option1")->isChecked());
        QCOMPARE(f.control<QRadioButton>("Option1")->text(), QStringLiteral("0 Cartes identiques"));
        QVERIFY(!f.control("Command1")->isEnabled());
        QCOMPARE(f.m.request.mode, qint16(1));
        QCOMPARE(f.m.request.position, qint16(0));
        QCOMPARE(f.m.cardOrigin.X, chosen.X);
        QCOMPARE(f.m.cardOrigin.Y, chosen.Y);
        QVERIFY(!f.control("Label6")->isEnabled());
        QVERIFY(f.tp.messages->shown.isEmpty());
    }

    void printerSetup() {
        SetupDialogFixture f;
        f.dialog().show();
        f.click("Command6");
        QCOMPARE(f.tp.dialogs->printerSetups, 1);
        QVERIFY(f.dialog().isVisible());
    }
};

QTEST_MAIN(Form2Test)
#include "tst_form2.moc"
