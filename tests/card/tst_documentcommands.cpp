#include "CardFileSamples.h"
#include "TestPlatform.h"
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString Client = QStringLiteral("/cartes/client.cdv");
const QString Filter = QStringLiteral("Fichiers carte de visite (*.CDV)|*.CDV");

// A loaded window on the test platform, optionally holding a card named path, with a logo and
// coloured, centred zones, zone 3 selected.
struct Window {
    TestPlatform tp;
    Module1 m;
    Form1 w{m, tp.platform};
    explicit Window(const QString& path = QString()) {
        w.Form_Load();
        if (path.isEmpty())
            return;
        m.card = samples::fullCard(QStringLiteral("/logos/kalimo.bmp"));
        m.card.FilePath = path;
        m.card.Logo.picture = Picture(QImage(5, 5, QImage::Format_RGB32));
        m.SelectedZone = 3;
        w.setStatusFileName(QStringLiteral("CLIENT.CDV"));
        w.refreshPreview();
    }
};

QString dialogText(const FileDialogRequest& r) {
    return QStringList{r.title, r.filter, QString::number(r.filterIndex), r.initialName,
                       r.askBeforeReplacing ? "ask" : "no question"}
        .join('|');
}

} // namespace

class DocumentCommandsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    void newAnsweredCancelChangesNothing() {
        Window v(Client);
        v.tp.messages->answers.enqueue(MsgAnswer::Cancel);
        v.w.Mnu_Nouveau->trigger();
        QCOMPARE(v.tp.messages->shown,
                 QList<MessageRequest>(
                     {{QStringLiteral("Création d'une nouvelle carte ?\r        Confirmer ?"),
                       QStringLiteral("Création d'une carte"), MsgButtons::OkCancel, MsgIcon::None, 1}}));
        QCOMPARE(v.m.card.FilePath, Client);
        QCOMPARE(v.w.statusFileName(), QStringLiteral("CLIENT.CDV"));
        QCOMPARE(v.m.card.zone(1).ForeColor, 255u);
        QVERIFY(!v.m.card.Logo.picture.isNull());
        QCOMPARE(int(v.m.SelectedZone), 3);
    }

    void newGivesTheBlankCard() {
        Window v(Client);
        v.w.show();
        v.w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&v.w));
        v.w.Command4->setFocus();
        v.m.card.zone(2).FontUnderline = true;
        v.w.Frame1->setTitle(QStringLiteral("Aligner texte 3"));
        v.w.Toolbar1_ButtonClick(1);

        // Underline is no part of the file and stays as it was.
        QVERIFY(v.m.card.zone(2).FontUnderline);
        QCOMPARE(v.m.card.Logo.Path, QStringLiteral("AUCUN"));
        QVERIFY(v.m.card.Logo.picture.isNull() && v.w.Picture2->picture().isNull());
        QVERIFY(v.m.card.FilePath.isEmpty());
        QCOMPARE(v.w.statusFileName(), QStringLiteral("SANS NOM"));
        QCOMPARE(int(v.m.SelectedZone), 1);
        QVERIFY(v.w.Label1->isOpaque() && !v.w.Label2->isOpaque() && !v.w.Label3->isOpaque());
        QCOMPARE(v.w.Label1->backColour(), colour::Silver);
        QCOMPARE(v.m.card.Logo.boxTwips, QRectF(283.5, 283.5, 630, 630));
        QCOMPARE(v.w.Label4->text(), QStringLiteral("Edition du texte zone 1"));
        // The alignment frame keeps the zone it showed.
        QCOMPARE(v.w.Frame1->title(), QStringLiteral("Aligner texte 3"));
        QVERIFY(v.w.editorText().isEmpty());
        QVERIFY(v.w.Text1->hasFocus());

        // Saved, the blank card is the 39-line file: every value of the zones and the logo.
        const QString path = dir_.filePath(QStringLiteral("vierge.cdv"));
        v.tp.files->chooseNext(path);
        v.w.Mnu_Enregistrer->trigger();
        QCOMPARE(samples::readFile(path), samples::newCardFile());
    }

    void saveOfAnUnnamedCard() {
        Window v;
        v.w.Mnu_Enregistrer->trigger(); // cancelled
        QCOMPARE(v.tp.files->saves.size(), 1);
        QCOMPARE(dialogText(v.tp.files->saves.at(0)), "Enregistrer Sous|" + Filter + "|1|Nouveau|ask");
        QVERIFY(v.m.card.FilePath.isEmpty());
        QCOMPARE(v.w.statusFileName(), QStringLiteral("SANS NOM"));
        // Still unnamed: the next save asks again.
        v.w.Toolbar1_ButtonClick(3);
        QCOMPARE(v.tp.files->saves.size(), 2);
    }

    void saveOfANamedCardWritesInPlace() {
        const QString path = dir_.filePath(QStringLiteral("nommee.cdv"));
        Window v(path);
        v.m.card.Logo.RecordedPath.clear();
        v.w.Mnu_Enregistrer->trigger();
        QVERIFY(v.tp.files->saves.isEmpty());
        QCOMPARE(samples::readFile(path), samples::fullCardFile(QStringLiteral("AUCUN")));
        QCOMPARE(v.w.statusFileName(), QStringLiteral("CLIENT.CDV"));
    }

    // Save as takes the name as typed and shows it in upper case; the name stays when the
    // dialog or the question on lost characters is cancelled, not when the write fails.
    void saveAs_data() {
        QTest::addColumn<QString>("name"); // empty: the dialog is cancelled
        QTest::addColumn<QString>("text"); // zone 1's text
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("message"); // the title of the box shown, if any
        auto row = [](const char* name, const char* file, const char* text, const char* status,
                      const char* message) {
            QTest::newRow(name) << QString::fromUtf8(file) << QString::fromUtf8(text)
                                << QString::fromUtf8(status) << QString::fromUtf8(message);
        };
        row("with the extension", "carte.cdv", "", "CARTE.CDV", "");
        row("no extension added", "macarte", "", "MACARTE", "");
        row("accented", "société.CDV", "", "SOCIÉTÉ.CDV", "");
        row("cancelled", "", "", "CLIENT.CDV", "");
        row("lost characters declined", "grec.cdv", "Ωmega", "CLIENT.CDV", "Enregistrement de la carte");
        row("write fails", "absent/carte.cdv", "", "CARTE.CDV", "erreur");
    }
    void saveAs() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, status);
        QFETCH(QString, message);
        Window v(Client);
        if (!text.isEmpty())
            v.m.card.zone(1).Text = text;
        const QString path = name.isEmpty() ? QString() : dir_.filePath(name);
        v.tp.files->chooseNext(path);
        v.tp.messages->answers.enqueue(MsgAnswer::Cancel);
        v.w.Toolbar1_ButtonClick(4);

        QCOMPARE(v.tp.files->saves.at(0).initialName, Client);
        QStringList titles;
        for (const MessageRequest& r : v.tp.messages->shown)
            titles << r.title;
        QCOMPARE(titles.join('|'), message);
        const bool renamed = status != "CLIENT.CDV";
        QCOMPARE(v.m.card.FilePath, renamed ? path : Client);
        QCOMPARE(v.w.statusFileName(), status);
        QCOMPARE(samples::readFile(path), renamed && message.isEmpty()
                                              ? samples::fullCardFile(QStringLiteral("/logos/kalimo.bmp"))
                                              : QByteArray());
        QVERIFY(!QFile::exists(path + ".CDV"));
    }

    // Open replaces the card by the one chosen; with an empty result it keeps the content but
    // forgets the name.
    void open_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("chosen") << "Client.cdv";
        QTest::newRow("empty result") << "";
    }
    void open() {
        QFETCH(QString, name);
        const QString path = name.isEmpty() ? QString() : dir_.filePath(name);
        QVERIFY(
            samples::writeFile(dir_.filePath("Client.cdv"), samples::fullCardFile(QStringLiteral("AUCUN"))));
        Window v(QStringLiteral("/cartes/avant.cdv"));
        v.m.card.zone(1).Text = v.m.card.zone(3).Text = QStringLiteral("avant");
        v.tp.files->chooseNext(path);
        v.w.Toolbar1_ButtonClick(2);

        QCOMPARE(v.tp.files->opens.size(), 1);
        QCOMPARE(dialogText(v.tp.files->opens.at(0)),
                 "Ouvrir|" + Filter + "|1|/cartes/avant.cdv|no question");
        QVERIFY(v.tp.messages->shown.isEmpty());
        QCOMPARE(v.m.card.FilePath, path);
        QCOMPARE(v.w.statusFileName(), name.isEmpty() ? QStringLiteral("SANS NOM") : name.toUpper());
        QCOMPARE(v.m.card.zone(3).Text,
                 name.isEmpty() ? QStringLiteral("avant") : QStringLiteral("Tél. 01 23 45 67 89"));
        QCOMPARE(v.w.Label4->text(), QStringLiteral("Edition du texte zone %1").arg(name.isEmpty() ? 3 : 1));
        if (!name.isEmpty())
            QCOMPARE(v.w.editorText(), v.m.card.zone(1).Text);
    }

    // Quit from each of its three triggers, answered each way.
    void quit_data() {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<MsgAnswer>("answer");
        for (const char* trigger : {"menu", "button", "toolbar"}) {
            QTest::addRow("%s, yes", trigger) << trigger << MsgAnswer::Yes;
            QTest::addRow("%s, no", trigger) << trigger << MsgAnswer::No;
        }
    }
    void quit() {
        QFETCH(QString, trigger);
        QFETCH(MsgAnswer, answer);
        const bool ends = answer == MsgAnswer::Yes;
        Window v;
        QSignalSpy quits(&v.w, &Form1::quitRequested);
        QString statusWhileAsked;
        v.tp.messages->onShow = [&](const MessageRequest&) { statusWhileAsked = v.w.statusFileName(); };
        v.tp.messages->answers.enqueue(answer);
        if (trigger == "menu")
            v.w.Mnu_Quitter->trigger();
        else if (trigger == "button")
            QTest::mouseClick(v.w.findChild<QPushButton*>(QStringLiteral("Command4")), Qt::LeftButton);
        else
            v.w.toolbarButtons.at(15)->trigger();

        QCOMPARE(v.tp.messages->shown,
                 QList<MessageRequest>(
                     {{QStringLiteral("Quitter Kalimo\r      Confirmez  ?"),
                       QStringLiteral("Quitter le programme"), MsgButtons::YesNo, MsgIcon::Question, 2}}));
        QCOMPARE(statusWhileAsked, QStringLiteral("SANS NOM"));
        QCOMPARE(quits.count(), ends ? 1 : 0);
        QCOMPARE(v.w.statusFileName(), ends ? QStringLiteral("Au revoir !") : QStringLiteral("SANS NOM"));
    }
};

QTEST_MAIN(DocumentCommandsTest)
#include "tst_documentcommands.moc"
