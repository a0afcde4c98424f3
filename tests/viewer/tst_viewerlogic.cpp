// The image viewer's patterns and paths, without a window.
#include "viewer/FilePattern.h"
#include "viewer/MountedRoots.h"
#include "viewer/ViewerPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestViewerLogic : public QObject {
    Q_OBJECT
private slots:
    void matchesPattern_data();
    void matchesPattern();
    void matchingFiles_data();
    void matchingFiles();
    void startPatterns();
    void joinFolderFile_data();
    void joinFolderFile();
    void rootOf_data();
    void rootOf();
    void folderChain_data();
    void folderChain();
    void existingFolder();
    void pathOnDisk_data();
    void pathOnDisk();
    void isMediaMount_data();
    void isMediaMount();
};

void TestViewerLogic::matchesPattern_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("matches");
    QTest::newRow("upper-case name, lower-case mask") << "LOGO.BMP"
                                                      << "*.bmp" << true;
    QTest::newRow("lower-case name, upper-case mask") << "logo.bmp"
                                                      << "*.BMP" << true;
    QTest::newRow("second of three masks") << "photo.jpg"
                                           << "*.bmp;*.jpg;*.gif" << true;
    QTest::newRow("none of the masks") << "photo.jpeg"
                                       << "*.bmp;*.jpg;*.gif" << false;
    QTest::newRow("blanks around the masks") << "a.gif"
                                             << " *.bmp ; *.gif " << true;
    QTest::newRow("extension must end the name") << "a.bmp.txt"
                                                 << "*.bmp" << false;
    QTest::newRow("question mark is one character") << "a1.ico"
                                                    << "a?.ico" << true;
    QTest::newRow("question mark is not two") << "a12.ico"
                                              << "a?.ico" << false;
    QTest::newRow("star dot star takes every name") << "LISEZMOI"
                                                    << "*.*" << true;
    QTest::newRow("empty pattern takes nothing") << "a.bmp"
                                                 << "" << false;
    QTest::newRow("only separators take nothing") << "a.bmp"
                                                  << ";;" << false;
    QTest::newRow("half-typed mask") << "a.jpg"
                                     << "*.j" << false;
    QTest::newRow("plain name") << "Carte.CUR"
                                << "carte.cur" << true;
}

void TestViewerLogic::matchesPattern() {
    QFETCH(QString, name);
    QFETCH(QString, pattern);
    QFETCH(bool, matches);
    QCOMPARE(viewer::matchesPattern(name, pattern), matches);
}

void TestViewerLogic::matchingFiles_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("bitmaps whatever their case") << "*.bmp" << QStringList{"b.bmp", "LOGO.BMP"};
    QTest::newRow("several masks, sorted without case")
        << "*.jpg;*.bmp" << QStringList{"b.bmp", "c.JPG", "LOGO.BMP"};
    QTest::newRow("everything but hidden files and folders")
        << "*.*" << QStringList{"b.bmp", "c.JPG", "LISEZMOI", "LOGO.BMP"};
    QTest::newRow("nothing matches") << "*.wmf" << QStringList{};
    QTest::newRow("empty pattern") << "" << QStringList{};
}

void TestViewerLogic::matchingFiles() {
    QFETCH(QString, pattern);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    for (const char* name : {"LOGO.BMP", "b.bmp", "c.JPG", "LISEZMOI", ".cache.bmp"}) {
        QFile f(dir.filePath(QLatin1String(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dossier.bmp")));
    QCOMPARE(viewer::matchingFiles(dir.path(), pattern), expected);
}

void TestViewerLogic::startPatterns() {
    const QStringList entries = viewer::patternEntries();
    QCOMPARE(entries.size(), 10);
    QCOMPARE(entries.first(), QStringLiteral("*.ico"));
    QCOMPARE(entries.at(6), QStringLiteral("*.*"));
    QCOMPARE(entries.last(), QStringLiteral("*.ico;*.cur;*.wmf"));
    // The box and the list start out of step; neither start pattern is an entry.
    QVERIFY(viewer::initialPatternText() != viewer::initialFilePattern());
    QVERIFY(!entries.contains(viewer::initialPatternText()));
    QVERIFY(!entries.contains(viewer::initialFilePattern()));
}

void TestViewerLogic::joinFolderFile_data() {
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("system root") << "/"
                                 << "logo.bmp"
                                 << "/logo.bmp";
    QTest::newRow("media root given with its separator") << "/media/cle/"
                                                         << "a.gif"
                                                         << "/media/cle/a.gif";
    QTest::newRow("ordinary folder") << "/home/marie/images"
                                     << "a.gif"
                                     << "/home/marie/images/a.gif";
}

void TestViewerLogic::joinFolderFile() {
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(viewer::joinFolderFile(folder, name), expected);
}

void TestViewerLogic::rootOf_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::newRow("system folder") << "/opt/kalimo"
                                   << "/";
    QTest::newRow("inside the home folder") << "/home/marie/images"
                                            << "/home/marie";
    QTest::newRow("the home folder itself") << "/home/marie"
                                            << "/home/marie";
    QTest::newRow("a name that only starts like home") << "/home/mariette"
                                                       << "/";
    QTest::newRow("on a stick") << "/media/marie/CLE/photos"
                                << "/media/marie/CLE/";
    QTest::newRow("the stick's own root") << "/media/marie/CLE"
                                          << "/media/marie/CLE/";
}

void TestViewerLogic::rootOf() {
    QFETCH(QString, path);
    QFETCH(QString, expected);
    const QStringList roots{"/", "/home/marie", "/media/marie/CLE/"};
    QCOMPARE(viewer::rootOf(roots, path), expected);
}

void TestViewerLogic::folderChain_data() {
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("from the system root") << "/"
                                          << "/home/marie" << QStringList{"/", "/home", "/home/marie"};
    QTest::newRow("root ending with its separator")
        << "/media/cle/"
        << "/media/cle/a/b" << QStringList{"/media/cle/", "/media/cle/a", "/media/cle/a/b"};
    QTest::newRow("the root itself") << "/media/cle/"
                                     << "/media/cle" << QStringList{"/media/cle/"};
    QTest::newRow("outside the root") << "/home/marie"
                                      << "/opt" << QStringList{"/home/marie"};
}

void TestViewerLogic::folderChain() {
    QFETCH(QString, root);
    QFETCH(QString, folder);
    QFETCH(QStringList, expected);
    QCOMPARE(viewer::folderChain(root, folder), expected);
}

void TestViewerLogic::existingFolder() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("a/b")));
    const QString root = dir.path() + QLatin1Char('/');
    QCOMPARE(viewer::existingFolder(dir.filePath(QStringLiteral("a/b")), root), dir.filePath("a/b"));
    QCOMPARE(viewer::existingFolder(dir.filePath(QStringLiteral("a/gone/deeper")), root), dir.filePath("a"));
    QCOMPARE(viewer::existingFolder(QStringLiteral("/elsewhere"), root), root);
}

void TestViewerLogic::pathOnDisk_data() {
    QTest::addColumn<QString>("asked");    // below the test folder
    QTest::addColumn<QString>("expected"); // below the test folder; empty: the path as asked
    QTest::newRow("as the viewer copies it") << "IMAGES/LOGO.BMP"
                                             << "Images/Logo.bmp";
    QTest::newRow("already spelt right") << "Images/Logo.bmp"
                                         << "Images/Logo.bmp";
    QTest::newRow("a letter that grows when upper-cased") << "IMAGES/STRASSE.JPG"
                                                          << "Images/straße.jpg";
    QTest::newRow("exact spelling wins over another case") << "Photos/a.BMP"
                                                           << "Photos/a.BMP";
    QTest::newRow("two spellings: the first in name order") << "PHOTOS/A.BMP"
                                                            << "Photos/A.bmp";
    QTest::newRow("nothing matches: the path as it came") << "IMAGES/ABSENT.BMP"
                                                          << "";
}

void TestViewerLogic::pathOnDisk() {
    QFETCH(QString, asked);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Images")));
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Photos")));
    for (const QString& name : {QStringLiteral("Images/Logo.bmp"), QStringLiteral("Images/straße.jpg"),
                                QStringLiteral("Photos/a.BMP"), QStringLiteral("Photos/A.bmp")}) {
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    // The viewer upper-cases the test folder's own part of the path too.
    const QString base = dir.path() + QLatin1Char('/');
    const QString shown = base.toUpper() + asked;
    const QString want = expected.isEmpty() ? shown : base + expected;
    QCOMPARE(viewer::pathOnDisk(shown), want);
}

void TestViewerLogic::isMediaMount_data() {
    QTest::addColumn<QString>("mountPoint");
    QTest::addColumn<bool>("listed");
    QTest::newRow("stick under media") << "/media/marie/CLE" << true;
    QTest::newRow("stick under run/media") << "/run/media/marie/CLE" << true;
    QTest::newRow("disk under mnt") << "/mnt/photos" << true;
    QTest::newRow("the mnt folder itself") << "/mnt/" << false;
    QTest::newRow("system root") << "/" << false;
    QTest::newRow("run") << "/run" << false;
    QTest::newRow("run user") << "/run/user/1000" << false;
    QTest::newRow("proc") << "/proc" << false;
    QTest::newRow("a name that starts like mnt") << "/mntx" << false;
}

void TestViewerLogic::isMediaMount() {
    QFETCH(QString, mountPoint);
    QFETCH(bool, listed);
    QCOMPARE(MountedRoots::isMediaMount(mountPoint), listed);
}

QTEST_GUILESS_MAIN(TestViewerLogic)
#include "tst_viewerlogic.moc"
