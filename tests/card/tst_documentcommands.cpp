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
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

namespace {

const QString Marker = QStringLiteral("@DIR@");
const QString Client = QStringLiteral("/cartes/client.cdv");
const QString Filter = QStringLiteral("Fichiers carte de visite (*.CDV)|*.CDV");

// Card bytes with the first occurrence of from changed to to.
QByteArray replaced(QByteArray bytes, const QByteArray& from, const QByteArray& to) {
    const int at = bytes.indexOf(from);
    if (at < 0)
        qFatal("sample text not found");
    return bytes.replace(at, from.size(), to);
}

// A window on the test platform, loaded after setUp, then optionally holding a card named
// path, with a logo and coloured, centred zones, zone 3 selected.
struct Window {
    TestPlatform tp;
    Module1 m;
    Form1 w{m, tp.platform};
    explicit Window(const QString& path = QString(),
                    const std::function<void(FakeEnvironment&)>& setUp = nullptr) {
        if (setUp)
            setUp(*tp.environment);
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
    void initTestCase() {
        QImage image(6, 4, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QVERIFY(image.save(dir_.filePath(QStringLiteral("logo.bmp")), "BMP"));
        QVERIFY(samples::writeFile(dir_.filePath(QStringLiteral("abime.bmp")), "BM pas une image"));
        QVERIFY(
            samples::writeFile(dir_.filePath("Client.cdv"), samples::fullCardFile(QStringLiteral("AUCUN"))));
    }

    // Every way a read can end, with the message shown and the card left behind.
    void openFile_data() {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        QTest::addColumn<QString>("message");  // "title|prompt", empty for none
        QTest::addColumn<int>("zonesRead");    // zone texts 1 to n read, the others as they were
        QTest::addColumn<bool>("zone2FontRead");
        QTest::addColumn<double>("left");
        QTest::addColumn<QString>("logoPath");
        QTest::addColumn<bool>("newPicture");
        QTest::addColumn<bool>("shown"); // zone 1 selected with its text in the editor

        const QString oldLogo = QStringLiteral("/avant/logo.bmp");
        const QString logo = Marker + "/logo.bmp";
        const QByteArray card = samples::fullCardFile(logo);
        auto failed = [&](const char* name, const QByteArray& bytes, int zonesRead, bool zone2FontRead,
                          const QString& logoPath) {
            QTest::newRow(name) << bytes
                                << "Erreur ou fichier de version antérieure !|Erreur d'ouverture du fichier"
                                << zonesRead << zone2FontRead << 5.0 << logoPath << false << false;
        };
        QTest::newRow("missing file")
            << QByteArray() << "Erreur|Fichier " + Marker + "/carte.cdv non trouvé !" << 0 << false << 7.0
            << oldLogo << false << false;
        QTest::newRow("read whole") << card << QString() << 3 << true << 0.5 << logo << true << true;
        QTest::newRow("missing logo file") << samples::fullCardFile(Marker + "/parti.bmp")
                                           << "Erreur|Fichier icone " + Marker + "/parti.bmp non trouvé !"
                                           << 3 << true << 0.5 << Marker + "/parti.bmp" << false << true;
        failed("ends before zone 3's font header", card.left(card.indexOf("[Police 3]")), 2, true, oldLogo);
        // The file begins with "[Titre 1]" and its CR LF, 11 bytes.
        failed("empty first block", QByteArray(card).remove(11, card.indexOf("[Police 1]") - 11), 0, false,
               oldLogo);
        failed("alignment of 3", replaced(card, "[Alignement 1]\r\n 2 ", "[Alignement 1]\r\n 3 "), 1, false,
               oldLogo);
        failed("size that does not convert", replaced(card, " 8.25", " grand"), 2, false, oldLogo);
        failed("colour past 32 bits", replaced(card, " 255 ", " 4294967295 "), 1, false, oldLogo);
        failed("binary data", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), 0, false, oldLogo);
        const QString broken = Marker + "/abime.bmp";
        failed("picture that does not load", samples::fullCardFile(broken), 3, true, broken);
    }
    void openFile() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QFETCH(int, zonesRead);
        QFETCH(bool, zone2FontRead);
        QFETCH(double, left);
        QFETCH(QString, logoPath);
        QFETCH(bool, newPicture);
        QFETCH(bool, shown);

        const QString path = dir_.filePath(QStringLiteral("carte.cdv"));
        QFile::remove(path);
        if (!bytes.isEmpty())
            QVERIFY(samples::writeFile(path, bytes.replace(Marker.toUtf8(), dir_.path().toUtf8())));

        Window v;
        // What the card holds before the read, so that the test sees what the read changed.
        QStringList texts{"avant 1", "avant 2", "avant 3"};
        for (int n = 1; n <= 3; ++n)
            v.m.card.zone(n).Text = texts.at(n - 1);
        v.m.card.zone(2).FontName = QStringLiteral("Verdana");
        v.m.card.Logo.Left = v.m.card.Logo.Top = 7;
        v.m.card.Logo.Path = QStringLiteral("/avant/logo.bmp");
        v.m.card.Logo.picture = Picture(QImage(3, 3, QImage::Format_RGB32));
        v.m.SelectedZone = 2;
        v.w.setEditorText(texts.at(1));
        v.w.refreshPreview();
        v.w.OpenFile(path);

        QStringList messages;
        for (const MessageRequest& r : v.tp.messages->shown) {
            QCOMPARE(r.icon, MsgIcon::Critical);
            QCOMPARE(r.buttons, MsgButtons::Ok);
            messages << r.title + "|" + r.prompt;
        }
        QCOMPARE(messages.join('\n'), message.replace(Marker, dir_.path()));
        const QStringList full{"Société \"Kalimo\"\r\nJean Dupont", "Nom\r\nFonction", "Tél. 01 23 45 67 89"};
        for (int n = 0; n < zonesRead; ++n)
            texts[n] = full.at(n);
        for (int n = 1; n <= 3; ++n)
            QCOMPARE(v.m.card.zone(n).Text, texts.at(n - 1));
        QCOMPARE(v.m.card.zone(2).FontName, zone2FontRead ? "Arial" : "Verdana");
        QCOMPARE(v.m.card.Logo.Left, left);
        QCOMPARE(v.m.card.Logo.Top, left == 0.5 ? 3.2 : left);
        QCOMPARE(v.m.card.Logo.Path, logoPath.replace(Marker, dir_.path()));
        QCOMPARE(v.m.card.Logo.picture.naturalSize(), newPicture ? QSize(6, 4) : QSize(3, 3));
        QCOMPARE(int(v.m.SelectedZone), shown ? 1 : 2);
        QCOMPARE(v.w.editorText(), shown ? texts.at(0) : QStringLiteral("avant 2"));
        // The preview shows what the card holds, read in full or not.
        QCOMPARE(v.w.Label1->text(), QString(texts.at(0)).replace("\r\n", "\n"));
        if (!shown)
            return;
        // A card read takes the logo box, zone 1 and its alignment to the preview.
        QCOMPARE(v.m.card.Logo.boxTwips, QRectF(0.5 * 56.7, 3.2 * 56.7, 11.1 * 56.7, 20 * 56.7));
        QCOMPARE(v.w.Picture2->geometry(), QRect(2, 12, 42, 76));
        QVERIFY(v.w.Label1->isOpaque() && !v.w.Label2->isOpaque() && !v.w.Label3->isOpaque());
        QCOMPARE(v.w.Label1->backColour(), colour::WindowBackground);
        QVERIFY(v.w.findChild<QRadioButton*>(QStringLiteral("Option3"))->isChecked());
    }

    // A card named on the command line is read at start-up.
    void startUp_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("name");
        auto row = [](const char* name, const QString& argument, const char* file) {
            QTest::newRow(name) << argument << QString::fromLatin1(file);
        };
        row("absolute path", Marker + "/Client.cdv", "Client.cdv");
        row("quoted", "\"" + Marker + "/Client.cdv\"", "Client.cdv");
        row("in the current folder", "Client.cdv", "Client.cdv");
        row("missing", Marker + "/absente.cdv", "absente.cdv");
    }
    void startUp() {
        QFETCH(QString, argument);
        QFETCH(QString, name);
        const QString path = dir_.filePath(name);
        const bool missing = !QFile::exists(path);
        Window v({}, [&](FakeEnvironment& e) {
            e.argument = argument.replace(Marker, dir_.path());
            e.currentDir = dir_.path();
        });
        QStringList prompts;
        for (const MessageRequest& r : v.tp.messages->shown)
            prompts << r.prompt;
        QCOMPARE(prompts, missing ? QStringList{"Fichier " + path + " non trouvé !"} : QStringList{});
        QCOMPARE(v.m.card.FilePath, path);
        QCOMPARE(v.w.statusFileName(), name.toUpper());
        QCOMPARE(v.m.card.zone(2).Text, missing ? QString() : QStringLiteral("Nom\r\nFonction"));
        QCOMPARE(v.w.editorText(), v.m.card.zone(1).Text);
    }
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
