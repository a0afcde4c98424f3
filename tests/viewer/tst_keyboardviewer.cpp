// The image viewer driven by the keyboard alone: a root by the arrows, a folder opened by
// Enter, a picture chosen by the arrows, copied and the viewer closed by their letters.
#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "viewer/DriveList.h"
#include "viewer/FileList.h"
#include "viewer/FolderList.h"
#include "viewer/PicturePreview.h"
#include "viewer/RootSource.h"
#include "viewer/VisuIMG.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct TwoRoots : RootSource {
    explicit TwoRoots(const QList<ViewerRoot>& all) : list(all) {}
    QList<ViewerRoot> roots() override { return list; }
    bool canRead(const QString& root) override { return QFileInfo(root).isDir(); }
    QList<ViewerRoot> list;
};

struct Viewer {
    QTemporaryDir dir;
    TestPlatform tp;
    Module1 m;
    Form1 main{m, tp.platform};
    std::unique_ptr<VisuIMG> v;
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    Viewer() {
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(Qt::blue);
        for (const char* name : {"un/prog/LOGO.BMP", "un/prog/autre/b.bmp", "deux/c.bmp"}) {
            QDir().mkpath(QFileInfo(path(name)).path());
            image.save(path(name), "BMP");
        }
        tp.environment->programDir = path("un/prog");
        main.Form_Load();
        const QList<ViewerRoot> roots{{path("un"), "Disque un"}, {path("deux"), "Disque deux"}};
        v = std::make_unique<VisuIMG>(m, tp.platform, main, std::make_unique<TwoRoots>(roots));
        v->show();
        v->activateWindow();
    }
    void key(int key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
};

} // namespace

class KeyboardViewerTest : public QObject {
    Q_OBJECT
private slots:
    void tabOrder() {
        Viewer t;
        QVERIFY(QTest::qWaitForWindowActive(t.v.get()));
        t.v->Drive1->setFocus(Qt::TabFocusReason);
        QStringList seen{"Drive1"};
        for (int i = 0; i < 4; ++i) {
            t.key(Qt::Key_Tab);
            seen << QApplication::focusWidget()->objectName();
        }
        // The copy button waits for a picture.
        QCOMPARE(seen, (QStringList{"Drive1", "Dir1", "Combo1", "File1", "Command1"}));
    }

    void browseChooseCopyClose() {
        Viewer t;
        QVERIFY(QTest::qWaitForWindowActive(t.v.get()));
        QCOMPARE(t.v->Dir1->path(), t.path("un/prog"));
        // The list takes the focus on its first file; Space chooses it: shown, and the copy
        // button ready.
        t.v->File1->setFocus(Qt::TabFocusReason);
        t.key(Qt::Key_Space);
        QCOMPARE(t.v->selectedPath(), t.path("un/prog/LOGO.BMP"));
        QVERIFY(!t.v->Open->picture().isNull());
        QVERIFY(t.v->Command2->isEnabled());
        t.key(Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(t.m.CopiedImagePath, t.path("un/prog/LOGO.BMP"));
        QVERIFY(t.main.Command11->isEnabled());
        // The subfolder by the arrows and Enter: its pictures, none chosen yet.
        t.v->Dir1->setFocus(Qt::TabFocusReason);
        t.key(Qt::Key_End);
        t.key(Qt::Key_Return);
        QCOMPARE(t.v->Dir1->path(), t.path("un/prog/autre"));
        QCOMPARE(t.v->File1->count(), 1);
        QVERIFY(!t.v->Command2->isEnabled());
        // Up the chain again by Home and Enter.
        t.key(Qt::Key_Home);
        t.key(Qt::Key_Return);
        QCOMPARE(t.v->Dir1->path(), t.path("un"));
        // The other root by the arrow.
        t.v->Drive1->setFocus(Qt::TabFocusReason);
        t.key(Qt::Key_Down);
        QCOMPARE(t.v->Drive1->drive(), t.path("deux"));
        QCOMPARE(t.v->Dir1->path(), t.path("deux"));
        t.v->File1->setFocus(Qt::TabFocusReason);
        t.key(Qt::Key_Space);
        QCOMPARE(t.v->selectedPath(), t.path("deux/c.bmp"));
        t.key(Qt::Key_Q, Qt::AltModifier);
        QTRY_VERIFY(!t.v->isVisible());
        QCOMPARE(t.m.CopiedImagePath, t.path("un/prog/LOGO.BMP"));
    }
};

QTEST_MAIN(KeyboardViewerTest)
#include "tst_keyboardviewer.moc"
