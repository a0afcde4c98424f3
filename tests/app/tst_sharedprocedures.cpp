#include "app/SharedProcedures.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class SharedProceduresTest : public QObject {
    Q_OBJECT
private slots:
    void centreIsNotClamped() {
        QCOMPARE(centredTopLeftTwips(QSize(28800, 16200), QSize(9000, 7000)), QPoint(9900, 4600));
        QCOMPARE(centredTopLeftTwips(QSize(12000, 9000), QSize(15000, 12000)), QPoint(-1500, -1500));
    }

    void fileExists_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("exists");
        QTest::newRow("existing file") << "carte.cdv" << true;
        QTest::newRow("missing file") << "autre.cdv" << false;
        QTest::newRow("folder is not a file") << "dossier" << false;
        QTest::newRow("wildcard matching a file") << "cart?.*" << true;
        QTest::newRow("wildcard matching only a folder") << "dos*" << false;
        QTest::newRow("empty") << "" << false;
    }
    void fileExists() {
        QFETCH(QString, name);
        QFETCH(bool, exists);
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("carte.cdv")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dossier")));
        QCOMPARE(FichierExiste(name.isEmpty() ? QString() : dir.filePath(name)), exists);
    }

    void addSeparator() {
        QCOMPARE(AjouteBarre(QStringLiteral("/")), QStringLiteral("/"));
        QCOMPARE(AjouteBarre(QStringLiteral("/home/marie")), QStringLiteral("/home/marie/"));
        QCOMPARE(AjouteBarre(QStringLiteral("/home/marie/")), QStringLiteral("/home/marie/"));
    }
};

QTEST_APPLESS_MAIN(SharedProceduresTest)
#include "tst_sharedprocedures.moc"
