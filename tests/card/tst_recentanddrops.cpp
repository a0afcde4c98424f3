#include "CardFileSamples.h"
#include "TestPlatform.h"
#include "app/CardPreview.h"
#include "app/DropAction.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "card/RecentCards.h"

#include <QAction>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A main window whose settings live in a file of the test's folder.
struct Window {
    TestPlatform tp;
    Module1 m;
    std::unique_ptr<Form1> w;
    explicit Window(const QString& settingsFile) {
        tp.platform.settings = std::make_unique<QSettings>(settingsFile, QSettings::IniFormat);
        w = std::make_unique<Form1>(m, tp.platform);
        w->Form_Load();
        w->show();
    }
    QStringList menu() const {
        QStringList shown;
        for (QAction* a : w->Mnu_Recent)
            if (a->isVisible())
                shown << a->text() + "=" + a->data().toString();
        return shown;
    }
    // Drops the files on the window at the point given in its own coordinates.
    bool drop(const QStringList& paths, const QPoint& at) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& p : paths)
            urls << (p.startsWith("http") ? QUrl(p) : QUrl::fromLocalFile(p));
        data.setUrls(urls);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w.get(), &enter);
        QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w.get(), &move);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w.get(), &drop);
        QCoreApplication::processEvents(); // what a drop does comes after it
        return move.isAccepted() && drop.isAccepted();
    }
    QPoint onLogo() const { return w->Picture2->mapTo(w.get(), w->Picture2->rect().center()); }
    QPoint onEditor() const { return w->Text1->mapTo(w.get(), w->Text1->rect().center()); }
};

} // namespace

class TestRecentAndDrops : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString card(int n) const { return dir_.filePath(QStringLiteral("carte%1.cdv").arg(n)); }

private slots:
    void initTestCase() {
        for (int n = 1; n <= 7; ++n)
            QVERIFY(samples::writeFile(card(n), samples::newCardFile()));
        QVERIFY(samples::writeFile(dir_.filePath("Client.CDV"), samples::fullCardFile("AUCUN")));
        QImage logo(5, 3, QImage::Format_RGB32);
        logo.fill(Qt::red);
        QVERIFY(logo.save(dir_.filePath("logo.png"), "PNG"));
    }

    void added_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("first") << QStringList{} << "/a" << QStringList{"/a"};
        QTest::newRow("newest first") << QStringList{"/a", "/b"} << "/c" << QStringList{"/c", "/a", "/b"};
        QTest::newRow("again: moves up")
            << QStringList{"/a", "/b", "/c"} << "/c" << QStringList{"/c", "/a", "/b"};
        QTest::newRow("already first") << QStringList{"/a", "/b"} << "/a" << QStringList{"/a", "/b"};
        QTest::newRow("five at most")
            << QStringList{"/1", "/2", "/3", "/4", "/5"} << "/6" << QStringList{"/6", "/1", "/2", "/3", "/4"};
        QTest::newRow("the fifth again")
            << QStringList{"/1", "/2", "/3", "/4", "/5"} << "/5" << QStringList{"/5", "/1", "/2", "/3", "/4"};
        QTest::newRow("no name") << QStringList{"/a"} << "" << QStringList{"/a"};
    }
    void added() {
        QFETCH(QStringList, before);
        QFETCH(QString, path);
        QFETCH(QStringList, after);
        QCOMPARE(recentcards::added(before, path), after);
    }

    // Cards opened and saved fill the menu, newest first, five at most, kept for the next
    // run; one that is gone leaves the list when the menu opens.
    void menu() {
        const QString settings = dir_.filePath("menu.ini");
        {
            Window v(settings);
            QVERIFY(v.menu().isEmpty() && !v.w->Mnu_RecentSeparator->isVisible());
            for (int n = 1; n <= 6; ++n)
                v.w->OpenFile(card(n));
            v.tp.files->chooseNext(card(7));
            v.tp.messages->answers << MsgAnswer::Yes; // replace carte7.cdv
            v.w->Mnu_EnregistrerSous_Click();
            v.w->OpenFile(card(5));
            QCOMPARE(v.menu(), (QStringList{"&1 carte5.cdv=" + card(5), "&2 carte7.cdv=" + card(7),
                                            "&3 carte6.cdv=" + card(6), "&4 carte4.cdv=" + card(4),
                                            "&5 carte3.cdv=" + card(3)}));
            QVERIFY(v.w->Mnu_RecentSeparator->isVisible());
            // The entries stand between the parameters and "&Quitter".
            const QList<QAction*> all = v.w->Mnu_Fichier->actions();
            QVERIFY(all.indexOf(v.w->Mnu_Recent.first()) > all.indexOf(v.w->Mnu_ChargeParam));
            QCOMPARE(all.indexOf(v.w->Mnu_Recent.last()), all.indexOf(v.w->Mnu_RecentSeparator) - 1);
            QCOMPARE(all.indexOf(v.w->Mnu_RecentSeparator), all.indexOf(v.w->Mnu_Quitter) - 1);
        }
        QVERIFY(QFile::rename(card(7), card(7) + ".parti"));
        Window next(settings);
        QCOMPARE(next.w->recentCards(), (QStringList{card(5), card(6), card(4), card(3)}));
        emit next.w->Mnu_Fichier->aboutToShow();
        QCOMPARE(next.menu().size(), 4);
        QCOMPARE(QSettings(settings, QSettings::IniFormat).value("recentCards").toStringList(),
                 next.w->recentCards());
        QVERIFY(QFile::rename(card(7) + ".parti", card(7)));
    }

    // An entry opens its card, through the save question when the card holds work.
    void entryOpens_data() {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("answer"); // 0 none, 1 "Ne pas enregistrer", 2 "Annuler"
        QTest::addColumn<bool>("opened");
        QTest::newRow("clean card") << false << 0 << true;
        QTest::newRow("modified, don't save") << true << 1 << true;
        QTest::newRow("modified, cancel") << true << 2 << false;
    }
    void entryOpens() {
        QFETCH(bool, modified);
        QFETCH(int, answer);
        QFETCH(bool, opened);
        Window v(dir_.filePath("entry.ini"));
        v.w->OpenFile(dir_.filePath("Client.CDV"));
        v.w->OpenFile(card(1));
        if (modified)
            v.w->Text1->setPlainText("en cours");
        if (answer)
            v.tp.messages->answers << (answer == 1 ? MsgAnswer::Discard : MsgAnswer::Cancel);
        v.w->Mnu_Recent.at(1)->trigger();
        QCOMPARE(v.tp.messages->shown.size(), modified ? 1 : 0);
        QCOMPARE(v.m.card.FilePath == dir_.filePath("Client.CDV"), opened);
        QCOMPARE(v.w->statusFileName() == "CLIENT.CDV", opened);
        QCOMPARE(v.m.card.zone(1).FontName == "Times New Roman", opened);
    }

    void dropAction_data() {
        QTest::addColumn<QStringList>("urls");
        QTest::addColumn<bool>("overLogo");
        QTest::addColumn<QString>("action");
        QTest::newRow("card anywhere") << QStringList{"/c/a.cdv"} << false << "card /c/a.cdv";
        QTest::newRow("card on the logo") << QStringList{"/c/a.CDV"} << true << "card /c/a.CDV";
        QTest::newRow("picture on the logo") << QStringList{"/c/l.png"} << true << "logo /c/l.png";
        QTest::newRow("picture elsewhere") << QStringList{"/c/l.png"} << false << "none ";
        QTest::newRow("first file counts") << QStringList{"/c/l.png", "/c/a.cdv"} << true << "logo /c/l.png";
        QTest::newRow("web address skipped")
            << QStringList{"http://x/a.cdv", "/c/b.cdv"} << false << "card /c/b.cdv";
        QTest::newRow("a folder") << QStringList{"/tmp"} << true << "none ";
        QTest::newRow("nothing") << QStringList{} << true << "none ";
    }
    void dropAction() {
        QFETCH(QStringList, urls);
        QFETCH(bool, overLogo);
        QFETCH(QString, action);
        QList<QUrl> list;
        for (const QString& u : urls)
            list << (u.startsWith("http") ? QUrl(u) : QUrl::fromLocalFile(u));
        const DropAction a = DropAction::of(list, overLogo);
        const char* kinds[] = {"none", "card", "logo"};
        QCOMPARE(QString::fromLatin1(kinds[int(a.kind)]) + " " + a.path, action);
    }

    // Dropped on the window: a card opens (through the save question), a picture on the
    // logo becomes it, a picture elsewhere is refused.
    void drops_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("result"); // "card", "logo" or "nothing"
        QTest::newRow("card on the editor") << "Client.CDV"
                                            << "editor" << false << true << "card";
        QTest::newRow("card on a modified card, cancel") << "Client.CDV"
                                                         << "editor" << true << true << "nothing";
        QTest::newRow("picture on the logo") << "logo.png"
                                             << "logo" << false << true << "logo";
        QTest::newRow("picture on the editor") << "logo.png"
                                               << "editor" << false << false << "nothing";
    }
    void drops() {
        QFETCH(QString, file);
        QFETCH(QString, where);
        QFETCH(bool, modified);
        QFETCH(bool, accepted);
        QFETCH(QString, result);
        Window v(dir_.filePath("drops.ini"));
        if (modified)
            v.w->Text1->setPlainText("en cours");
        const QString path = dir_.filePath(file);
        QCOMPARE(v.drop({path}, where == "logo" ? v.onLogo() : v.onEditor()), accepted);
        QCOMPARE(v.tp.messages->shown.size(), modified ? 1 : 0);
        QCOMPARE(v.m.card.FilePath == path, result == "card");
        QCOMPARE(v.m.card.Logo.RecordedPath == path, result == "logo");
        if (result == "logo") {
            // The steps of "Logo Icone": the path taken, the picture shown, the card modified.
            QCOMPARE(v.m.card.Logo.Path, path);
            QCOMPARE(v.m.card.Logo.picture.image().pixelColor(0, 0), QColor(Qt::red));
            QVERIFY(v.w->isWindowModified());
        }
    }
};

QTEST_MAIN(TestRecentAndDrops)
#include "tst_recentanddrops.moc"
