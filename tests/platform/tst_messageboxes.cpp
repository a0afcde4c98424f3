// The real message boxes: what each request gives, and a width that shows the title.
#include "platform/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

class MessageBoxesTest : public QObject {
    Q_OBJECT
private slots:
    void boxes_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("defaultButton");
        QTest::addColumn<QString>("expected"); // buttons, default, escape, icon
        const auto row = [](const char* name, MsgButtons b, MsgIcon i, int d, const char* e) {
            QTest::newRow(name) << int(b) << int(i) << d << QString(e);
        };
        row("OK, no icon", MsgButtons::Ok, MsgIcon::None, 1, "Ok|Ok|-|0");
        row("OK asked second: still OK", MsgButtons::Ok, MsgIcon::Critical, 2, "Ok|Ok|-|3");
        row("OK Cancel", MsgButtons::OkCancel, MsgIcon::Question, 1, "Ok Cancel|Ok|Cancel|4");
        row("OK Cancel, Cancel first", MsgButtons::OkCancel, MsgIcon::Exclamation, 2,
            "Ok Cancel|Cancel|Cancel|2");
        row("Yes No", MsgButtons::YesNo, MsgIcon::Information, 1, "Yes No|Yes|No|1");
        row("Yes No, No first", MsgButtons::YesNo, MsgIcon::Question, 2, "Yes No|No|No|4");
    }
    void boxes() {
        QFETCH(int, buttons);
        QFETCH(int, icon);
        QFETCH(int, defaultButton);
        QFETCH(QString, expected);
        const auto box = QtMessageBoxes::build(
            {"Ligne 1\rLigne 2\r\nLigne 3", "Titre", MsgButtons(buttons), MsgIcon(icon), defaultButton});
        const auto name = [&box](QAbstractButton* b) {
            if (!b)
                return QStringLiteral("-");
            switch (box->standardButton(b)) {
            case QMessageBox::Ok:
                return QStringLiteral("Ok");
            case QMessageBox::Cancel:
                return QStringLiteral("Cancel");
            case QMessageBox::Yes:
                return QStringLiteral("Yes");
            case QMessageBox::No:
                return QStringLiteral("No");
            default:
                return QStringLiteral("?");
            }
        };
        QStringList all;
        for (QMessageBox::StandardButton b :
             {QMessageBox::Ok, QMessageBox::Cancel, QMessageBox::Yes, QMessageBox::No})
            if (box->button(b))
                all << name(box->button(b));
        QCOMPARE(QStringList({all.join(' '), name(box->defaultButton()), name(box->escapeButton()),
                              QString::number(int(box->icon()))})
                     .join('|'),
                 expected);
        QCOMPARE(box->text(), QStringLiteral("Ligne 1\nLigne 2\nLigne 3"));
        QCOMPARE(box->windowTitle(), QStringLiteral("Titre"));
    }

    // Shown, the box is at least as wide as its title needs, and never wider than the screen.
    void titleShowsWhole_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("quit") << "Quitter le programme"
                              << "Quitter Kalimo\r      Confirmez  ?";
        QTest::newRow("new card") << "Création d'une carte"
                                  << "Création d'une nouvelle carte ?\r        Confirmer ?";
        QTest::newRow("card file error") << "Erreur ou fichier de version antérieure !"
                                         << "Erreur d'ouverture du fichier";
        QTest::newRow("short title, long text") << "Erreur" << QString(60, 'x');
        QTest::newRow("title wider than the screen") << QString(400, 'M') << "x";
    }
    void titleShowsWhole() {
        QFETCH(QString, title);
        QFETCH(QString, prompt);
        const auto box = QtMessageBoxes::build({prompt, title, MsgButtons::Ok, MsgIcon::None, 1});
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        QFont bold = QApplication::font();
        bold.setBold(true);
        const QFontMetrics metrics(bold);
        const int screen = box->screen()->availableGeometry().width();
        const int needed = std::min(metrics.horizontalAdvance(title) + 3 * metrics.height(), screen - 40);
        QVERIFY2(box->width() >= needed, qPrintable(QStringLiteral("%1 < %2").arg(box->width()).arg(needed)));
        QVERIFY(box->width() <= screen);
        QCOMPARE(QtMessageBoxes::widthForTitle(title, metrics, screen) <= screen - 40, true);
    }
};

QTEST_MAIN(MessageBoxesTest)
#include "tst_messageboxes.moc"
