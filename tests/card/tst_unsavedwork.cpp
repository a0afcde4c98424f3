#include "CardFileSamples.h"
#include "TestPlatform.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "card/CardChanges.h"
#include "card/CardFileWriter.h"
#include "logo/Form3.h"

#include <QAction>
#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A main window on the test platform, started without a card.
struct Window {
    TestPlatform tp;
    Module1 m;
    Form1 w{m, tp.platform};
    Window() { w.Form_Load(); }
    QStringList titles() const {
        QStringList seen;
        for (const MessageRequest& r : tp.messages->shown)
            seen << r.title;
        return seen;
    }
    // Sends a close event as the window's close box does; true when the window would close.
    bool closeBox() {
        QCloseEvent event;
        QApplication::sendEvent(&w, &event);
        return event.isAccepted();
    }
};

const QString SaveTitle = QStringLiteral("Enregistrer les modifications");

} // namespace

class TestUnsavedWork : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString card_;    // a card file with a logo, centred zone 1, read by the tests
    QString picture_; // a picture that loads
    QString other_;   // another one

private slots:
    void initTestCase() {
        picture_ = dir_.filePath("logo.bmp");
        other_ = dir_.filePath("autre.bmp");
        QVERIFY(QImage(4, 4, QImage::Format_RGB32).save(picture_, "BMP"));
        QVERIFY(QImage(8, 2, QImage::Format_RGB32).save(other_, "BMP"));
        card_ = dir_.filePath("carte.cdv");
        QVERIFY(samples::writeFile(card_, samples::fullCardFile(picture_)));
    }

    // Each change of what the file holds marks the card; things that change nothing of it do
    // not. The card starts as read from its file, zone 1 selected.
    void changes_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("modified");
        const auto row = [](const char* change, bool modified) {
            QTest::newRow(change) << QString::fromLatin1(change) << modified;
        };
        row("text of zone 1", true);
        row("text of zone 3", true);
        row("font", true);
        row("font cancelled", false);
        row("colour", true);
        row("colour cancelled", false);
        row("align left", true);
        row("align right", true);
        row("align centre again", false);
        row("zone selected", false);
        row("logo chosen", true);
        row("logo dialog cancelled", false);
        row("logo that does not load", false);
        row("logo pasted", true);
        row("logo removed", true);
        row("logo margin", true);
        row("logo width", true);
        row("text typed and taken back", false);
        row("print layout loaded", false);
    }
    void changes() {
        QFETCH(QString, change);
        QFETCH(bool, modified);
        Window v;
        v.w.OpenFile(card_);
        QVERIFY(!v.w.isCardModified() && !v.w.isWindowModified());
        QSignalSpy flips(&v.w, &Form1::cardModifiedChanged);
        if (change == "text of zone 1") {
            v.w.Text1->setPlainText("Dupont");
        } else if (change == "text of zone 3") {
            v.w.Label3_Click();
            v.w.Text1->setPlainText("Lyon");
        } else if (change.startsWith("font")) {
            if (change == "font")
                v.tp.dialogs->fonts.enqueue(FontChoice{"Courier", 14, true, false, false, false});
            v.w.Command1_Click();
        } else if (change.startsWith("colour")) {
            if (change == "colour")
                v.tp.dialogs->colours.enqueue(0x00FF00);
            v.w.Command2_Click();
        } else if (change == "align left") {
            v.w.Option1->click();
        } else if (change == "align right") {
            v.w.Option2->click();
        } else if (change == "align centre again") {
            v.w.Option3->click();
        } else if (change == "zone selected") {
            v.w.Label2_Click();
        } else if (change == "logo chosen") {
            v.tp.files->chooseNext(other_);
            v.w.Command3_Click();
        } else if (change == "logo dialog cancelled") {
            v.w.Command3_Click();
        } else if (change == "logo that does not load") {
            v.tp.pictures->failing << other_;
            v.tp.files->chooseNext(other_);
            v.w.Command3_Click();
        } else if (change == "logo pasted") {
            v.m.CopiedImagePath = other_;
            v.w.Command11_Click();
        } else if (change == "logo removed") {
            v.w.Command6_Click();
        } else if (change.startsWith("logo ")) {
            Form3 dialog(v.m, v.tp.platform, v.w);
            dialog.Form_Load();
            if (change == "logo margin")
                dialog.HScroll2_Change(20);
            else
                dialog.HScroll1_Change(30);
        } else if (change == "text typed and taken back") {
            const QString before = v.w.Text1->toPlainText();
            v.w.Text1->setPlainText(before + "x");
            QVERIFY(v.w.isWindowModified());
            v.w.Text1->setPlainText(before);
        } else if (change == "print layout loaded") {
            v.m.layout.leftMargin = 12;
            v.w.setForm2Caption("Paramétrage de l'impression AUTRE.PAR");
        }
        QCOMPARE(v.w.isCardModified(), modified);
        QCOMPARE(v.w.isWindowModified(), modified);
        QCOMPARE(v.w.windowTitle(), QStringLiteral("Création de Carte de Visite[*]"));
        if (change != "text typed and taken back")
            QCOMPARE(flips.count(), modified ? 1 : 0);
    }

    // What leaves the card clean and what does not, from a modified card.
    void clearing_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("modified");
        QTest::newRow("save") << "save" << false;
        QTest::newRow("save as") << "save as" << false;
        QTest::newRow("save as cancelled") << "save as cancelled" << true;
        QTest::newRow("save into a missing folder") << "save fails" << true;
        QTest::newRow("save, characters refused") << "save declined" << true;
        QTest::newRow("open") << "open" << false;
        QTest::newRow("open a missing file") << "open missing" << true;
        QTest::newRow("new") << "new" << false;
    }
    void clearing() {
        QFETCH(QString, command);
        QFETCH(bool, modified);
        const QString copy = dir_.filePath("copie.cdv");
        QFile::remove(copy);
        QVERIFY(QFile::copy(card_, copy));
        Window v;
        v.w.OpenFile(copy);
        v.m.card.FilePath = copy;
        v.w.Text1->setPlainText(command == "save declined" ? "Ωmega" : "changé");
        QVERIFY(v.w.isWindowModified());
        QSignalSpy flips(&v.w, &Form1::cardModifiedChanged);
        v.tp.messages->answers << MsgAnswer::Discard; // for the commands that set the card aside
        if (command == "save") {
            v.w.Mnu_Enregistrer_Click();
        } else if (command == "save as") {
            v.tp.files->chooseNext(dir_.filePath("sous.cdv"));
            v.w.Mnu_EnregistrerSous_Click();
        } else if (command == "save as cancelled") {
            v.w.Mnu_EnregistrerSous_Click();
        } else if (command == "save fails") {
            v.m.card.FilePath = dir_.filePath("absent/carte.cdv");
            v.w.Mnu_Enregistrer_Click();
        } else if (command == "save declined") {
            v.tp.messages->answers.clear();
            v.tp.messages->answers << MsgAnswer::Cancel;
            v.w.Mnu_Enregistrer_Click();
        } else if (command == "open") {
            v.tp.files->chooseNext(card_);
            v.w.Mnu_Ouvrir_Click();
        } else if (command == "open missing") {
            v.tp.files->chooseNext(dir_.filePath("absente.cdv"));
            v.w.Mnu_Ouvrir_Click();
        } else if (command == "new") {
            v.w.Mnu_Nouveau_Click();
        }
        QCOMPARE(v.w.isCardModified(), modified);
        QCOMPARE(v.w.isWindowModified(), modified);
        QCOMPARE(flips.count(), modified ? 0 : 1);
        if (command == "save")
            QCOMPARE(samples::readFile(copy), cardfile::toBytes(v.m.card));
    }

    // A character the file keeps as "?" replaced by another is still work to keep; a space
    // typed at the end of a line is a change too, taken back by deleting it.
    void charactersTheFileCannotHold() {
        Window v;
        v.w.Text1->setPlainText("α");
        cardchanges::markClean(v.m.card);
        v.w.Text1->setPlainText("β");
        QVERIFY(v.w.isCardModified());
        v.w.Text1->setPlainText("α ");
        QVERIFY(v.w.isCardModified());
        v.w.Text1->setPlainText("α");
        QVERIFY(!v.w.isCardModified() && !v.w.isWindowModified());
    }

    // A card read only half-way is nothing the disk holds: it counts as modified.
    void halfReadCardIsModified() {
        const QString cut = dir_.filePath("coupee.cdv");
        const QByteArray full = samples::fullCardFile(picture_);
        QVERIFY(samples::writeFile(cut, full.left(full.indexOf("[Police 3]"))));
        Window v;
        v.w.OpenFile(cut);
        QVERIFY(v.w.isCardModified());
    }

    // Quit, the close box, New, Open and the end of the session, on a clean and on a modified
    // card, with each answer to the question asked.
    void guard_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>(
            "card"); // "clean", "named" (modified, with a file), "unnamed", "unwritable"
        QTest::addColumn<QStringList>("answers"); // "Save", "Discard", "Cancel", "Yes", "No", "Ok", "file"
        QTest::addColumn<QStringList>("boxes");   // the titles of the boxes shown
        QTest::addColumn<bool>("goesOn");
        QTest::addColumn<bool>("saved"); // the changes are in the card's file afterwards
        const QString quitQ = "Quitter le programme", newQ = "Création d'une carte";
        for (const char* c : {"quit", "close", "new", "open", "session"}) {
            const QString command = QString::fromLatin1(c);
            const auto row = [&](const char* name, const char* card, const QStringList& answers,
                                 const QStringList& boxes, bool goesOn, bool saved) {
                QTest::addRow("%s, %s", c, name) << command << card << answers << boxes << goesOn << saved;
            };
            // A clean card: Quit and New keep their confirmation, the others ask nothing.
            if (command == "quit") {
                row("clean, yes", "clean", {"Yes"}, {quitQ}, true, false);
                row("clean, no", "clean", {"No"}, {quitQ}, false, false);
            } else if (command == "new") {
                row("clean, ok", "clean", {"Ok"}, {newQ}, true, false);
                row("clean, cancel", "clean", {"Cancel"}, {newQ}, false, false);
            } else {
                row("clean", "clean", {}, {}, true, false);
            }
            row("save", "named", {"Save"}, {SaveTitle}, true, true);
            row("save as a new file", "unnamed", {"Save", "file"}, {SaveTitle}, true, true);
            row("save as cancelled", "unnamed", {"Save"}, {SaveTitle}, false, false);
            row("save fails", "unwritable", {"Save"}, {SaveTitle, "erreur"}, false, false);
            row("don't save", "named", {"Discard"}, {SaveTitle}, true, false);
            row("cancel", "named", {"Cancel"}, {SaveTitle}, false, false);
            row("enter: the default", "named", {}, {SaveTitle}, false, false);
        }
    }
    void guard() {
        QFETCH(QString, command);
        QFETCH(QString, card);
        QFETCH(QStringList, answers);
        QFETCH(QStringList, boxes);
        QFETCH(bool, goesOn);
        QFETCH(bool, saved);
        const QString path = dir_.filePath("garde.cdv");
        const QString saveAs = dir_.filePath("nouvelle.cdv");
        QFile::remove(saveAs);
        QFile::remove(path);
        QVERIFY(QFile::copy(card_, path));
        Window v;
        if (card != "unnamed") {
            v.m.card.FilePath = path;
            v.w.OpenFile(path);
        }
        if (card == "unwritable")
            v.m.card.FilePath = dir_.filePath("absent/garde.cdv");
        if (card != "clean")
            v.w.Text1->setPlainText("travail en cours");
        const CardDocument before = v.m.card;
        for (const QString& a : answers) {
            if (a == "file")
                v.tp.files->chooseNext(saveAs);
            else
                v.tp.messages->answers << QMap<QString, MsgAnswer>{{"Save", MsgAnswer::Save},
                                                                   {"Discard", MsgAnswer::Discard},
                                                                   {"Cancel", MsgAnswer::Cancel},
                                                                   {"Yes", MsgAnswer::Yes},
                                                                   {"No", MsgAnswer::No},
                                                                   {"Ok", MsgAnswer::Ok}}
                                              .value(a);
        }
        if (card == "unnamed" && !answers.contains("file"))
            v.tp.files->chooseNext(QString()); // the save-as dialog cancelled
        // The card the open dialog picks.
        const QString opened = dir_.filePath("ouverte.cdv");
        QFile::remove(opened);
        QVERIFY(samples::writeFile(opened, samples::newCardFile()));
        if (command == "open")
            v.tp.files->chooseNext(opened);
        QSignalSpy quits(&v.w, &Form1::quitRequested);

        bool wentOn = false;
        if (command == "quit") {
            v.w.Mnu_Quitter_Click();
            wentOn = quits.count() == 1;
            QCOMPARE(v.w.statusFileName() == "Au revoir !", wentOn);
        } else if (command == "close") {
            wentOn = v.closeBox();
            QCOMPARE(quits.count(), wentOn ? 1 : 0);
        } else if (command == "new") {
            v.w.Mnu_Nouveau_Click();
            wentOn = v.m.card.FilePath.isEmpty() && v.m.card.zone(1).Text.isEmpty();
        } else if (command == "open") {
            v.w.Mnu_Ouvrir_Click();
            wentOn = v.tp.files->opens.size() == 1;
            QCOMPARE(v.m.card.FilePath == opened, wentOn);
        } else {
            wentOn = v.w.sessionEnding(true);
        }

        const QStringList shown = v.titles();
        // The save-as dialog, when it shows, is the save's own.
        QCOMPARE(shown, boxes);
        QCOMPARE(wentOn, goesOn);
        if (!boxes.isEmpty() && boxes.first() == SaveTitle) {
            const MessageRequest& asked = v.tp.messages->shown.first();
            QCOMPARE(asked.buttons, MsgButtons::SaveDiscardCancel);
            QCOMPARE(asked.defaultButton, 3);
            QCOMPARE(asked.icon, MsgIcon::Exclamation);
            const QString name =
                card == "unnamed" ? "SANS NOM" : QFileInfo(before.FilePath).fileName().toUpper();
            QCOMPARE(asked.prompt,
                     QStringLiteral("La carte « %1 » a été modifiée.\rVoulez-vous enregistrer les "
                                    "modifications ?\r\rSans enregistrement, elles seront perdues.")
                         .arg(name));
        }
        // What is on disk: the changes when saved, the old card otherwise.
        const QString file = card == "unnamed" ? saveAs : path;
        const QByteArray onDisk = samples::readFile(file);
        QCOMPARE(onDisk.contains("travail en cours"), saved);
        // A command that did not go on left the card as it was.
        if (!goesOn) {
            QCOMPARE(v.m.card.zone(1).Text, before.zone(1).Text);
            QCOMPARE(v.w.isCardModified(), card != "clean");
        }
    }

    // Once the program is on its way out, no later close or session end asks again; after a
    // session end that another program cancels, a new change is asked about again.
    void leavingAsksOnce_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<bool>("typedAfter");
        QTest::addColumn<int>("questions");
        QTest::newRow("quit, then close") << "quit" << false << 1;
        QTest::newRow("close, then close") << "close" << false << 1;
        QTest::newRow("session, then close") << "session" << false << 1;
        QTest::newRow("session, more work, then close") << "session" << true << 2;
    }
    void leavingAsksOnce() {
        QFETCH(QString, first);
        QFETCH(bool, typedAfter);
        QFETCH(int, questions);
        Window v;
        v.w.Text1->setPlainText("travail");
        v.tp.messages->answers << MsgAnswer::Discard << MsgAnswer::Discard;
        if (first == "quit")
            v.w.Mnu_Quitter_Click();
        else if (first == "close")
            QVERIFY(v.closeBox());
        else
            QVERIFY(v.w.sessionEnding(true));
        QCOMPARE(v.tp.messages->shown.size(), 1);
        if (typedAfter)
            v.w.Text1->setPlainText("encore du travail");
        QVERIFY(v.closeBox());
        QVERIFY(v.w.sessionEnding(true));
        QCOMPARE(v.tp.messages->shown.size(), questions);
    }

    // A session manager that allows no question ends the session without one; the card is
    // neither saved over its file nor the end refused.
    void sessionWithoutQuestions() {
        Window v;
        v.m.card.FilePath = dir_.filePath("jamais.cdv");
        v.w.Text1->setPlainText("travail");
        QVERIFY(v.w.sessionEnding(false));
        QVERIFY(v.tp.messages->shown.isEmpty());
        QVERIFY(!QFile::exists(v.m.card.FilePath));
    }
};

QTEST_MAIN(TestUnsavedWork)
#include "tst_unsavedwork.moc"
