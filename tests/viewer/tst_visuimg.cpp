// The image viewer: its patterns and paths, then its window on folders the test makes.
#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "viewer/DriveList.h"
#include "viewer/FileList.h"
#include "viewer/FilePattern.h"
#include "viewer/FolderList.h"
#include "viewer/MountedRoots.h"
#include "viewer/PicturePreview.h"
#include "viewer/ViewerPaths.h"
#include "viewer/VisuIMG.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {
void fact(const char* tag, const QVariant& actual, const QVariant& expected) {
    QTest::newRow(tag) << actual << expected;
}

void makeFile(const QString& path, const QByteArray& bytes = {}) {
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) >= 0);
}

QStringList listed(const QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text().trimmed();
    return names;
}

// A click (or a double click) on the list's row that shows the text or holds the data asked for.
void click(QListWidget* list, int role, const QString& value, bool twice = false) {
    const auto found = list->model()->match(list->model()->index(0, 0), role, value, 1, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(value));
    const QPoint at = list->visualRect(found.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

// Roots chosen by the test; the unreadable one behaves like a drive with no medium.
struct FakeRoots : RootSource {
    FakeRoots(const QList<ViewerRoot>& all, const QString& gone) : list(all), unreadable(gone) {}
    QList<ViewerRoot> roots() override { return list; }
    bool canRead(const QString& root) override { return root != unreadable && QFileInfo(root).isDir(); }
    QList<ViewerRoot> list;
    QString unreadable;
};

// Real files through Qt's image plugins, with the size each is asked for at.
struct SizeRecordingLoader : FakePictureLoader {
    std::optional<Picture> loadScaled(const QString& path, const QSize& size) override {
        sizes << size;
        return load(path);
    }
    QList<QSize> sizes;
};

// A root holding the program's folder and a few files, a main window and a viewer on that root.
struct Fixture {
    QTemporaryDir dir;
    TestPlatform tp;
    Module1 m;
    Form1 main{m, tp.platform};
    SizeRecordingLoader* pictures = new SizeRecordingLoader;
    std::unique_ptr<VisuIMG> viewer;
    QString root() const { return dir.path() + QLatin1Char('/'); }
    QString prog() const { return dir.filePath(QStringLiteral("prog")); }
    QString gone() const { return dir.filePath(QStringLiteral("cle/")); }

    Fixture() {
        tp.platform.pictures.reset(pictures);
        for (const char* name : {"cle/x", "prog/abime.bmp", "prog/Image.PNG", "prog/notes.txt",
                                 "prog/.cache.bmp", "prog/dir.bmp/x"})
            makeFile(dir.filePath(QLatin1String(name)), "BM this is no bitmap");
        QImage image(16, 12, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(dir.filePath("racine.bmp")) && image.save(prog() + "/LOGO.BMP", "BMP"));
        tp.environment->programDir = prog();
        main.Form_Load();
        const QList<ViewerRoot> roots{{"/", "/"}, {root(), "Disque de test"}, {gone(), "Clé retirée"}};
        viewer = std::make_unique<VisuIMG>(m, tp.platform, main, std::make_unique<FakeRoots>(roots, gone()));
        viewer->show();
    }
    VisuIMG& v() { return *viewer; }
    void clickFile(const QString& name) { click(v().File1, Qt::DisplayRole, name); }
    void openFolder(const QString& path) { click(v().Dir1, Qt::UserRole, path, true); }
    void expectError(const char* prompt) {
        QCOMPARE(tp.messages->shown,
                 (QList<MessageRequest>{{prompt, "Erreur", MsgButtons::Ok, MsgIcon::Critical, 1}}));
    }
};
} // namespace

class TestVisuIMG : public QObject {
    Q_OBJECT
private slots:
    void paths_data();
    void paths();
    void patternFiltersOnEveryKeystroke();
    void copyKeepsTheFirstCopyAcrossFolders();
    void unreadableRootPutsPreviousBack();
};

void TestVisuIMG::paths_data() {
    QTest::addColumn<QVariant>("actual");
    QTest::addColumn<QVariant>("expected");
    QTemporaryDir dir;
    for (const char* name : {"Images/Logo.bmp", "Images/straße.jpg", "Photos/a.BMP", "Photos/A.bmp"})
        makeFile(dir.filePath(QString::fromUtf8(name)));
    const QString base = dir.path() + '/';
    // The viewer upper-cases the test folder's own path too.
    const auto onDisk = [&](const char* shown) { return viewer::pathOnDisk(base.toUpper() + shown); };
    fact("as the viewer copies it", onDisk("IMAGES/LOGO.BMP"), base + "Images/Logo.bmp");
    fact("a letter that grows when upper-cased", onDisk("IMAGES/STRASSE.JPG"), base + "Images/straße.jpg");
    fact("exact spelling wins over another case", onDisk("Photos/a.BMP"), base + "Photos/a.BMP");
    fact("nothing matches: the path as it came", onDisk("IMAGES/NON.BMP"), base.toUpper() + "IMAGES/NON.BMP");
    fact("nearest folder left", viewer::existingFolder(base + "Images/gone/deeper", "/"), base + "Images");
    const QStringList roots{"/", "/home/marie", "/media/marie/CLE/"};
    fact("a longer name is no child", viewer::rootOf(roots, "/home/mariette"), "/");
    fact("a root without its final /", viewer::rootOf(roots, "/media/marie/CLE"), "/media/marie/CLE/");
    fact("chain of a root", viewer::folderChain("/media/cle/", "/media/cle"), QStringList{"/media/cle/"});
    fact("? is one character", viewer::matchesPattern("a1.ico", " a?.ico "), true);
    fact("? is not two", viewer::matchesPattern("a12.ico", "a?.ico"), false);
    fact("removable media", MountedRoots::isMediaMount("/run/media/m/CLE"), true);
    fact("no media: a longer name", MountedRoots::isMediaMount("/mntx"), false);
}

void TestVisuIMG::paths() {
    QFETCH(QVariant, actual);
    QFETCH(QVariant, expected);
    QCOMPARE(actual, expected);
}

void TestVisuIMG::patternFiltersOnEveryKeystroke() {
    Fixture f;
    // Starts on the list's own pattern, not the box's; case-blind order; no hidden files, no folders.
    QCOMPARE(listed(f.v().File1), (QStringList{"abime.bmp", "LOGO.BMP"}));
    QLineEdit* edit = f.v().Combo1->lineEdit();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QStringList seen; // the list after each key, names joined by ","
    for (const QChar c : QStringLiteral("*.png;*.t*")) {
        QTest::keyClicks(edit, QString(c));
        seen << listed(f.v().File1).join(QLatin1Char(','));
    }
    const QString all = QStringLiteral("abime.bmp,Image.PNG,LOGO.BMP,notes.txt");
    const QString png = QStringLiteral("Image.PNG");
    QCOMPARE(seen, (QStringList{all, "", "", "", png, png, all, png, png, png + ",notes.txt"}));
    // Picking an entry refilters too.
    QComboBox* combo = f.v().Combo1;
    combo->showPopup();
    const QRect entry = combo->view()->visualRect(combo->model()->index(8, 0)); // "*.bmp;*.gif;*.jpg"
    QTest::mouseClick(combo->view()->viewport(), Qt::LeftButton, {}, entry.center());
    QCOMPARE(listed(f.v().File1), (QStringList{"abime.bmp", "LOGO.BMP"}));
}

void TestVisuIMG::copyKeepsTheFirstCopyAcrossFolders() {
    Fixture f;
    f.clickFile(QStringLiteral("LOGO.BMP"));
    f.clickFile(QStringLiteral("abime.bmp"));
    f.expectError("Format d'image non supporté !");
    // Loaded by the real name at the large preview's size; the previews keep the last picture.
    QCOMPARE(f.pictures->requests, (QStringList{f.prog() + "/LOGO.BMP", f.prog() + "/abime.bmp"}));
    QCOMPARE(f.pictures->sizes, QList<QSize>(2, QSize(3615 / 15, 3615 / 15)));
    QCOMPARE(f.v().Open->picture().image().pixelColor(0, 0), QColor(Qt::red));
    // The path that did not load is still copied, in upper case.
    const QString first = (f.prog() + "/abime.bmp").toUpper();
    QTest::mouseClick(f.v().Command2, Qt::LeftButton);
    QCOMPARE(f.m.CopiedImagePath, first);
    QVERIFY(f.main.Command11->isEnabled());
    // A root folder gets no doubled separator.
    f.openFolder(f.root());
    QVERIFY(!f.v().Command2->isEnabled() && f.v().Label1->text().isEmpty());
    f.clickFile(QStringLiteral("racine.bmp"));
    QCOMPARE(f.v().Label1->text(), (f.root() + "racine.bmp").toUpper());
    f.v().Command1->click(); // "&Quitter" leaves the first copy in place
    QCOMPARE(f.m.CopiedImagePath, first);
}

void TestVisuIMG::unreadableRootPutsPreviousBack() {
    Fixture f;
    f.clickFile(QStringLiteral("LOGO.BMP"));
    // The viewer becomes the active window again as the box closes.
    f.tp.messages->onShow = [&](const MessageRequest&) { f.v().Form_Activate(); };
    QTest::keyClick(f.v().Drive1, Qt::Key_Down); // from the test root to the unreadable one
    f.expectError("Lecteur indisponible ou non prêt !");
    QCOMPARE(f.v().Drive1->drive(), f.root());
    QCOMPARE(f.v().Drive1->currentText(), QStringLiteral("Disque de test"));
    QCOMPARE(f.v().Dir1->path(), f.prog()); // the same folder, nothing of its view lost
    QCOMPARE(f.v().Label1->text(), (f.prog() + "/LOGO.BMP").toUpper());
}

QTEST_MAIN(TestVisuIMG)
#include "tst_visuimg.moc"
