// The image viewer's patterns and paths, without a window.
#include "viewer/FilePattern.h"
#include "viewer/MountedRoots.h"
#include "viewer/ViewerPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {
template <typename... Values> void row(const char* tag, const Values&... values) {
    (QTest::newRow(tag) << ... << values);
}

// Empty files (and the folders that hold them) below dir.
void makeFiles(const QTemporaryDir& dir, const QStringList& names) {
    for (const QString& name : names) {
        QVERIFY(QDir(dir.path()).mkpath(QFileInfo(name).path()));
        QFile f(dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
}
} // namespace

class TestViewerLogic : public QObject {
    Q_OBJECT
private slots:
    void matchesPattern_data();
    void matchesPattern();
    void matchingFiles();
    void paths();
    void pathOnDisk_data();
    void pathOnDisk();
    void isMediaMount();
};

void TestViewerLogic::matchesPattern_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("matches");
    row("upper-case name, lower-case mask", "LOGO.BMP", "*.bmp", true);
    row("lower-case name, upper-case mask", "logo.bmp", "*.BMP", true);
    row("second of three masks", "photo.jpg", "*.bmp;*.jpg;*.gif", true);
    row("none of the masks", "photo.jpeg", "*.bmp;*.jpg;*.gif", false);
    row("blanks around the masks", "a.gif", " *.bmp ; *.gif ", true);
    row("extension must end the name", "a.bmp.txt", "*.bmp", false);
    row("question mark is one character", "a1.ico", "a?.ico", true);
    row("question mark is not two", "a12.ico", "a?.ico", false);
    row("star dot star takes every name", "LISEZMOI", "*.*", true);
    row("empty pattern takes nothing", "a.bmp", "", false);
    row("only separators take nothing", "a.bmp", ";;", false);
    row("half-typed mask", "a.jpg", "*.j", false);
}

void TestViewerLogic::matchesPattern() {
    QFETCH(QString, name);
    QFETCH(QString, pattern);
    QFETCH(bool, matches);
    QCOMPARE(viewer::matchesPattern(name, pattern), matches);
}

void TestViewerLogic::matchingFiles() {
    QTemporaryDir dir;
    makeFiles(dir, {"LOGO.BMP", "b.bmp", "c.JPG", "LISEZMOI", ".cache.bmp"});
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dossier.bmp")));
    // Sorted without regard to case; hidden files and folders never listed.
    QCOMPARE(viewer::matchingFiles(dir.path(), "*.jpg;*.bmp"), (QStringList{"b.bmp", "c.JPG", "LOGO.BMP"}));
    QCOMPARE(viewer::matchingFiles(dir.path(), "*.*"),
             (QStringList{"b.bmp", "c.JPG", "LISEZMOI", "LOGO.BMP"}));
    QCOMPARE(viewer::matchingFiles(dir.path(), ""), QStringList{});
}

void TestViewerLogic::paths() {
    QCOMPARE(viewer::joinFolderFile("/", "logo.bmp"), QStringLiteral("/logo.bmp"));
    QCOMPARE(viewer::joinFolderFile("/media/cle/", "a.gif"), QStringLiteral("/media/cle/a.gif"));
    QCOMPARE(viewer::joinFolderFile("/home/marie", "a.gif"), QStringLiteral("/home/marie/a.gif"));

    const QStringList roots{"/", "/home/marie", "/media/marie/CLE/"};
    QCOMPARE(viewer::rootOf(roots, "/opt/kalimo"), QStringLiteral("/"));
    QCOMPARE(viewer::rootOf(roots, "/home/marie/images"), QStringLiteral("/home/marie"));
    QCOMPARE(viewer::rootOf(roots, "/home/marie"), QStringLiteral("/home/marie"));
    QCOMPARE(viewer::rootOf(roots, "/home/mariette"), QStringLiteral("/"));
    QCOMPARE(viewer::rootOf(roots, "/media/marie/CLE"), QStringLiteral("/media/marie/CLE/"));

    QCOMPARE(viewer::folderChain("/", "/home/marie"), (QStringList{"/", "/home", "/home/marie"}));
    QCOMPARE(viewer::folderChain("/media/cle/", "/media/cle/a/b"),
             (QStringList{"/media/cle/", "/media/cle/a", "/media/cle/a/b"}));
    QCOMPARE(viewer::folderChain("/media/cle/", "/media/cle"), QStringList{"/media/cle/"});
    QCOMPARE(viewer::folderChain("/home/marie", "/opt"), QStringList{"/home/marie"});

    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("a/b")));
    const QString root = dir.path() + QLatin1Char('/');
    QCOMPARE(viewer::existingFolder(dir.filePath("a/b"), root), dir.filePath("a/b"));
    QCOMPARE(viewer::existingFolder(dir.filePath("a/gone/deeper"), root), dir.filePath("a"));
    QCOMPARE(viewer::existingFolder(QStringLiteral("/elsewhere"), root), root);
}

void TestViewerLogic::pathOnDisk_data() {
    QTest::addColumn<QString>("asked");    // below the test folder
    QTest::addColumn<QString>("expected"); // below the test folder; empty: the path as asked
    row("as the viewer copies it", "IMAGES/LOGO.BMP", "Images/Logo.bmp");
    row("a letter that grows when upper-cased", "IMAGES/STRASSE.JPG", "Images/straße.jpg");
    row("exact spelling wins over another case", "Photos/a.BMP", "Photos/a.BMP");
    row("two spellings: the first in name order", "PHOTOS/A.BMP", "Photos/A.bmp");
    row("nothing matches: the path as it came", "IMAGES/ABSENT.BMP", "");
}

void TestViewerLogic::pathOnDisk() {
    QFETCH(QString, asked);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    makeFiles(dir, {"Images/Logo.bmp", "Images/straße.jpg", "Photos/a.BMP", "Photos/A.bmp"});
    // The viewer upper-cases the test folder's own part of the path too.
    const QString base = dir.path() + QLatin1Char('/');
    const QString shown = base.toUpper() + asked;
    QCOMPARE(viewer::pathOnDisk(shown), expected.isEmpty() ? shown : base + expected);
}

void TestViewerLogic::isMediaMount() {
    for (const char* listed : {"/media/marie/CLE", "/run/media/marie/CLE", "/mnt/photos"})
        QVERIFY2(MountedRoots::isMediaMount(listed), listed);
    for (const char* left : {"/mnt/", "/", "/run/user/1000", "/mntx"})
        QVERIFY2(!MountedRoots::isMediaMount(left), left);
}

QTEST_GUILESS_MAIN(TestViewerLogic)
#include "tst_viewerlogic.moc"
