#include "app/Translations.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

// Standard buttons must read in French, like the rest of the program.
class TranslationsTest : public QObject {
    Q_OBJECT
private slots:
    void standardButtonsAreFrench_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("yes") << int(QMessageBox::Yes) << "&Oui";
        QTest::newRow("no") << int(QMessageBox::No) << "&Non";
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << "Annuler";
    }
    void standardButtonsAreFrench() {
        QFETCH(int, button);
        QFETCH(QString, text);
        installFrenchTranslations(*qApp);
        QMessageBox box;
        box.setStandardButtons(QMessageBox::StandardButton(button));
        QCOMPARE(box.button(QMessageBox::StandardButton(button))->text(), text);
    }
};

QTEST_MAIN(TranslationsTest)
#include "tst_translations.moc"
