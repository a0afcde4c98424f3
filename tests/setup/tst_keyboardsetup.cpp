// The print set-up dialog driven by the keyboard alone: its tab order in both modes, the mode
// by the arrow keys, a card cell by Space or Enter, the measures typed, the buttons by letter.
#include "TestPlatform.h"
#include "app/Colour.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "setup/FilteredEdit.h"
#include "setup/Form2.h"
#include "setup/SetupTexts.h"
#include "setup/SheetGeometry.h"
#include "setup/SheetPicture.h"

#include <QtTest>
#include <QtWidgets>

namespace {

struct Dialog {
    TestPlatform tp;
    Module1 m;
    Form1 w{m, tp.platform};
    QPointer<Form2> d; // the dialog deletes itself once closed
    Dialog() {
        w.Form_Load();
        d = &w.form2();
        d->show();
        d->activateWindow();
    }
    QWidget* focus() const { return QApplication::focusWidget(); }
    void key(int key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(focus(), Qt::Key(key), modifiers);
    }
    void tabTo(QWidget* target) {
        for (int i = 0; i < 40 && focus() != target; ++i)
            key(Qt::Key_Tab);
    }
};

QStringList tabWalk(QWidget* first) {
    first->setFocus(Qt::TabFocusReason);
    QStringList seen{first->objectName()};
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        if (QApplication::focusWidget() == first)
            break;
        seen << QApplication::focusWidget()->objectName();
    }
    return seen;
}

} // namespace

class KeyboardSetupTest : public QObject {
    Q_OBJECT
private slots:
    // Ten identical cards: the count, the mode, the options, the measures from the top of the
    // sheet down, then the buttons; the locked cells are not in the way.
    void tabOrderForACount() {
        Dialog t;
        QVERIFY(QTest::qWaitForWindowActive(t.d));
        QCOMPARE(tabWalk(t.d->Text7), (QStringList{"Text7", "Option1", "Check1", "Check2", "Text3", "Text1",
                                                   "Text2", "Text4", "Text6", "Text5", "Command5", "Command4",
                                                   "Command3", "Command6", "Command2", "Command1"}));
    }

    // The selected card by the arrow keys: the ten cells come right after the mode, in their
    // numbers' order; the print button waits for a cell.
    void tabOrderForOneCard() {
        Dialog t;
        QVERIFY(QTest::qWaitForWindowActive(t.d));
        t.d->Option1->setFocus(Qt::TabFocusReason);
        t.key(Qt::Key_Down);
        QCOMPARE(t.m.request.mode, qint16(0));
        QVERIFY(t.d->Option2->isChecked() && t.d->Label11->isVisible() && !t.d->Text7->isVisible());
        QStringList expected{"Option2"};
        for (int n = 1; n <= 10; ++n)
            expected << QStringLiteral("Label%1").arg(n);
        expected << QStringList{"Check1", "Check2",   "Text3",    "Text1",    "Text2",    "Text4",   "Text6",
                                "Text5",  "Command5", "Command4", "Command3", "Command6", "Command2"};
        QCOMPARE(tabWalk(t.d->Option2), expected);
        // Back to ten cards by the other arrow.
        t.d->Option2->setFocus(Qt::TabFocusReason);
        t.key(Qt::Key_Up);
        QCOMPARE(t.m.request.mode, qint16(1));
        QVERIFY(!t.d->Label[0]->isEnabled());
    }

    // A cell chosen by Space or Enter as by a click: the position, its corner, the print
    // button's caption, the cell's colour; a modified key or another key chooses nothing.
    void cellByKeys_data() {
        QTest::addColumn<int>("cell");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("chosen");
        QTest::newRow("space on 1") << 1 << int(Qt::Key_Space) << 0 << 1;
        QTest::newRow("return on 4") << 4 << int(Qt::Key_Return) << 0 << 4;
        QTest::newRow("keypad enter on 7") << 7 << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 7;
        QTest::newRow("space on 10") << 10 << int(Qt::Key_Space) << 0 << 10;
        QTest::newRow("shift space") << 5 << int(Qt::Key_Space) << int(Qt::ShiftModifier) << 0;
        QTest::newRow("letter") << 6 << int(Qt::Key_C) << 0 << 0;
    }
    void cellByKeys() {
        QFETCH(int, cell);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, chosen);
        Dialog t;
        QVERIFY(QTest::qWaitForWindowActive(t.d));
        t.m.layout.leftMargin = 7;
        t.m.layout.topMargin = 9;
        t.d->Option1->setFocus(Qt::TabFocusReason);
        t.key(Qt::Key_Down);
        t.key(Qt::Key_Tab);
        t.tabTo(t.d->Label[cell - 1]);
        QCOMPARE(t.focus(), t.d->Label[cell - 1]);
        t.key(key, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(int(t.m.request.position), chosen);
        QCOMPARE(t.d->Command1->isEnabled(), chosen != 0);
        if (chosen == 0)
            return;
        const QPointF origin = SheetPosition::origin(t.m.layout, chosen);
        QCOMPARE(QPointF(t.m.cardOrigin.X, t.m.cardOrigin.Y), origin);
        QCOMPARE(t.d->Command1->text(), setup::printPositionCaption(chosen));
        QCOMPARE(t.d->Label[chosen - 1]->palette().color(QPalette::Window),
                 colour::resolve(0xFFFFC0, t.d->palette()));
        // Its letter prints: the dialog closes, not cancelled.
        t.key(Qt::Key_I, Qt::AltModifier);
        QTRY_VERIFY(!t.d || !t.d->isVisible());
        QCOMPARE(t.m.request.cancelled, qint16(0));
    }

    // Each measure reached by Tab and typed goes into its own field of the layout; the options
    // toggle by Space.
    void measuresAndOptionsTyped() {
        Dialog t;
        QVERIFY(QTest::qWaitForWindowActive(t.d));
        t.d->Check1->setFocus(Qt::TabFocusReason);
        t.key(Qt::Key_Space);
        t.key(Qt::Key_Tab);
        t.key(Qt::Key_Space);
        QVERIFY(!t.d->Check1->isChecked() && !t.d->Check2->isChecked());
        for (const char* typed : {"3", "1", "2", "4", "6", "5"}) {
            t.key(Qt::Key_Tab);
            QVERIFY(qobject_cast<QLineEdit*>(t.focus()));
            static_cast<QLineEdit*>(t.focus())->selectAll();
            QTest::keyClicks(t.focus(), QStringLiteral("1%1").arg(QLatin1String(typed)));
        }
        for (int box = 1; box <= 6; ++box)
            QCOMPARE(setup::measureOfBox(t.m.layout, box), 10.0 + box);
        // Escape is "Annuler - Fermer": closed, cancelled, the options taken.
        t.key(Qt::Key_Escape);
        QTRY_VERIFY(!t.d || !t.d->isVisible());
        QCOMPARE(t.m.request.cancelled, qint16(1));
        QVERIFY(!t.m.layout.printFrame && !t.m.layout.printCutMarks);
    }

    // The buttons by their letters: load and save ask for a file, the defaults come back.
    void buttonLetters() {
        Dialog t;
        QVERIFY(QTest::qWaitForWindowActive(t.d));
        t.d->Text7->setFocus();
        t.m.layout.cardWidth = 70;
        t.key(Qt::Key_D, Qt::AltModifier);
        QTRY_COMPARE(t.m.layout.cardWidth, 85.0);
        t.key(Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(t.tp.files->opens.size(), 1);
        t.key(Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(t.tp.files->saves.size(), 1);
        t.key(Qt::Key_A, Qt::AltModifier);
        QTRY_VERIFY(!t.d || !t.d->isVisible());
        QCOMPARE(t.m.request.cancelled, qint16(1));
    }
};

QTEST_MAIN(KeyboardSetupTest)
#include "tst_keyboardsetup.moc"
