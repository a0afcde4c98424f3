// The About box driven by the keyboard alone: its buttons first, then its three links, each
// opened by Space or Enter; Enter anywhere else closes the box.
#include "TestPlatform.h"
#include "about/AboutText.h"
#include "about/LinkLabel.h"
#include "about/frmAbout.h"

#include <QPushButton>
#include <QtTest>

class KeyboardAboutTest : public QObject {
    Q_OBJECT
private slots:
    void linksAndButtons() {
        TestPlatform tp;
        frmAbout box(tp.platform);
        box.show();
        box.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        const auto key = [](int k) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(k)); };
        box.cmdOK->setFocus(Qt::TabFocusReason);
        QStringList seen{"cmdOK"};
        for (int i = 0; i < 6; ++i) {
            key(Qt::Key_Tab);
            seen << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(seen, (QStringList{"cmdOK", "Command1", "cmdSysInfo", "Label3", "lblDisclaimer", "Image2",
                                    "cmdOK"}));
        // Shift+Tab back to the last link; each link by Space or Enter, once.
        key(Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), box.Image2);
        key(Qt::Key_Space);
        box.Label3->setFocus(Qt::TabFocusReason);
        key(Qt::Key_Return);
        box.lblDisclaimer->setFocus(Qt::TabFocusReason);
        key(Qt::Key_Enter);
        QCOMPARE(tp.shell->urls, (QStringList{about::donationAddress(), about::siteAddress()}));
        QCOMPARE(tp.shell->mails, QStringList{about::mailTarget()});
        QVERIFY(box.isVisible());
        // The details by the keyboard, then Enter on the default button closes.
        box.Command1->setFocus(Qt::TabFocusReason);
        key(Qt::Key_Space);
        QCOMPARE(tp.messages->shown.size(), 1);
        box.cmdOK->setFocus(Qt::TabFocusReason);
        key(Qt::Key_Return);
        QTRY_VERIFY(!box.isVisible());
        QCOMPARE(box.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(KeyboardAboutTest)
#include "tst_keyboardabout.moc"
