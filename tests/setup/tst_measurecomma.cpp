#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "setup/Form2.h"

#include <QtTest>
#include <QtWidgets>

// A measure typed the French way, with a comma, reaches the parameter file with a point.
class MeasureCommaTest : public QObject {
    Q_OBJECT
private slots:
    void savedWithAPoint_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("line1");
        QTest::newRow("top margin 13,5") << "Text3"
                                         << "13,5" << QByteArray("5,13.5,0,0,85,54");
        QTest::newRow("left margin 20,25") << "Text1"
                                           << "20,25" << QByteArray("20.25,0,0,0,85,54");
        QTest::newRow("column gap 2,5") << "Text2"
                                        << "2,5" << QByteArray("5,0,2.5,0,85,54");
        QTest::newRow("row gap 1,") << "Text4"
                                    << "1," << QByteArray("5,0,0,1,85,54");
        QTest::newRow("width 85,5") << "Text5"
                                    << "85,5" << QByteArray("5,0,0,0,85.5,54");
        QTest::newRow("height -1,5") << "Text6"
                                     << "-1,5" << QByteArray("5,0,0,0,85,-1.5");
    }
    void savedWithAPoint() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QByteArray, line1);
        TestPlatform tp;
        Module1 m;
        Form1 w{m, tp.platform};
        w.Form_Load();
        QTemporaryDir dir;
        Form2& dialog = w.form2();
        dialog.show();
        auto* edit = dialog.findChild<QLineEdit*>(box);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), typed);
        const QString path = dir.filePath(QStringLiteral("CARTES.PAR"));
        tp.files->chooseNext(path);
        QTest::mouseClick(dialog.findChild<QWidget*>(QStringLiteral("Command4")), Qt::LeftButton);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), line1 + "\r\n#TRUE#,#TRUE#\r\n");
    }
};

QTEST_MAIN(MeasureCommaTest)
#include "tst_measurecomma.moc"
