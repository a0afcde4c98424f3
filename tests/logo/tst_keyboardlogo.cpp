// The logo size dialog driven by the keyboard alone: the four bars by the arrow, page, home and
// end keys, the preset list by the arrows, Enter for OK and Escape for "Annuler".
#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "logo/Form3.h"
#include "logo/LogoSize.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

namespace {

struct Dialog {
    TestPlatform tp;
    Module1 m;
    Form1 w{m, tp.platform};
    Form3 f{m, tp.platform, w};
    Dialog() {
        w.Form_Load();
        f.Form_Load();
        f.show();
        f.activateWindow();
    }
    void key(int key) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(key)); }
};

} // namespace

class KeyboardLogoTest : public QObject {
    Q_OBJECT
private slots:
    void tabOrder() {
        Dialog t;
        QVERIFY(QTest::qWaitForWindowActive(&t.f));
        t.f.HScroll1->setFocus(Qt::TabFocusReason);
        QStringList seen{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 6; ++i) {
            t.key(Qt::Key_Tab);
            seen << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(seen, (QStringList{"HScroll1", "VScroll1", "Combo1", "HScroll2", "VScroll2", "Command1",
                                    "Command2"}));
        t.key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), t.f.HScroll1);
    }

    // Each bar by its keys moves its own value a millimetre a step, shows it and places the
    // logo; Home and End go to the bar's ends. The other values stay.
    void barsByKeys_data() {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("presses");
        QTest::addColumn<QList<double>>("values"); // width, height, margin, top margin
        QTest::newRow("wider") << "HScroll1" << int(Qt::Key_Right) << 3 << QList<double>{14, 11, 0, 0};
        QTest::newRow("narrower") << "HScroll1" << int(Qt::Key_Left) << 2 << QList<double>{9, 11, 0, 0};
        QTest::newRow("narrowest") << "HScroll1" << int(Qt::Key_Home) << 1 << QList<double>{0, 11, 0, 0};
        QTest::newRow("card wide") << "HScroll1" << int(Qt::Key_End) << 1 << QList<double>{85, 11, 0, 0};
        QTest::newRow("taller") << "VScroll1" << int(Qt::Key_Down) << 2 << QList<double>{11, 13, 0, 0};
        QTest::newRow("lower") << "VScroll1" << int(Qt::Key_Up) << 1 << QList<double>{11, 10, 0, 0};
        QTest::newRow("page") << "VScroll1" << int(Qt::Key_PageDown) << 1 << QList<double>{11, 12, 0, 0};
        QTest::newRow("card high") << "VScroll1" << int(Qt::Key_End) << 1 << QList<double>{11, 54, 0, 0};
        QTest::newRow("margin") << "HScroll2" << int(Qt::Key_Right) << 4 << QList<double>{11, 11, 4, 0};
        QTest::newRow("margin end") << "HScroll2" << int(Qt::Key_End) << 1 << QList<double>{11, 11, 20, 0};
        QTest::newRow("top margin") << "VScroll2" << int(Qt::Key_Down) << 5 << QList<double>{11, 11, 0, 5};
        QTest::newRow("top at 0") << "VScroll2" << int(Qt::Key_Up) << 1 << QList<double>{11, 11, 0, 0};
    }
    void barsByKeys() {
        QFETCH(QString, bar);
        QFETCH(int, key);
        QFETCH(int, presses);
        QFETCH(QList<double>, values);
        Dialog t;
        QVERIFY(QTest::qWaitForWindowActive(&t.f));
        // The start: the preview's 11.11 mm, made whole by the size bars.
        const QRectF before = t.m.card.Logo.boxTwips;
        t.f.findChild<QWidget*>(bar)->setFocus(Qt::TabFocusReason);
        for (int i = 0; i < presses; ++i)
            t.key(key);
        const CardLogo& logo = t.m.card.Logo;
        QCOMPARE((QList<double>{logo.Width, logo.Height, logo.Left, logo.Top}), values);
        QCOMPARE(
            (QStringList{t.f.Label5->text(), t.f.Label6->text(), t.f.Label7->text(), t.f.Label8->text()}),
            (QStringList{QString::number(values[0]), QString::number(values[1]), QString::number(values[2]),
                         QString::number(values[3])}));
        QCOMPARE(logo.boxTwips != before, values != (QList<double>{11, 11, 0, 0}));
    }

    // The preset list by the arrows: a size at once, the size bars hidden; back on the custom
    // entry they come back.
    void presetsByArrows() {
        Dialog t;
        QVERIFY(QTest::qWaitForWindowActive(&t.f));
        t.f.Combo1->setFocus(Qt::TabFocusReason);
        t.key(Qt::Key_Up);
        QCOMPARE(t.f.Combo1->currentText(), QStringLiteral("15 x 20 mm"));
        QCOMPARE((QList<double>{t.m.card.Logo.Width, t.m.card.Logo.Height}), (QList<double>{15, 20}));
        QVERIFY(t.f.HScroll1->isHidden() && t.f.VScroll1->isHidden());
        t.key(Qt::Key_Up);
        QCOMPARE((QList<double>{t.m.card.Logo.Width, t.m.card.Logo.Height}), (QList<double>{10, 20}));
        t.key(Qt::Key_Down);
        t.key(Qt::Key_Down);
        QCOMPARE(t.f.Combo1->currentText(), logosize::customText());
        QVERIFY(t.f.HScroll1->isVisible() && t.f.VScroll1->isVisible());
    }

    // Enter keeps what the keys set; Escape puts the size back, as "Annuler" does, and keeps the
    // margins.
    void enterAndEscape_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::addColumn<QList<double>>("values");
        QTest::newRow("enter") << int(Qt::Key_Return) << int(QDialog::Accepted) << QList<double>{13, 12, 2};
        QTest::newRow("escape") << int(Qt::Key_Escape) << int(QDialog::Rejected) << QList<double>{11, 11, 2};
    }
    void enterAndEscape() {
        QFETCH(int, key);
        QFETCH(int, result);
        QFETCH(QList<double>, values);
        Dialog t;
        QVERIFY(QTest::qWaitForWindowActive(&t.f));
        for (auto [bar, presses] : {std::pair{t.f.HScroll1, 2}, {t.f.VScroll1, 1}, {t.f.HScroll2, 2}}) {
            bar->setFocus(Qt::TabFocusReason);
            for (int i = 0; i < presses; ++i)
                t.key(bar->orientation() == Qt::Horizontal ? Qt::Key_Right : Qt::Key_Down);
        }
        t.key(key);
        QTRY_VERIFY(!t.f.isVisible());
        QCOMPARE(t.f.result(), result);
        const CardLogo& logo = t.m.card.Logo;
        QCOMPARE((QList<double>{logo.Width, logo.Height, logo.Left}), values);
    }
};

QTEST_MAIN(KeyboardLogoTest)
#include "tst_keyboardlogo.moc"
