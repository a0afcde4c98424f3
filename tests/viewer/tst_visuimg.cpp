// The image viewer driven through its window, on folders the test makes.
#include "FakeRootSource.h"
#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "viewer/DriveList.h"
#include "viewer/FileList.h"
#include "viewer/FolderList.h"
#include "viewer/PicturePreview.h"
#include "viewer/ViewerPaths.h"
#include "viewer/VisuIMG.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

QStringList listed(const QListWidget* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->item(i)->text().trimmed();
    return names;
}

void writeImage(const QString& path, const char* format, Qt::GlobalColor colour) {
    QImage image(16, 12, QImage::Format_RGB32);
    image.fill(colour);
    QVERIFY(image.save(path, format));
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The test's own disk: a root holding the program's folder, a subfolder and a few files.
struct Disk {
    QTemporaryDir dir;
    QString root() const { return dir.path() + QLatin1Char('/'); }
    QString prog() const { return dir.filePath(QStringLiteral("prog")); }
    QString sub() const { return dir.filePath(QStringLiteral("prog/Sous")); }
    QString gone() const { return dir.filePath(QStringLiteral("cle")) + QLatin1Char('/'); }

    Disk() {
        QDir(dir.path()).mkpath(QStringLiteral("prog/Sous"));
        QDir(dir.path()).mkpath(QStringLiteral("cle"));
        writeImage(dir.filePath("racine.bmp"), "BMP", Qt::yellow);
        writeImage(prog() + "/LOGO.BMP", "BMP", Qt::red);
        writeImage(prog() + "/petit.bmp", "BMP", Qt::green);
        writeImage(prog() + "/photo.jpg", "JPG", Qt::blue);
        writeImage(prog() + "/Image.PNG", "PNG", Qt::cyan);
        writeBytes(prog() + "/abime.bmp", "BM this is no bitmap");
        writeBytes(prog() + "/notes.txt", "texte");
        writeImage(sub() + "/autre.bmp", "BMP", Qt::magenta);
    }
};

// A main window and a viewer opened on the test's disk.
struct Fixture {
    Disk disk;
    TestPlatform tp;
    Module1 m;
    Form1 main{m, tp.platform};
    FakeRootSource* roots = nullptr;
    std::unique_ptr<VisuIMG> viewer;

    Fixture() {
        tp.environment->programDir = disk.prog();
        auto source = std::make_unique<FakeRootSource>();
        source->add(QStringLiteral("/"));
        source->add(disk.root(), QStringLiteral("Disque de test"));
        source->add(disk.gone(), QStringLiteral("Clé retirée"));
        source->unreadable << disk.gone();
        roots = source.get();
        main.Form_Load();
        viewer = std::make_unique<VisuIMG>(m, tp.platform, main, std::move(source));
        viewer->show();
    }
    VisuIMG& v() { return *viewer; }

    void clickFile(const QString& name) {
        const QList<QListWidgetItem*> found = v().File1->findItems(name, Qt::MatchExactly);
        QVERIFY2(found.size() == 1, qPrintable(name));
        const QRect at = v().File1->visualItemRect(found.first());
        QTest::mouseClick(v().File1->viewport(), Qt::LeftButton, {}, at.center());
    }
    void openFolder(const QString& path) {
        for (int i = 0; i < v().Dir1->count(); ++i) {
            QListWidgetItem* item = v().Dir1->item(i);
            if (item->data(Qt::UserRole).toString() == path) {
                const QRect at = v().Dir1->visualItemRect(item);
                // A double click is a click, then the second press.
                QTest::mouseClick(v().Dir1->viewport(), Qt::LeftButton, {}, at.center());
                QTest::mouseDClick(v().Dir1->viewport(), Qt::LeftButton, {}, at.center());
                return;
            }
        }
        QFAIL(qPrintable(QStringLiteral("no folder ") + path));
    }
    void pickRoot(const QString& path) {
        const int index = v().Drive1->rootPaths().indexOf(path);
        QVERIFY(index >= 0);
        // As a person does it: the arrow keys move through the list.
        const int steps = index - v().Drive1->currentIndex();
        for (int i = 0; i < std::abs(steps); ++i)
            QTest::keyClick(v().Drive1, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
    }
    void typePattern(const QString& text) {
        QLineEdit* edit = v().Combo1->lineEdit();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
};

} // namespace

class TestVisuIMG : public QObject {
    Q_OBJECT
private slots:
    void opensOnTheProgramFolder();
    void typingRefiltersAtEachKeystroke_data();
    void typingRefiltersAtEachKeystroke();
    void pickingAnEntryRefilters_data();
    void pickingAnEntryRefilters();
    void clickShowsUpperCasePathAndLoadsRealName_data();
    void clickShowsUpperCasePathAndLoadsRealName();
    void rootFolderGetsNoDoubledSeparator();
    void copyThenFolderChangeKeepsFirstCopy();
    void unsupportedFileStaysCopyable();
    void unreadableRootPutsPreviousBack();
    void previewIsDecodedAtItsShownSize();
    void quitterClosesAndMainWindowWaits();
};

void TestVisuIMG::opensOnTheProgramFolder() {
    Fixture f;
    VisuIMG& v = f.v();
    QCOMPARE(v.windowTitle(), QStringLiteral("Visionneuse d'images"));
    QCOMPARE(v.Drive1->drive(), f.disk.root());
    QCOMPARE(v.rememberedDrive(), f.disk.root());
    QCOMPARE(v.Dir1->path(), f.disk.prog());
    QCOMPARE(v.Combo1->currentText(), QStringLiteral("*.ico;*.cur;*.bmp;*.wmf"));
    QCOMPARE(v.Combo1->count(), 10);
    QCOMPARE(v.Combo1->itemText(7), QStringLiteral("*.ico;*.cur;*.bmp;*.wmf;*.gif;*.jpg"));
    // The list still filters with its own start pattern.
    QCOMPARE(v.File1->pattern(), QStringLiteral("*.bmp;*.wmf;*.ico"));
    QCOMPARE(listed(v.File1), (QStringList{"abime.bmp", "LOGO.BMP", "petit.bmp"}));
    QVERIFY(!v.Command2->isEnabled());
    QCOMPARE(v.Command2->toolTip(), QStringLiteral("Copie l'image sélectionnée en mémoire"));
    QCOMPARE(v.Label1->text(), QString());
    QVERIFY(f.tp.messages->shown.isEmpty());
    // The folder list runs from the root down, then shows what the folder holds.
    QCOMPARE(listed(v.Dir1), (QStringList{f.disk.root(), "prog", "Sous"}));
}

void TestVisuIMG::typingRefiltersAtEachKeystroke_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("afterEachKey"); // the list after each key, names joined by ","
    QTest::newRow("jpeg") << "*.jpg"
                          << QStringList{"abime.bmp,Image.PNG,LOGO.BMP,notes.txt,petit.bmp,photo.jpg", "", "",
                                         "", "photo.jpg"};
    QTest::newRow("upper-case mask") << "*.BMP"
                                     << QStringList{
                                            "abime.bmp,Image.PNG,LOGO.BMP,notes.txt,petit.bmp,photo.jpg", "",
                                            "", "", "abime.bmp,LOGO.BMP,petit.bmp"};
    const QString all = QStringLiteral("abime.bmp,Image.PNG,LOGO.BMP,notes.txt,petit.bmp,photo.jpg");
    QTest::newRow("second mask") << "*.png;*.t*"
                                 << QStringList{
                                        all,         "",  "",          "",          "Image.PNG",
                                        "Image.PNG", all, "Image.PNG", "Image.PNG", "Image.PNG,notes.txt"};
    QTest::newRow("matches nothing") << "xy" << QStringList{"", ""};
}

void TestVisuIMG::typingRefiltersAtEachKeystroke() {
    QFETCH(QString, typed);
    QFETCH(QStringList, afterEachKey);
    QCOMPARE(afterEachKey.size(), typed.size());
    Fixture f;
    f.typePattern(QString());
    QCOMPARE(listed(f.v().File1), QStringList{});
    QStringList seen;
    for (const QChar c : typed) {
        QTest::keyClicks(f.v().Combo1->lineEdit(), QString(c));
        seen << listed(f.v().File1).join(QLatin1Char(','));
    }
    QCOMPARE(seen, afterEachKey);
    QCOMPARE(f.v().File1->pattern(), typed);
    // Typing adds nothing to the entries.
    QCOMPARE(f.v().Combo1->count(), 10);
}

void TestVisuIMG::pickingAnEntryRefilters_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("bitmaps") << 2 << QStringList{"abime.bmp", "LOGO.BMP", "petit.bmp"};
    QTest::newRow("jpeg") << 5 << QStringList{"photo.jpg"};
    QTest::newRow("everything") << 6 << QStringList{"abime.bmp", "Image.PNG", "LOGO.BMP",
                                                    "notes.txt", "petit.bmp", "photo.jpg"};
    QTest::newRow("bitmaps, gif and jpeg")
        << 8 << QStringList{"abime.bmp", "LOGO.BMP", "petit.bmp", "photo.jpg"};
    QTest::newRow("icons, cursors, metafiles") << 9 << QStringList{};
}

void TestVisuIMG::pickingAnEntryRefilters() {
    QFETCH(int, entry);
    QFETCH(QStringList, expected);
    Fixture f;
    QComboBox* combo = f.v().Combo1;
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    QAbstractItemView* popup = combo->view();
    QTRY_VERIFY(popup->isVisible());
    const QRect at = popup->visualRect(popup->model()->index(entry, 0));
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, at.center());
    QCOMPARE(combo->currentText(), combo->itemText(entry));
    QCOMPARE(listed(f.v().File1), expected);
}

void TestVisuIMG::clickShowsUpperCasePathAndLoadsRealName_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("upper-case name") << "LOGO.BMP";
    QTest::newRow("lower-case name") << "petit.bmp";
}

void TestVisuIMG::clickShowsUpperCasePathAndLoadsRealName() {
    QFETCH(QString, name);
    Fixture f;
    f.clickFile(name);
    const QString real = f.disk.prog() + QLatin1Char('/') + name;
    QCOMPARE(f.v().Label1->text(), real.toUpper());
    // The label grows to its text.
    QVERIFY(f.v().Label1->width() >= f.v().Label1->fontMetrics().horizontalAdvance(real.toUpper()));
    QVERIFY(f.v().Command2->isEnabled());
    QCOMPARE(f.tp.pictures->requests, QStringList{real});
    QVERIFY(!f.v().Open->picture().isNull());
    QVERIFY(!f.v().Image1->picture().isNull());
    QVERIFY(f.tp.messages->shown.isEmpty());
}

void TestVisuIMG::rootFolderGetsNoDoubledSeparator() {
    Fixture f;
    f.openFolder(f.disk.root());
    QCOMPARE(f.v().Dir1->path(), f.disk.root());
    f.clickFile(QStringLiteral("racine.bmp"));
    const QString expected = (f.disk.root() + QStringLiteral("racine.bmp")).toUpper();
    QCOMPARE(f.v().Label1->text(), expected);
    QVERIFY(!f.v().Label1->text().contains(QLatin1String("//")));
    QVERIFY(!f.v().Open->picture().isNull());

    f.v().Command2->click();
    QCOMPARE(f.m.CopiedImagePath, expected);
}

void TestVisuIMG::copyThenFolderChangeKeepsFirstCopy() {
    Fixture f;
    QVERIFY(!f.main.Command11->isEnabled());
    f.clickFile(QStringLiteral("petit.bmp"));
    QTest::mouseClick(f.v().Command2, Qt::LeftButton);
    const QString first = (f.disk.prog() + QStringLiteral("/petit.bmp")).toUpper();
    QCOMPARE(f.m.CopiedImagePath, first);
    QVERIFY(f.main.Command11->isEnabled());
    QVERIFY(f.v().isVisible());
    // The upper-case path still leads back to the file on a case-sensitive disk.
    QCOMPARE(viewer::pathOnDisk(f.m.CopiedImagePath), f.disk.prog() + QStringLiteral("/petit.bmp"));

    f.openFolder(f.disk.sub());
    QCOMPARE(f.v().Dir1->path(), f.disk.sub());
    QVERIFY(!f.v().Command2->isEnabled());
    QCOMPARE(f.v().Label1->text(), QString());
    QVERIFY(f.v().Open->picture().isNull());
    QVERIFY(f.v().Image1->picture().isNull());
    QCOMPARE(listed(f.v().File1), QStringList{"autre.bmp"});

    f.clickFile(QStringLiteral("autre.bmp"));
    QCOMPARE(f.m.CopiedImagePath, first);
    QVERIFY(f.main.Command11->isEnabled());

    // Closing the viewer leaves the copy in place.
    f.v().Command1->click();
    QCOMPARE(f.m.CopiedImagePath, first);
}

void TestVisuIMG::unsupportedFileStaysCopyable() {
    Fixture f;
    f.clickFile(QStringLiteral("LOGO.BMP"));
    const QImage before = f.v().Open->picture().image();
    QCOMPARE(before.pixelColor(0, 0), QColor(Qt::red));

    f.clickFile(QStringLiteral("abime.bmp"));
    QCOMPARE(f.tp.messages->shown.size(), 1);
    const MessageRequest box = f.tp.messages->shown.first();
    QCOMPARE(box.prompt, QStringLiteral("Format d'image non supporté !"));
    QCOMPARE(box.title, QStringLiteral("Erreur"));
    QCOMPARE(box.icon, MsgIcon::Critical);
    QCOMPARE(box.buttons, MsgButtons::Ok);
    const QString broken = (f.disk.prog() + QStringLiteral("/abime.bmp")).toUpper();
    QCOMPARE(f.v().Label1->text(), broken);
    QVERIFY(f.v().Command2->isEnabled());
    // The previews keep the last picture that loaded.
    QCOMPARE(f.v().Open->picture().image(), before);
    QCOMPARE(f.v().Image1->picture().image(), before);

    f.v().Command2->click();
    QCOMPARE(f.m.CopiedImagePath, broken);
}

void TestVisuIMG::unreadableRootPutsPreviousBack() {
    Fixture f;
    f.clickFile(QStringLiteral("LOGO.BMP"));
    QString shownWhenAsked;
    f.tp.messages->onShow = [&](const MessageRequest&) {
        shownWhenAsked = f.v().Drive1->drive();
        // The viewer becomes the active window again as the box closes.
        f.v().Form_Activate();
    };

    f.pickRoot(f.disk.gone());

    QCOMPARE(f.tp.messages->shown.size(), 1);
    const MessageRequest box = f.tp.messages->shown.first();
    QCOMPARE(box.prompt, QStringLiteral("Lecteur indisponible ou non prêt !"));
    QCOMPARE(box.title, QStringLiteral("Erreur"));
    QCOMPARE(box.icon, MsgIcon::Critical);
    QCOMPARE(shownWhenAsked, f.disk.gone());
    QCOMPARE(f.v().Drive1->drive(), f.disk.root());
    QCOMPARE(f.v().Drive1->currentText(), QStringLiteral("Disque de test"));
    QCOMPARE(f.v().rememberedDrive(), f.disk.root());
    // Back on the same folder: nothing of the folder view was lost.
    QCOMPARE(f.v().Dir1->path(), f.disk.prog());
    QCOMPARE(f.v().Label1->text(), (f.disk.prog() + QStringLiteral("/LOGO.BMP")).toUpper());

    // A readable root opens at its top; coming back returns to the folder left there.
    f.pickRoot(QStringLiteral("/"));
    QCOMPARE(f.v().Dir1->path(), QStringLiteral("/"));
    QCOMPARE(f.v().rememberedDrive(), QStringLiteral("/"));
    QCOMPARE(f.v().Label1->text(), QString());
    f.pickRoot(f.disk.root());
    QCOMPARE(f.v().Dir1->path(), f.disk.prog());
    QCOMPARE(f.tp.messages->shown.size(), 1);
}

namespace {
// Records the size each picture is asked for at.
class SizeRecordingLoader : public PictureLoader {
public:
    std::optional<Picture> load(const QString& path) override { return loadScaled(path, QSize()); }
    std::optional<Picture> loadScaled(const QString& path, const QSize& size) override {
        sizes << size;
        QImage image(size.isValid() ? size : QSize(1, 1), QImage::Format_RGB32);
        image.fill(Qt::black);
        return path.isEmpty() ? Picture() : Picture(image);
    }
    QList<QSize> sizes;
};
} // namespace

void TestVisuIMG::previewIsDecodedAtItsShownSize() {
    Fixture f;
    auto loader = std::make_unique<SizeRecordingLoader>();
    SizeRecordingLoader* sizes = loader.get();
    f.tp.platform.pictures = std::move(loader);
    f.tp.pictures = nullptr;
    f.typePattern(QStringLiteral("*.jpg"));
    f.clickFile(QStringLiteral("photo.jpg"));
    QCOMPARE(f.v().Open->size(), QSize(3615 / 15, 3615 / 15));
    QCOMPARE(f.v().Image1->size(), QSize(735 / 15, 735 / 15));
    QCOMPARE(sizes->sizes, QList<QSize>{f.v().Open->pixelSize()});
}

void TestVisuIMG::quitterClosesAndMainWindowWaits() {
    Disk disk;
    TestPlatform tp;
    tp.environment->programDir = disk.prog();
    Module1 m;
    Form1 main(m, tp.platform);
    main.Form_Load();
    main.show();
    QString seenTitle;
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        auto* v = qobject_cast<VisuIMG*>(QApplication::activeModalWidget());
        if (!v)
            return;
        seenTitle = v->windowTitle();
        wasModal = v->isModal();
        QTest::mouseClick(v->Command1, Qt::LeftButton);
    });
    main.Command9->click();
    QCOMPARE(seenTitle, QStringLiteral("Visionneuse d'images"));
    QVERIFY(wasModal);
    QVERIFY(!main.findChild<VisuIMG*>());
}

QTEST_MAIN(TestVisuIMG)
#include "tst_visuimg.moc"
