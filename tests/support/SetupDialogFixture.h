#pragma once

#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "setup/Form2.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPointF>
#include <QTemporaryDir>
#include <QTest>

// A started main window with its print set-up dialog, and the ways a person drives it.
struct SetupDialogFixture {
    TestPlatform tp;
    Module1 m;
    Form1 w{m, tp.platform};
    QTemporaryDir dir; // for the parameter files of the test

    SetupDialogFixture() { w.Form_Load(); }

    Form2& dialog() { return w.form2(); }
    template <typename T = QWidget> T* control(const char* name) {
        return dialog().findChild<T*>(QLatin1String(name));
    }
    QLineEdit* box(const char* name) { return control<QLineEdit>(name); }
    QString text(const char* name) { return box(name)->text(); }
    QString buttonText(const char* name) { return control<QAbstractButton>(name)->text(); }
    bool checked(const char* name) { return control<QAbstractButton>(name)->isChecked(); }
    void click(const char* name) { QTest::mouseClick(control(name), Qt::LeftButton); }

    // The texts of Text1 .. Text7.
    QStringList boxTexts() {
        QStringList texts;
        for (int n = 1; n <= 7; ++n)
            texts << text(qPrintable(QStringLiteral("Text%1").arg(n)));
        return texts;
    }
    // The six measures in file order: left, top, horizontal gap, vertical gap, width, height.
    QList<double> measures() const {
        const PrintLayout& l = m.layout;
        return {l.leftMargin,        l.topMargin, l.horizontalSeparator,
                l.verticalSeparator, l.cardWidth, l.cardHeight};
    }
    QPointF origin() const { return {m.cardOrigin.X, m.cardOrigin.Y}; }
    static QString caption(const QString& name) {
        return QStringLiteral("Paramétrage de l'impression ") + name;
    }

    // Writes a file of the given bytes in the test's folder; its path.
    QString file(const QString& name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return f.fileName();
    }
    // The next file dialog answers path (empty: cancelled); then the button is pressed.
    void choose(const QString& path, const char* button) {
        tp.files->chooseNext(path);
        click(button);
    }

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
