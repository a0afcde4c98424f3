// The main window driven by the keyboard alone: the standard keys, the menus by their letters,
// the buttons by theirs, the zones and the logo by Tab and Space or Enter, the tab order.
#include "TestPlatform.h"
#include "app/Access.h"
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "card/DocumentPrompts.h"
#include "setup/PrintSetupMenus.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

struct Window {
    TestPlatform tp;
    Module1 m;
    Form1 w{m, tp.platform};
    QStringList dialogs; // the modal windows that opened, each closed by Escape
    QTimer closer;

    Window() {
        w.Form_Load();
        w.show();
        w.activateWindow();
        closer.setInterval(5);
        QObject::connect(&closer, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                dialogs << modal->objectName();
                QTest::keyClick(modal, Qt::Key_Escape);
            }
        });
        closer.start();
    }
    QWidget* focus() const {
        return QApplication::focusWidget() ? QApplication::focusWidget() : (QWidget*)&w;
    }
    void keys(const QString& sequence) { QTest::keySequence(focus(), QKeySequence(sequence)); }
    QStringList prompts() const {
        QStringList out;
        for (const MessageRequest& r : tp.messages->shown)
            out << r.prompt;
        return out;
    }
    // What the commands did, in the test doubles and on screen.
    QStringList effects() const {
        QStringList out = prompts();
        out += QStringList(tp.files->opens.size(), QStringLiteral("ouvrir"));
        out += QStringList(tp.files->saves.size(), QStringLiteral("enregistrer sous"));
        out += QStringList(tp.dialogs->fontRequests.size(), QStringLiteral("police"));
        out += QStringList(tp.dialogs->colourRequests.size(), QStringLiteral("couleur"));
        if (tp.help->count)
            out << QStringLiteral("aide %1").arg(tp.help->lastCommand);
        out += dialogs;
        return out;
    }
};

bool ready(Window& t) {
    return QTest::qWaitForWindowActive(&t.w);
}

// Walks the focus with Tab from the first widget until it comes back, by object name.
QStringList tabWalk(QWidget* first, int limit = 40) {
    first->setFocus(Qt::TabFocusReason);
    QStringList seen{first->objectName()};
    for (int i = 0; i < limit; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* now = QApplication::focusWidget();
        if (now == first)
            return seen;
        seen << (now ? now->objectName() : QStringLiteral("(none)"));
    }
    return seen;
}

} // namespace

class KeyboardMainTest : public QObject {
    Q_OBJECT
private slots:
    // Each standard key does its own command and only that, whatever has the focus. Save on a
    // card that has a file writes it without a dialog; Save As always asks for the name.
    void standardKeys_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("effects");
        QTest::addColumn<bool>("written");
        QTest::newRow("new") << "Ctrl+N" << QStringList{documentprompt::newCardQuestion().prompt} << false;
        QTest::newRow("open") << "Ctrl+O" << QStringList{"ouvrir"} << false;
        QTest::newRow("save") << "Ctrl+S" << QStringList{} << true;
        QTest::newRow("save as") << "Ctrl+Shift+S" << QStringList{"enregistrer sous"} << false;
        QTest::newRow("print") << "Ctrl+P" << QStringList{"Form2"} << false;
        QTest::newRow("quit") << "Ctrl+Q" << QStringList{documentprompt::quitQuestion().prompt} << false;
        QTest::newRow("help") << "F1" << QStringList{"aide 3"} << false;
    }
    void standardKeys() {
        QFETCH(QString, keys);
        QFETCH(QStringList, effects);
        QFETCH(bool, written);
        QTemporaryDir dir;
        // From the editor and from a zone box.
        for (const QString& where : {QStringLiteral("Text1"), QStringLiteral("Label2")}) {
            Window t;
            QVERIFY(ready(t));
            const QString card = dir.filePath(where + QStringLiteral(".cdv"));
            t.m.card.FilePath = card;
            t.w.findChild<QWidget*>(where)->setFocus();
            t.keys(keys);
            QTRY_COMPARE(t.effects(), effects);
            QCOMPARE(QFile::exists(card), written);
        }
    }

    // The menus by their letters: Alt+F opens "&Fichier", a letter runs its entry; Right goes on
    // to the logo menu, then to the help menu. Exactly the entry named runs.
    void menuLetters_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("entry");
        const char* rows[][2] = {
            {"N", "Mnu_Nouveau"},
            {"O", "Mnu_Ouvrir"},
            {"E", "Mnu_Enregistrer"},
            {"S", "Mnu_EnregistrerSous"},
            {"I", "Mnu_Imprimer"},
            {"A", "Mnu_Apercu"},
            {"D", "Mnu_ExportPdf"},
            {"C", "Mnu_ConfigImp"},
            {"P", "Mnu_ImpPort"},
            {"Y", "Mnu_ImpPays"},
            {"H", "Mnu_ChargeParam"},
            {"L", "Mnu_Calibration"},
            {"Q", "Mnu_Quitter"},
            {"Right,Right,S", "Mmu_Som_Aide"},
            {"Right,Right,R", "Mnu_AideIndex"},
            {"Right,Right,A", "Mnu_APropos"},
        };
        for (const auto& [keys, entry] : rows)
            QTest::newRow(entry) << QString::fromLatin1(keys) << QString::fromLatin1(entry);
    }
    void menuLetters() {
        QFETCH(QString, keys);
        QFETCH(QString, entry);
        Window t;
        QVERIFY(ready(t));
        QStringList triggered;
        for (QAction* a : t.w.findChildren<QAction*>())
            connect(a, &QAction::triggered, &t.w, [a, &triggered] { triggered << a->objectName(); });
        t.tp.messages->answers.enqueue(MsgAnswer::No); // not quitting, whatever is asked first
        QTest::keyClick(t.w.Text1, Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        for (const QString& key : keys.split(',')) {
            QWidget* popup = QApplication::activePopupWidget();
            QVERIFY(popup);
            QTest::keySequence(popup, QKeySequence(key));
        }
        QTRY_COMPARE(triggered, QStringList{entry});
    }

    // Every entry of every menu has a letter of its own in its menu, the preset papers too,
    // whatever their names hold.
    void everyEntryHasItsLetter() {
        Window t;
        QTemporaryDir presets;
        for (const char* name : {"Avery A&B.par", "Avery.par", "Avery 2.par", "10x5.par"}) {
            QFile f(presets.filePath(QString::fromUtf8(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("0.5 1 2 3 85 54\r\nVrai Vrai\r\n");
        }
        QMenu* papers = t.w.findChild<QMenu*>(QStringLiteral("Mnu_Papiers"));
        QVERIFY(papers);
        fillPresetMenu(t.w, papers, presets.path());
        QCOMPARE(papers->actions().size(), 4);
        QList<QMenu*> menus{t.w.Mnu_Fichier, t.w.Mnu_Logo, t.w.Mnu_Aide, papers};
        for (QMenu* menu : menus) {
            QString letters;
            for (QAction* a : menu->actions()) {
                if (a->isSeparator() || !a->isVisible())
                    continue;
                const QChar letter = access::mnemonicOf(a->text());
                QVERIFY2(!letter.isNull(), qPrintable(a->text()));
                QVERIFY2(!letters.contains(letter), qPrintable(menu->title() + ": " + a->text()));
                letters += letter;
            }
        }
        // A name's own '&' is shown, not taken as its letter.
        QStringList shown;
        for (QAction* a : papers->actions())
            shown << a->iconText();
        QCOMPARE(shown, (QStringList{"10x5.par", "Avery 2.par", "Avery A&B.par", "Avery.par"}));
    }

    // The buttons of the window by Alt and their letter: each letter belongs to one button.
    void buttonLetters_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("effects");
        QTest::newRow("police") << "Alt+P" << QStringList{"police"};
        QTest::newRow("couleur") << "Alt+C" << QStringList{"couleur"};
        QTest::newRow("logo") << "Alt+L" << QStringList{"ouvrir"};
        QTest::newRow("redimensionner") << "Alt+R" << QStringList{"Form3"};
        QTest::newRow("imprimer") << "Alt+I" << QStringList{"Form2"};
        QTest::newRow("visualiser") << "Alt+V" << QStringList{"VisuIMG"};
        QTest::newRow("aide") << "Alt+A" << QStringList{"aide 3"};
        QTest::newRow("quitter") << "Alt+Q" << QStringList{documentprompt::quitQuestion().prompt};
    }
    void buttonLetters() {
        QFETCH(QString, keys);
        QFETCH(QStringList, effects);
        Window t;
        QVERIFY(ready(t));
        t.tp.messages->answers.enqueue(MsgAnswer::No);
        t.keys(keys);
        QTRY_COMPARE(t.effects(), effects);
    }

    // "Pas d'icone" and "Coller l'image" by their letters: the logo goes, then the copied picture
    // comes back as the logo.
    void logoLetters() {
        Window t;
        QVERIFY(ready(t));
        const QString picture = QStringLiteral(KALIMO_SOURCE_DIR "/resources/icons/kalimo.png");
        t.m.card.Logo.Path = picture;
        // A button's letter clicks it as the mouse does, a moment later.
        t.keys(QStringLiteral("Alt+S"));
        QTRY_COMPARE(t.m.card.Logo.Path, QStringLiteral("AUCUN"));
        t.m.CopiedImagePath = picture;
        t.w.Command11->setEnabled(true);
        t.keys(QStringLiteral("Alt+O"));
        QTRY_COMPARE(t.m.card.Logo.Path, picture);
        // While a print runs, its cancel button and the help button have a letter each.
        t.w.Frame2->show();
        t.keys(QStringLiteral("Alt+A"));
        QTRY_COMPARE(t.tp.help->count, 1);
        QVERIFY(t.w.Frame2->isVisible());
        t.keys(QStringLiteral("Alt+N"));
        QTRY_VERIFY(t.w.Frame2->isHidden());
        QCOMPARE(t.tp.help->count, 1);
    }

    // Tab goes round the window in reading order: the zones, what edits them, the logo, printing.
    void tabOrder() {
        Window t;
        QVERIFY(ready(t));
        QCOMPARE(tabWalk(t.w.Label1),
                 (QStringList{"Label1", "Label2", "Label3", "Text1", "Option1", "Command1", "Command2",
                              "Picture2", "Command3", "Command6", "Command10", "Command5", "Command9",
                              "Command7", "Command4"}));
    }

    // A zone is chosen from the keyboard as by a click: Space, Enter or the keypad's Enter on its
    // box; other keys and modified ones leave the selection. The editor then has the focus.
    void zoneByKeys_data() {
        QTest::addColumn<int>("zone");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("selected");
        QTest::newRow("space") << 2 << int(Qt::Key_Space) << 0 << 2;
        QTest::newRow("return") << 3 << int(Qt::Key_Return) << 0 << 3;
        QTest::newRow("keypad enter") << 2 << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 2;
        QTest::newRow("back to 1") << 1 << int(Qt::Key_Space) << 0 << 1;
        QTest::newRow("letter") << 3 << int(Qt::Key_A) << 0 << 1;
        QTest::newRow("ctrl space") << 3 << int(Qt::Key_Space) << int(Qt::ControlModifier) << 1;
    }
    void zoneByKeys() {
        QFETCH(int, zone);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, selected);
        Window t;
        QVERIFY(ready(t));
        t.m.card.zone(2).Text = QStringLiteral("Deux");
        t.m.card.zone(3).Text = QStringLiteral("Trois");
        t.w.Label1->setFocus(Qt::TabFocusReason);
        for (int i = 1; i < zone; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ZoneLabel* box = std::array{t.w.Label1, t.w.Label2, t.w.Label3}[zone - 1];
        QCOMPARE(QApplication::focusWidget(), box);
        QTest::keyClick(box, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(int(t.m.SelectedZone), selected);
        QCOMPARE(t.w.Picture1->selectedZone(), selected);
        QCOMPARE(t.w.editorText(), QStringList({"", "", "Deux", "Trois"})[selected]);
        if (selected == zone)
            QCOMPARE(QApplication::focusWidget(), t.w.Text1);
        else
            QCOMPARE(QApplication::focusWidget(), box);
    }

    // The logo box: Enter or Space does what its double click does, asking for a picture.
    void logoBoxByKeys() {
        Window t;
        QVERIFY(ready(t));
        t.w.Picture2->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), t.w.Picture2);
        QTest::keyClick(t.w.Picture2, Qt::Key_Return);
        QCOMPARE(t.tp.files->opens.size(), 1);
        QTest::keyClick(t.w.Picture2, Qt::Key_Space);
        QCOMPARE(t.tp.files->opens.size(), 2);
        QCOMPARE(t.tp.files->opens.last().title, t.tp.files->opens.first().title);
    }

    // Where the platform has no key of its own for a command, the usual one.
    void usualKeyWhereThePlatformHasNone() {
        QCOMPARE(access::standardShortcuts(QKeySequence::UnknownKey, QKeySequence(QStringLiteral("Ctrl+K"))),
                 QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+K"))});
        QCOMPARE(access::standardShortcuts(QKeySequence::Open, QKeySequence(QStringLiteral("Ctrl+K"))),
                 QKeySequence::keyBindings(QKeySequence::Open));
    }

    // Letters given to captions: an own '&' is kept, the first free letter otherwise, a
    // literal '&' doubled, nothing when every letter is taken.
    void mnemonics_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("used");
        QTest::addColumn<bool>("literal");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("usedAfter");
        QTest::addColumn<QString>("letter");
        QTest::newRow("first letter") << "Avery"
                                      << "" << false << "&Avery"
                                      << "A"
                                      << "A";
        QTest::newRow("taken") << "Avery"
                               << "AV" << false << "Av&ery"
                               << "AVE"
                               << "E";
        QTest::newRow("case") << "avery"
                              << "A" << false << "a&very"
                              << "AV"
                              << "V";
        QTest::newRow("own") << "Ou&vrir"
                             << "V" << false << "Ou&vrir"
                             << "VV"
                             << "V";
        QTest::newRow("digit") << "10 x 5"
                               << "" << false << "&10 x 5"
                               << "1"
                               << "1";
        QTest::newRow("blank first") << " x"
                                     << "" << false << " &x"
                                     << "X"
                                     << "X";
        QTest::newRow("literal &") << "A&B"
                                   << "A" << true << "A&&&B"
                                   << "AB"
                                   << "B";
        QTest::newRow("own && only") << "R&&D"
                                     << "" << false << "&R&&D"
                                     << "R"
                                     << "R";
        QTest::newRow("literal && kept") << "&&"
                                         << "" << true << "&&&&"
                                         << ""
                                         << "";
        QTest::newRow("accent") << "Été"
                                << "" << false << "&Été"
                                << "É"
                                << "É";
        QTest::newRow("all taken") << "ab"
                                   << "AB" << false << "ab"
                                   << "AB"
                                   << "";
    }
    void mnemonics() {
        QFETCH(QString, caption);
        QFETCH(QString, used);
        QFETCH(bool, literal);
        QFETCH(QString, result);
        QFETCH(QString, usedAfter);
        QFETCH(QString, letter);
        QCOMPARE(access::withMnemonic(caption, used, literal), result);
        QCOMPARE(used, usedAfter);
        QCOMPARE(access::mnemonicOf(result), letter.isEmpty() ? QChar() : letter.front());
    }
};

QTEST_MAIN(KeyboardMainTest)
#include "tst_keyboardmain.moc"
