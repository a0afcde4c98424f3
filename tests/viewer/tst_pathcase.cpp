#include "viewer/ViewerPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// A picture path handed over in any case finds the file as the disk spells it, whatever the
// case of each of its parts; a path that names nothing comes back as it came.
class PathCaseTest : public QObject {
    Q_OBJECT
private slots:
    void onDisk_data() {
        QTest::addColumn<QString>("given"); // below the test folder, whose own path is given in the same case
        QTest::addColumn<QString>("found"); // "" when nothing matches
        QTest::newRow("lower case") << "images/logo.bmp"
                                    << "Images/Logo.bmp";
        QTest::newRow("mixed case") << "iMAGEs/LoGo.BmP"
                                    << "Images/Logo.bmp";
        QTest::newRow("upper case") << "IMAGES/LOGO.BMP"
                                    << "Images/Logo.bmp";
        QTest::newRow("accents, lower case") << "photos/été.jpg"
                                             << "Photos/Été.JPG";
        QTest::newRow("as on disk") << "Photos/Été.JPG"
                                    << "Photos/Été.JPG";
        QTest::newRow("no such file") << "images/absent.bmp"
                                      << "";
    }
    void onDisk() {
        QFETCH(QString, given);
        QFETCH(QString, found);
        QTemporaryDir dir;
        for (const char* name : {"Images/Logo.bmp", "Photos/Été.JPG"}) {
            const QString path = dir.filePath(QString::fromUtf8(name));
            QVERIFY(QDir().mkpath(QFileInfo(path).path()));
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const bool lower = given.at(0).isLower(), upper = given.at(0).isUpper() && given.at(1).isUpper();
        const QString base = dir.path() + '/';
        const QString folder = lower ? base.toLower() : upper ? base.toUpper() : base;
        QCOMPARE(viewer::pathOnDisk(folder + given), found.isEmpty() ? folder + given : base + found);
    }
};

QTEST_GUILESS_MAIN(PathCaseTest)
#include "tst_pathcase.moc"
