#include "card/DocumentPrompts.h"
#include "platform/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

// The real box of the save question: its three labels whatever translation is loaded,
// "Annuler" the default and the escape, and the answer each button gives.
class TestSaveQuestion : public QObject {
    Q_OBJECT
private slots:
    void answers_data() {
        QTest::addColumn<QString>("press"); // a button's label, "Enter" or "Escape"
        QTest::addColumn<int>("answer");
        QTest::newRow("Enregistrer") << "Enregistrer" << int(MsgAnswer::Save);
        QTest::newRow("Ne pas enregistrer") << "Ne pas enregistrer" << int(MsgAnswer::Discard);
        QTest::newRow("Annuler") << "Annuler" << int(MsgAnswer::Cancel);
        QTest::newRow("Enter: the default") << "Enter" << int(MsgAnswer::Cancel);
        QTest::newRow("Escape") << "Escape" << int(MsgAnswer::Cancel);
    }
    void answers() {
        QFETCH(QString, press);
        QFETCH(int, answer);
        QStringList labels;
        QString title, text, defaultLabel;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            for (QAbstractButton* b : box->buttons())
                labels << b->text();
            defaultLabel = box->defaultButton() ? box->defaultButton()->text() : QString();
            if (press == "Enter" || press == "Escape") {
                QTest::keyClick(box, press == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
                return;
            }
            for (QAbstractButton* b : box->buttons())
                if (b->text() == press)
                    b->click();
        });
        QtMessageBoxes boxes;
        QCOMPARE(int(boxes.show(documentprompt::saveChangesQuestion("CARTE.CDV"))), answer);
        labels.sort();
        QCOMPARE(labels, (QStringList{"Annuler", "Enregistrer", "Ne pas enregistrer"}));
        QCOMPARE(defaultLabel, QStringLiteral("Annuler"));
        QCOMPARE(title, QStringLiteral("Enregistrer les modifications"));
        QCOMPARE(text, QStringLiteral("La carte « CARTE.CDV » a été modifiée.\nVoulez-vous enregistrer les "
                                      "modifications ?\n\nSans enregistrement, elles seront perdues."));
    }
};

QTEST_MAIN(TestSaveQuestion)
#include "tst_savequestion.moc"
