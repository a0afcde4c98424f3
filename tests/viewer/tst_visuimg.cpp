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
    void pasteTakesTheFileShown_data();
    void pasteTakesTheFileShown();
    void remembersItsFolder();
    void longPathStaysInTheWindow();
};

void TestVisuIMG::paths_data() {
    QTest::addColumn<QVariant>("actual");
    QTest::addColumn<QVariant>("expected");
    QTemporaryDir dir;
    for (const char* name : {"Images/Logo.bmp", "Images/img10.bmp", "Images/Img1.bmp", "Images/img2.bmp",
                             "Images/img02b.bmp", "Vide/notes.txt"})
        makeFile(dir.filePath(QString::fromUtf8(name)));
    const QString base = dir.path() + '/';
    fact("natural order", viewer::matchingFiles(base + "Images", "*.bmp"),
         QStringList{"Img1.bmp", "img2.bmp", "img02b.bmp", "img10.bmp", "Logo.bmp"});
    fact("2 before 10", viewer::naturalLess("img2", "img10"), true);
    fact("10 after 2", viewer::naturalLess("img10", "img2"), false);
    fact("digits by value, then what follows", viewer::naturalLess("x9z", "x10a"), true);
    fact("letters without regard to case", viewer::naturalLess("B", "a"), false);
    fact("a shorter name first", viewer::naturalLess("ab", "abc"), true);
    fact("a name is not before itself", viewer::naturalLess("img2", "img2"), false);
    fact("leading zeros", viewer::naturalLess("img002", "img3"), true);
    fact("last folder first", viewer::startFolder(base + "Vide", base + "Images", base, "/home/m"),
         base + "Vide");
    fact("last folder gone", viewer::startFolder(base + "parti", base + "Images", base, "/home/m"),
         base + "Images");
    fact("program folder without pictures",
         viewer::startFolder("", base + "Vide", base + "Images", "/home/m"), base + "Images");
    fact("no pictures folder", viewer::startFolder("", base + "Vide", base + "Aucun", "/home/m"), "/home/m");
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
    // The path that did not load is still copied, spelt as on disk.
    const QString first = f.prog() + "/abime.bmp";
    QTest::mouseClick(f.v().Command2, Qt::LeftButton);
    QCOMPARE(f.m.CopiedImagePath, first);
    QVERIFY(f.main.Command11->isEnabled());
    // A root folder gets no doubled separator.
    f.openFolder(f.root());
    QVERIFY(!f.v().Command2->isEnabled() && f.v().Label1->text().isEmpty() && f.v().selectedPath().isEmpty());
    f.clickFile(QStringLiteral("racine.bmp"));
    QCOMPARE(f.v().Label1->toolTip(), (f.root() + "racine.bmp").toUpper());
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
    QCOMPARE(f.v().Label1->toolTip(), (f.prog() + "/LOGO.BMP").toUpper());
}

// Two names that differ only in case: the paste takes the very file that was shown.
void TestVisuIMG::pasteTakesTheFileShown_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("lower case") << "same.bmp" << QColor(Qt::green);
    QTest::newRow("upper case") << "SAME.BMP" << QColor(Qt::blue);
}
void TestVisuIMG::pasteTakesTheFileShown() {
    QFETCH(QString, name);
    QFETCH(QColor, colour);
    Fixture f;
    for (const auto& [file, c] : {std::pair{"same.bmp", Qt::green}, std::pair{"SAME.BMP", Qt::blue}}) {
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(c);
        QVERIFY(image.save(f.prog() + "/" + file, "BMP"));
    }
    f.v().File1->refresh();
    f.clickFile(name);
    QCOMPARE(f.v().Label1->toolTip(), (f.prog() + "/SAME.BMP").toUpper());
    QTest::mouseClick(f.v().Command2, Qt::LeftButton);
    f.v().Command1->click();
    QTest::mouseClick(f.main.Command11, Qt::LeftButton);
    QCOMPARE(f.m.card.Logo.RecordedPath, f.prog() + "/" + name);
    QCOMPARE(f.m.card.Logo.picture.image().pixelColor(0, 0), colour);
    QVERIFY(f.tp.messages->shown.isEmpty());
}

// The viewer opens again, in this run, on the folder it showed last.
void TestVisuIMG::remembersItsFolder() {
    Fixture f;
    f.openFolder(f.root());
    f.v().Command1->click();
    VisuIMG again(f.m, f.tp.platform, f.main,
                  std::make_unique<FakeRoots>(QList<ViewerRoot>{{f.root(), "Test"}}, ""));
    QCOMPARE(again.Dir1->path(), f.root());
    QVERIFY(listed(again.File1).contains("racine.bmp"));
}

// A long path is cut in its middle, never past the window; the tooltip holds it whole.
void TestVisuIMG::longPathStaysInTheWindow() {
    Fixture f;
    const QString deep = f.prog() + "/" + QString("dossier-aux-noms-tres-longs/").repeated(6);
    QVERIFY(QDir().mkpath(deep));
    QVERIFY(QFile::copy(f.prog() + "/LOGO.BMP", deep + "fin.bmp"));
    f.v().Dir1->setPath(deep.chopped(1));
    f.clickFile("fin.bmp");
    QLabel* label = f.v().Label1;
    QCOMPARE(label->toolTip(), (deep + "fin.bmp").toUpper());
    QVERIFY(label->text().startsWith(label->toolTip().left(3)) && label->text().endsWith("FIN.BMP"));
    QVERIFY(label->text().contains(QChar(0x2026)));
    QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
    QVERIFY(label->geometry().right() < f.v().width());
    QTest::mouseClick(f.v().Command2, Qt::LeftButton);
    QCOMPARE(f.m.CopiedImagePath, deep + "fin.bmp");
}

QTEST_MAIN(TestVisuIMG)
#include "tst_visuimg.moc"
