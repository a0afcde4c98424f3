#include "SetupDialogFixture.h"
#include "app/CardPreview.h"

#include <QClipboard>
#include <QGuiApplication>
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
        QVERIFY(!f.dialog().isVisible());
        QCOMPARE(f.dialog().windowTitle(), f.caption(QStringLiteral("DEFAUT")));
        QVERIFY(f.checked("Option1") && !f.checked("Option2"));
        QCOMPARE(f.m.request.mode, qint16(1));
        QCOMPARE(f.m.request.position, qint16(0));
        QCOMPARE(f.buttonText("Command1"), QStringLiteral("&Imprimer 10 cartes"));
        QVERIFY(f.control("Command1")->isEnabled());
        for (int n = 1; n <= 10; ++n)
            QVERIFY(!f.control(qPrintable(QStringLiteral("Label%1").arg(n)))->isEnabled());
        QVERIFY(f.checked("Check1") && f.checked("Check2"));
        QCOMPARE(f.boxTexts(), (QStringList{"5", "0", "0", "0", "85", "54", "10"}));
    }

    void cardCountTyped_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("message");
        QTest::newRow("twelve: message, back to 10") << "12" << QString("10") << true;
        QTest::newRow("emptied") << "" << QString() << false;
        QTest::newRow("letters and signs refused") << "a-3.," << QString("3") << false;
        QTest::newRow("third digit refused") << "100" << QString("10") << false;
    }
    void cardCountTyped() {
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QFETCH(bool, message);
        SetupDialogFixture f;
        f.dialog().show();
        f.retype("Text7", keys);
        QCOMPARE(f.text("Text7"), shown);
        QList<MessageRequest> expected;
        if (message)
            expected << MessageRequest{QStringLiteral("Nombre maximum de cartes identiques = 10"),
                                       QStringLiteral("Erreur"), MsgButtons::Ok, MsgIcon::Critical, 1};
        QCOMPARE(f.tp.messages->shown, expected);
        const int count = shown.toInt();
        QCOMPARE(int(f.m.layout.cardCount), count);
        QCOMPARE(f.control("Command1")->isEnabled(), count > 0);
        QCOMPARE(f.buttonText("Command1"), QStringLiteral("&Imprimer %1 cartes").arg(count));
        QCOMPARE(f.buttonText("Option1"), QStringLiteral("%1 Cartes identiques").arg(count));
    }

    void singleCardMode() {
        SetupDialogFixture f;
        f.dialog().show();
        QWidget* print = f.control("Command1");
        f.click("Option2");
        QCOMPARE(f.m.request.mode, qint16(0));
        QVERIFY(!print->isEnabled());
        QCOMPARE(f.buttonText("Command1"), QStringLiteral("&Imprimer la carte N°  0"));
        QVERIFY(!f.control("Label11")->isHidden());
        for (const char* hidden : {"Text7", "Label13", "Label14"})
            QVERIFY(f.control(hidden)->isHidden());

        f.click("Label4");
        QCOMPARE(f.m.request.position, qint16(4));
        QVERIFY(print->isEnabled());
        QCOMPARE(f.buttonText("Command1"), QStringLiteral("&Imprimer la carte N°  4"));
        QCOMPARE(background(f.control("Label4")), LightCyan);
        QCOMPARE(f.origin(), QPointF(90, 54));

        f.click("Label9");
        QCOMPARE(f.origin(), QPointF(5, 216));
        QCOMPARE(background(f.control("Label9")), LightCyan);
        QCOMPARE(background(f.control("Label4")), QColor(Qt::white));

        // The corner is taken at the click: a new margin moves it only at the next click.
        f.retype("Text3", QStringLiteral("10"));
        QCOMPARE(f.m.layout.topMargin, 10.0);
        QCOMPARE(f.origin(), QPointF(5, 216));
        f.click("Label9");
        QCOMPARE(f.origin(), QPointF(5, 226));

        // Back to a page: the chosen card stays chosen and highlighted, but cannot be clicked.
        f.click("Option1");
        QCOMPARE(f.m.request.mode, qint16(1));
        QCOMPARE(f.buttonText("Command1"), QStringLiteral("&Imprimer 10 cartes"));
        QCOMPARE(background(f.control("Label9")), LightCyan);
        f.click("Label3");
        QCOMPARE(f.m.request.position, qint16(9));
        QVERIFY(f.control("Label11")->isHidden() && !f.control("Text7")->isHidden());

        // Again single-card: the earlier choice names the button at once.
        f.click("Option2");
        QVERIFY(print->isEnabled());
        QCOMPARE(f.buttonText("Command1"), QStringLiteral("&Imprimer la carte N°  9"));
    }

    void measureTyped_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<double>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("1.2.3 stores 1.2") << 1 << "1.2.3" << 1.2 << "1.2.3";
        QTest::newRow("letter, blank and plus refused") << 3 << "a +6" << 6.0 << "6";
        QTest::newRow("comma refused") << 2 << "1,5" << 15.0 << "15";
        QTest::newRow("negative below one") << 4 << "-.5" << -0.5 << "-.5";
        QTest::newRow("trailing minus") << 5 << "5-" << 5.0 << "5-";
        QTest::newRow("lone minus") << 6 << "-" << 0.0 << "-";
        QTest::newRow("six characters at most") << 5 << "1234567" << 123456.0 << "123456";
    }
    void measureTyped() {
        QFETCH(int, box);
        QFETCH(QString, keys);
        QFETCH(double, stored);
        QFETCH(QString, shown);
        SetupDialogFixture f;
        f.dialog().show();
        const QByteArray name = "Text" + QByteArray::number(box);
        f.retype(name.constData(), keys);
        QCOMPARE(f.text(name.constData()), shown);
        const int field[] = {0, 2, 1, 3, 4, 5}; // Text2 sets the horizontal gap, Text3 the top margin
        QCOMPARE(f.measures()[field[box - 1]], stored);
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
    // The print command waits in exec(): every way of closing ends it and takes the ticks.
    void closing() {
        QFETCH(QString, way);
        QFETCH(int, cancelled);
        SetupDialogFixture f;
        f.w.highlightZone(2, colour::Silver);
        Form2& d = f.dialog();
        d.show();
        f.click("Check1");              // unticked
        QVERIFY(f.m.layout.printFrame); // taken only when the dialog closes
        QTimer::singleShot(0, &d, [&] {
            if (way == "close")
                d.close();
            else if (way == "escape")
                QTest::keyClick(&d, Qt::Key_Escape);
            else
                f.click(qPrintable(way));
        });
        d.exec();
        SetupDialogFixture::settle();
        QVERIFY(!f.w.hasForm2());
        QCOMPARE(f.m.layout.printFrame, false);
        QCOMPARE(f.m.layout.printCutMarks, true);
        QCOMPARE(int(f.m.request.cancelled), cancelled);
        // Only the print button clears the zone highlight.
        QCOMPARE(f.w.Label2->isOpaque(), way != "Command1");
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
        const QPointF chosen = f.origin();
        f.click("Command2");
        SetupDialogFixture::settle();

        QVERIFY(!f.dialog().isVisible()); // made again
        QCOMPARE(f.boxTexts(), (QStringList{"12.5", "0", "0", "0", "85", "-2", "0"}));
        QVERIFY(!f.checked("Check2") && f.checked("Option1"));
        QVERIFY(!f.control("Command1")->isEnabled());
        QCOMPARE(f.m.request.mode, qint16(1));
        QCOMPARE(f.m.request.position, qint16(0));
        QCOMPARE(f.origin(), chosen);
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
