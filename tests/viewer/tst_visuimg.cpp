// The image viewer driven through its window, on folders the test makes.
#include "FakeRootSource.h"
#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "viewer/DriveList.h"
#include "viewer/FileList.h"
#include "viewer/FolderList.h"
#include "viewer/PicturePreview.h"
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

// A click on the list's row that shows the text (or holds the data) asked for.
void click(QListWidget* list, int role, const QString& value, bool twice = false) {
    const QModelIndexList found =
        list->model()->match(list->model()->index(0, 0), role, value, 1, Qt::MatchExactly);
    QVERIFY2(found.size() == 1, qPrintable(value));
    const QPoint at = list->visualRect(found.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice) // A double click is a click, then the second press.
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

// The one error box the viewer showed.
void expectError(const TestPlatform& tp, const char* prompt) {
    const MessageRequest box{QString::fromUtf8(prompt), "Erreur", MsgButtons::Ok, MsgIcon::Critical, 1};
    QCOMPARE(tp.messages->shown, QList<MessageRequest>{box});
}

// The test's own disk (a root holding the program's folder, a subfolder and a few files), a main
// window and, unless told otherwise, a viewer opened on that disk.
struct Fixture {
    QTemporaryDir dir;
    TestPlatform tp;
    Module1 m;
    Form1 main{m, tp.platform};
    std::unique_ptr<VisuIMG> viewer;

    QString root() const { return dir.path() + QLatin1Char('/'); }
    QString prog() const { return dir.filePath(QStringLiteral("prog")); }
    QString sub() const { return dir.filePath(QStringLiteral("prog/Sous")); }
    QString gone() const { return dir.filePath(QStringLiteral("cle")) + QLatin1Char('/'); }

    explicit Fixture(bool open = true) {
        QDir(dir.path()).mkpath(QStringLiteral("prog/Sous"));
        QDir(dir.path()).mkpath(QStringLiteral("cle"));
        const std::pair<const char*, Qt::GlobalColor> images[] = {
            {"racine.bmp", Qt::yellow},   {"prog/LOGO.BMP", Qt::red},   {"prog/petit.bmp", Qt::green},
            {"prog/photo.jpg", Qt::blue}, {"prog/Image.PNG", Qt::cyan}, {"prog/Sous/autre.bmp", Qt::magenta}};
        for (const auto& [name, colour] : images) {
            QImage image(16, 12, QImage::Format_RGB32);
            image.fill(colour);
            QVERIFY(image.save(dir.filePath(QLatin1String(name))));
        }
        for (const char* name : {"abime.bmp", "notes.txt"}) {
            QFile f(prog() + QLatin1Char('/') + QLatin1String(name));
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("BM this is no bitmap") > 0);
        }
        tp.environment->programDir = prog();
        main.Form_Load();
        if (!open)
            return;
        auto source = std::make_unique<FakeRootSource>();
        source->add(QStringLiteral("/"), QStringLiteral("/"));
        source->add(root(), QStringLiteral("Disque de test"));
        source->add(gone(), QStringLiteral("Clé retirée"));
        source->unreadable << gone();
        viewer = std::make_unique<VisuIMG>(m, tp.platform, main, std::move(source));
        viewer->show();
    }
    VisuIMG& v() { return *viewer; }

    void clickFile(const QString& name) { click(v().File1, Qt::DisplayRole, name); }
    void openFolder(const QString& path) { click(v().Dir1, Qt::UserRole, path, true); }
    // As a person does it: the arrow keys move through the list.
    void pickRoot(const QString& path) {
        const int index = v().Drive1->rootPaths().indexOf(path);
        QVERIFY(index >= 0);
        const int steps = index - v().Drive1->currentIndex();
        for (int i = 0; i < std::abs(steps); ++i)
            QTest::keyClick(v().Drive1, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
    }
};

} // namespace

class TestVisuIMG : public QObject {
    Q_OBJECT
private slots:
    void opensOnTheProgramFolder();
    void typingOrPickingAPatternRefilters();
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
    QCOMPARE(v.Drive1->drive(), f.root());
    QCOMPARE(v.rememberedDrive(), f.root());
    QCOMPARE(v.Dir1->path(), f.prog());
    // The folder list runs from the root down, then shows what the folder holds.
    QCOMPARE(listed(v.Dir1), (QStringList{f.root(), "prog", "Sous"}));
    QCOMPARE(v.Combo1->count(), 10);
    QCOMPARE((QStringList{v.Combo1->itemText(0), v.Combo1->itemText(7), v.Combo1->itemText(9)}),
             (QStringList{"*.ico", "*.ico;*.cur;*.bmp;*.wmf;*.gif;*.jpg", "*.ico;*.cur;*.wmf"}));
    // The box and the list start out of step, and neither start pattern is an entry.
    QCOMPARE(v.Combo1->currentText(), QStringLiteral("*.ico;*.cur;*.bmp;*.wmf"));
    QCOMPARE(v.File1->pattern(), QStringLiteral("*.bmp;*.wmf;*.ico"));
    QVERIFY(v.Combo1->findText(v.Combo1->currentText()) < 0 && v.Combo1->findText(v.File1->pattern()) < 0);
    QCOMPARE(listed(v.File1), (QStringList{"abime.bmp", "LOGO.BMP", "petit.bmp"}));
    QVERIFY(!v.Command2->isEnabled());
    QCOMPARE(v.Label1->text(), QString());
    QVERIFY(f.tp.messages->shown.isEmpty());
}

void TestVisuIMG::typingOrPickingAPatternRefilters() {
    Fixture f;
    QLineEdit* edit = f.v().Combo1->lineEdit();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QCOMPARE(listed(f.v().File1), QStringList{});
    const QString typed = QStringLiteral("*.png;*.t*");
    QStringList seen; // the list after each key, names joined by ","
    for (const QChar c : typed) {
        QTest::keyClicks(edit, QString(c));
        seen << listed(f.v().File1).join(QLatin1Char(','));
    }
    const QString all = QStringLiteral("abime.bmp,Image.PNG,LOGO.BMP,notes.txt,petit.bmp,photo.jpg");
    QCOMPARE(seen, (QStringList{all, "", "", "", "Image.PNG", "Image.PNG", all, "Image.PNG", "Image.PNG",
                                "Image.PNG,notes.txt"}));
    QCOMPARE(f.v().File1->pattern(), typed);
    // Typing adds nothing to the entries; picking one refilters.
    QCOMPARE(f.v().Combo1->count(), 10);
    QComboBox* combo = f.v().Combo1;
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    QAbstractItemView* popup = combo->view();
    QTRY_VERIFY(popup->isVisible());
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {},
                      popup->visualRect(popup->model()->index(8, 0)).center());
    QCOMPARE(combo->currentText(), QStringLiteral("*.bmp;*.gif;*.jpg"));
    QCOMPARE(listed(f.v().File1), (QStringList{"abime.bmp", "LOGO.BMP", "petit.bmp", "photo.jpg"}));
}

void TestVisuIMG::rootFolderGetsNoDoubledSeparator() {
    Fixture f;
    f.openFolder(f.root());
    QCOMPARE(f.v().Dir1->path(), f.root());
    f.clickFile(QStringLiteral("racine.bmp"));
    const QString expected = (f.root() + QStringLiteral("racine.bmp")).toUpper();
    QCOMPARE(f.v().Label1->text(), expected);
    QVERIFY(!f.v().Open->picture().isNull());
    f.v().Command2->click();
    QCOMPARE(f.m.CopiedImagePath, expected);
}

void TestVisuIMG::copyThenFolderChangeKeepsFirstCopy() {
    Fixture f;
    QVERIFY(!f.main.Command11->isEnabled());
    f.clickFile(QStringLiteral("petit.bmp"));
    // The label shows the path in upper case, grown to its text; the file loads by its real name.
    const QString real = f.prog() + QStringLiteral("/petit.bmp");
    const QString first = real.toUpper();
    QCOMPARE(f.v().Label1->text(), first);
    QVERIFY(f.v().Label1->width() >= f.v().Label1->fontMetrics().horizontalAdvance(first));
    QCOMPARE(f.tp.pictures->requests, QStringList{real});
    QVERIFY(!f.v().Open->picture().isNull() && !f.v().Image1->picture().isNull());
    QVERIFY(f.tp.messages->shown.isEmpty());

    QTest::mouseClick(f.v().Command2, Qt::LeftButton);
    QCOMPARE(f.m.CopiedImagePath, first);
    QVERIFY(f.main.Command11->isEnabled());
    QVERIFY(f.v().isVisible());

    f.openFolder(f.sub());
    QCOMPARE(f.v().Dir1->path(), f.sub());
    QVERIFY(!f.v().Command2->isEnabled());
    QCOMPARE(f.v().Label1->text(), QString());
    QVERIFY(f.v().Open->picture().isNull() && f.v().Image1->picture().isNull());
    QCOMPARE(listed(f.v().File1), QStringList{"autre.bmp"});

    f.clickFile(QStringLiteral("autre.bmp"));
    // Closing the viewer leaves the copy in place.
    f.v().Command1->click();
    QCOMPARE(f.m.CopiedImagePath, first);
    QVERIFY(f.main.Command11->isEnabled());
}

void TestVisuIMG::unsupportedFileStaysCopyable() {
    Fixture f;
    f.clickFile(QStringLiteral("LOGO.BMP"));
    const QImage before = f.v().Open->picture().image();
    QCOMPARE(before.pixelColor(0, 0), QColor(Qt::red));

    f.clickFile(QStringLiteral("abime.bmp"));
    expectError(f.tp, "Format d'image non supporté !");
    const QString broken = (f.prog() + QStringLiteral("/abime.bmp")).toUpper();
    QCOMPARE(f.v().Label1->text(), broken);
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

    f.pickRoot(f.gone());
    expectError(f.tp, "Lecteur indisponible ou non prêt !");
    QCOMPARE(shownWhenAsked, f.gone());
    QCOMPARE(f.v().Drive1->drive(), f.root());
    QCOMPARE(f.v().Drive1->currentText(), QStringLiteral("Disque de test"));
    QCOMPARE(f.v().rememberedDrive(), f.root());
    // Back on the same folder: nothing of the folder view was lost.
    QCOMPARE(f.v().Dir1->path(), f.prog());
    QCOMPARE(f.v().Label1->text(), (f.prog() + QStringLiteral("/LOGO.BMP")).toUpper());

    // A readable root opens at its top; coming back returns to the folder left there.
    f.pickRoot(QStringLiteral("/"));
    QCOMPARE(f.v().Dir1->path(), QStringLiteral("/"));
    QCOMPARE(f.v().rememberedDrive(), QStringLiteral("/"));
    QCOMPARE(f.v().Label1->text(), QString());
    f.pickRoot(f.root());
    QCOMPARE(f.v().Dir1->path(), f.prog());
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
    f.clickFile(QStringLiteral("petit.bmp"));
    QCOMPARE(f.v().Open->size(), QSize(3615 / 15, 3615 / 15));
    QCOMPARE(sizes->sizes, QList<QSize>{f.v().Open->pixelSize()});
}

void TestVisuIMG::quitterClosesAndMainWindowWaits() {
    Fixture f(false);
    f.main.show();
    QString seenTitle; // of the modal window open while the main window waits
    QTimer::singleShot(0, [&] {
        if (auto* v = qobject_cast<VisuIMG*>(QApplication::activeModalWidget())) {
            seenTitle = v->windowTitle();
            QTest::mouseClick(v->Command1, Qt::LeftButton);
        }
    });
    f.main.Command9->click();
    QCOMPARE(seenTitle, QStringLiteral("Visionneuse d'images"));
    QVERIFY(!f.main.findChild<VisuIMG*>());
}

QTEST_MAIN(TestVisuIMG)
#include "tst_visuimg.moc"
