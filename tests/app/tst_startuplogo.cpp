// The logo's size after a start-up, whatever became of the card named on the command line.
#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "logo/Form3.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

class StartupLogoTest : public QObject {
    Q_OBJECT
private slots:
    void logoSize_data() {
        QTest::addColumn<QString>("argument");     // "@" stands for the test's folder
        QTest::addColumn<QByteArray>("content");   // written at the argument's path when not empty
        QTest::addColumn<QByteArray>("logoBlock"); // the end of the card file a save then writes
        const QByteArray kept = "[Icone]\r\n 11.1\r\n 11.1\r\n 0\r\n 0\r\nAUCUN\r\n";
        QTest::newRow("no card") << QString() << QByteArray() << kept;
        QTest::newRow("a card that does not exist") << "@/ABSENT.CDV" << QByteArray() << kept;
        QTest::newRow("a folder, not a card") << "@" << QByteArray() << kept;
        // A file that is no card fails at its first line: the offsets become 5 mm, the size stays.
        QTest::newRow("a file that is no card")
            << "@/NOTES.CDV" << QByteArray("bonjour\r\n")
            << QByteArray("[Icone]\r\n 11.1\r\n 11.1\r\n 5\r\n 5\r\nAUCUN\r\n");
    }
    void logoSize() {
        QFETCH(QString, argument);
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, logoBlock);
        QTemporaryDir dir;
        argument.replace('@', dir.path());
        if (!content.isEmpty()) {
            QFile f(argument);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        TestPlatform tp;
        tp.environment->argument = argument;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        QCOMPARE(m.card.Logo.Width, 11.11);
        QCOMPARE(m.card.Logo.Height, 11.11);

        const QString saved = dir.filePath(QStringLiteral("COPIE.CDV"));
        tp.files->chooseNext(saved);
        w.Mnu_EnregistrerSous_Click();
        QFile f(saved);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY2(f.readAll().endsWith(logoBlock), qPrintable(saved));

        // The size dialog opens on the 11 mm the screen shows.
        Form3 dialog(m, tp.platform, w);
        dialog.Form_Load();
        QCOMPARE(dialog.Label5->text(), QStringLiteral("11"));
        QCOMPARE(dialog.Label6->text(), QStringLiteral("11"));
    }
};

QTEST_MAIN(StartupLogoTest)
#include "tst_startuplogo.moc"
