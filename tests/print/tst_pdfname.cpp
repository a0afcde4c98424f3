#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "setup/Form2.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

// "Exporter en PDF...": the name gets ".pdf" before the replace question, which names it.
class TestPdfName : public QObject {
    Q_OBJECT
private slots:
    void replaceQuestion_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("answer"); // to the replace question: 1 yes, 0 no, -1 none asked
        QTest::addColumn<bool>("replaced");
        QTest::newRow("typed without .pdf, replace") << "cartes" << 1 << true;
        QTest::newRow("typed without .pdf, keep") << "cartes" << 0 << false;
        QTest::newRow("typed with .pdf, replace") << "cartes.pdf" << 1 << true;
        QTest::newRow("a new name") << "autres" << -1 << false;
    }
    void replaceQuestion() {
        QFETCH(QString, typed);
        QFETCH(int, answer);
        QFETCH(bool, replaced);
        QTemporaryDir dir;
        const QString existing = dir.filePath("cartes.pdf");
        {
            QFile f(existing);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("ancien") == 6);
        }
        TestPlatform tp;
        Module1 m;
        Form1 w{m, tp.platform};
        w.Form_Load();
        m.card.FilePath = dir.filePath("carte.cdv");
        QTimer::singleShot(0, &w, [] {
            if (auto* d = qobject_cast<Form2*>(QApplication::activeModalWidget()))
                d->findChild<QPushButton*>("Command1")->click();
        });
        tp.files->chooseNext(dir.filePath(typed));
        if (answer >= 0)
            tp.messages->answers << (answer ? MsgAnswer::Yes : MsgAnswer::No);
        w.Mnu_ExportPdf_Click();

        QCOMPARE(tp.files->saves.first().initialName, dir.filePath("carte.pdf"));
        QStringList asked;
        for (const MessageRequest& r : tp.messages->shown)
            asked << r.prompt;
        QCOMPARE(asked,
                 answer < 0
                     ? QStringList{}
                     : QStringList{"Le fichier « cartes.pdf » existe déjà.\rVoulez-vous le remplacer ?"});
        QFile f(existing);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll().startsWith("%PDF"), replaced);
        // Refused: the dialog came back on the final name, and its cancel wrote nothing.
        if (answer == 0)
            QCOMPARE(tp.files->saves.last().initialName, existing);
        if (answer < 0)
            QVERIFY(QFile(dir.filePath("autres.pdf")).size() > 0);
    }
};

QTEST_MAIN(TestPdfName)
#include "tst_pdfname.moc"
