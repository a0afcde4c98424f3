#pragma once

#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "setup/Form2.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

// A started main window with its print set-up dialog, and the ways a person drives it.
struct SetupDialogFixture {
    TestPlatform tp;
    Module1 m;
    Form1 w{m, tp.platform};

    SetupDialogFixture() { w.Form_Load(); }

    Form2& dialog() { return w.form2(); }
    template <typename T = QWidget> T* control(const char* name) {
        return dialog().findChild<T*>(QLatin1String(name));
    }
    QLineEdit* box(const char* name) { return control<QLineEdit>(name); }
    QString text(const char* name) { return box(name)->text(); }
    void click(const char* name) { QTest::mouseClick(control(name), Qt::LeftButton); }

    // Replaces the box's text by typing, as a person would: select all, erase, type.
    void retype(const char* name, const QString& keys) {
        QLineEdit* b = box(name);
        b->setFocus();
        b->selectAll();
        QTest::keyClick(b, Qt::Key_Backspace);
        QTest::keyClicks(b, keys);
    }

    // Closes the shown dialog by its window's close button and lets it be destroyed.
    void closeByCloseBox() {
        dialog().show();
        dialog().close();
        settle();
    }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};
