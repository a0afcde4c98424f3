#include "CardFileSamples.h"
#include "TestPlatform.h"
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "card/CardFileWriter.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

namespace {

const QString Marker = QStringLiteral("@DIR@");
const QString Filter = QStringLiteral("|Fichiers carte de visite (*.CDV)|*.CDV|1|");

// A window on the test platform, loaded after setUp, then optionally holding a full card named path,
// with a logo, zone 3 selected.
struct Window {
    TestPlatform tp;
    Module1 m;
    Form1 w{m, tp.platform};
    explicit Window(const QString& path = {}, const std::function<void(FakeEnvironment&)>& setUp = nullptr) {
        if (setUp)
            setUp(*tp.environment);
        w.Form_Load();
        if (path.isEmpty())
            return;
        m.card = samples::fullCard(QStringLiteral("/logos/kalimo.bmp"));
        m.card.FilePath = path;
        m.card.Logo.picture = Picture(QImage(5, 5, QImage::Format_RGB32));
        m.SelectedZone = 3;
        w.setStatusFileName(QFileInfo(path).fileName().toUpper());
        w.refreshPreview();
    }
    // The boxes shown, as "title|prompt" lines.
    QString messages() const {
        QStringList shown;
        for (const MessageRequest& r : tp.messages->shown)
            shown << r.title + "|" + r.prompt;
        return shown.join('\n');
    }
};

} // namespace

class DocumentCommandsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString at(QString s) const { return s.replace(Marker, dir_.path()); }

private slots:
    void initTestCase() {
        QVERIFY(QImage(6, 4, QImage::Format_RGB32).save(dir_.filePath(QStringLiteral("logo.bmp")), "BMP"));
        QVERIFY(samples::writeFile(dir_.filePath(QStringLiteral("abime.bmp")), "BM pas une image"));
        QVERIFY(
            samples::writeFile(dir_.filePath("Client.cdv"), samples::fullCardFile(QStringLiteral("AUCUN"))));
    }

    // Every way a read ends: the message, the zone texts read (the others as they were), whether zone
    // 2's font was read, the logo left and path; zone 1 is shown when the read reached the logo.
    void openFile_data() {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("zonesRead");
        QTest::addColumn<bool>("zone2FontRead");
        QTest::addColumn<double>("left");
        QTest::addColumn<QString>("logoPath");
        const QString oldLogo = QStringLiteral("/avant/logo.bmp"), broken = Marker + "/abime.bmp";
        const QByteArray card = samples::fullCardFile(Marker + "/logo.bmp");
        auto failed = [&](const char* name, const QByteArray& bytes, int zones, bool font,
                          const QString& logo) {
            QTest::newRow(name) << bytes
                                << "Erreur ou fichier de version antérieure !|Erreur d'ouverture du fichier"
                                << zones << font << 5.0 << logo;
        };
        QTest::newRow("missing file")
            << QByteArray() << "Erreur|Fichier " + Marker + "/carte.cdv non trouvé !" << 0 << false << 7.0
            << oldLogo;
        QTest::newRow("read whole") << card << QString() << 3 << true << 0.5 << Marker + "/logo.bmp";
        QTest::newRow("missing logo file") << samples::fullCardFile(Marker + "/parti.bmp")
                                           << "Erreur|Fichier icone " + Marker + "/parti.bmp non trouvé !"
                                           << 3 << true << 0.5 << Marker + "/parti.bmp";
        failed("ends before zone 3's font header", card.left(card.indexOf("[Police 3]")), 2, true, oldLogo);
        failed("empty first block", QByteArray(card).remove(11, card.indexOf("[Police 1]") - 11), 0, false,
               oldLogo);
        failed("alignment of 3", QByteArray(card).replace("\r\n 2 \r\n", "\r\n 3 \r\n"), 1, false, oldLogo);
        failed("size that does not convert", QByteArray(card).replace(" 8.25", " grand"), 2, false, oldLogo);
        failed("picture that does not load", samples::fullCardFile(broken), 3, true, broken);
    }
    void openFile() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QFETCH(int, zonesRead);
        QFETCH(bool, zone2FontRead);
        QFETCH(double, left);
        QFETCH(QString, logoPath);
        const QString path = dir_.filePath(QStringLiteral("carte.cdv"));
        QFile::remove(path);
        if (!bytes.isEmpty())
            QVERIFY(samples::writeFile(path, bytes.replace(Marker.toUtf8(), dir_.path().toUtf8())));
        Window v;
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

        QCOMPARE(v.messages(), at(message));
        for (const MessageRequest& r : v.tp.messages->shown)
            QVERIFY(r.icon == MsgIcon::Critical && r.buttons == MsgButtons::Ok);
        const QStringList full{"Société \"Kalimo\"\r\nJean Dupont", "Nom\r\nFonction", "Tél. 01 23 45 67 89"};
        for (int n = 0; n < zonesRead; ++n)
            texts[n] = full.at(n);
        for (int n = 1; n <= 3; ++n)
            QCOMPARE(v.m.card.zone(n).Text, texts.at(n - 1));
        QCOMPARE(v.m.card.zone(2).FontName, zone2FontRead ? "Arial" : "Verdana");
        QCOMPARE(v.m.card.Logo.Left, left);
        QCOMPARE(v.m.card.Logo.Path, at(logoPath));
        QCOMPARE(v.m.card.Logo.picture.naturalSize(), message.isEmpty() ? QSize(6, 4) : QSize(3, 3));
        // The preview shows what the card holds, read in full or not.
        QCOMPARE(v.w.Label1->text(), QString(texts.at(0)).replace("\r\n", "\n"));
        const bool shown = left == 0.5;
        QCOMPARE(int(v.m.SelectedZone), shown ? 1 : 2);
        QCOMPARE(v.w.editorText(), shown ? texts.at(0) : "avant 2");
        if (shown) // the logo box and zone 1's alignment reach the preview
            QVERIFY(v.w.Picture2->geometry() == QRect(2, 12, 42, 76) && v.w.Option3->isChecked());
    }

    // A card named on the command line is read at start-up.
    void startUp_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("name");
        QTest::newRow("quoted") << "\"" + Marker + "/Client.cdv\""
                                << "Client.cdv";
        QTest::newRow("in the current folder") << "Client.cdv"
                                               << "Client.cdv";
        QTest::newRow("missing") << Marker + "/absente.cdv"
                                 << "absente.cdv";
    }
    void startUp() {
        QFETCH(QString, argument);
        QFETCH(QString, name);
        const QString path = dir_.filePath(name);
        const bool missing = !QFile::exists(path);
        Window v({}, [&](FakeEnvironment& e) {
            e.argument = at(argument);
            e.currentDir = dir_.path();
        });
        QCOMPARE(v.messages(), missing ? "Erreur|Fichier " + path + " non trouvé !" : QString());
        QCOMPARE(v.m.card.FilePath, path);
        QCOMPARE(v.w.statusFileName(), name.toUpper());
        QCOMPARE(v.m.card.zone(2).Text, missing ? QString() : QStringLiteral("Nom\r\nFonction"));
    }

    // Cancel changes nothing; OK gives the blank card, which a save writes as the 39-line file.
    void newCard() {
        Window v(QStringLiteral("/cartes/client.cdv"));
        v.tp.messages->answers.enqueue(MsgAnswer::Cancel);
        v.w.Mnu_Nouveau->trigger();
        QCOMPARE(v.messages(), "Création d'une carte|Création d'une nouvelle carte ?\r        Confirmer ?");
        QVERIFY(v.m.card.FilePath == "/cartes/client.cdv" && v.m.card.zone(1).ForeColor == 255u);
        QVERIFY(!v.m.card.Logo.picture.isNull() && v.m.SelectedZone == 3);
        v.w.Toolbar1_ButtonClick(1);
        QVERIFY(v.m.card.Logo.picture.isNull() && v.w.Picture2->picture().isNull());
        QCOMPARE(v.w.statusFileName(), QStringLiteral("SANS NOM"));
        QVERIFY(v.m.SelectedZone == 1 && v.w.editorText().isEmpty());
        const QString path = dir_.filePath(QStringLiteral("vierge.cdv"));
        v.tp.files->chooseNext(path);
        v.w.Mnu_Enregistrer->trigger();
        QCOMPARE(samples::readFile(path), samples::newCardFile());
    }

    // Save, save as and open from the toolbar: the dialog, the boxes shown, the name kept.
    void commands_data() {
        QTest::addColumn<QString>("card");   // the card's name, empty for an unnamed card
        QTest::addColumn<int>("button");     // 2 open, 3 save, 4 save as
        QTest::addColumn<QString>("chosen"); // the dialog's result, empty for Cancel
        QTest::addColumn<QString>("dialog"); // its title and initial name, empty when none opens
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("status");
        auto row = [](const char* name, const QString& card, int button, const char* chosen,
                      const QString& dialog, const char* message, const char* status) {
            QTest::newRow(name) << card << button << QString::fromUtf8(chosen) << dialog
                                << QString::fromUtf8(message) << QString::fromUtf8(status);
        };
        const QString client = Marker + "/avant.cdv", saveAs = "Enregistrer Sous" + Filter + client + "|ask";
        row("save unnamed, cancelled", "", 3, "", "Enregistrer Sous" + Filter + "Nouveau|ask", "",
            "SANS NOM");
        row("save named, in place", client, 3, "", "", "", "AVANT.CDV");
        row("save as carte.cdv", client, 4, "carte.cdv", saveAs, "", "CARTE.CDV");
        row("save as, no extension added", client, 4, "macarte", saveAs, "", "MACARTE");
        row("save as, accented", client, 4, "société.CDV", saveAs, "", "SOCIÉTÉ.CDV");
        row("save as, cancelled", client, 4, "", saveAs, "", "AVANT.CDV");
        row("save as, lost characters declined", client, 4, "grec.cdv", saveAs, "Enregistrement de la carte",
            "AVANT.CDV");
        row("save as, write fails", client, 4, "absent/carte.cdv", saveAs, "erreur", "CARTE.CDV");
        const QString open = "Ouvrir" + Filter + client + "|no question";
        row("open", client, 2, "Client.cdv", open, "", "CLIENT.CDV");
        row("open, empty result", client, 2, "", open, "", "SANS NOM");
    }
    void commands() {
        QFETCH(QString, card);
        QFETCH(int, button);
        QFETCH(QString, chosen);
        QFETCH(QString, dialog);
        QFETCH(QString, message);
        QFETCH(QString, status);
        Window v(at(card));
        v.m.card.zone(1).Text = chosen == "grec.cdv" ? QStringLiteral("Ωmega") : QStringLiteral("avant");
        const QString path = chosen.isEmpty() ? QString() : dir_.filePath(chosen);
        v.tp.files->chooseNext(path);
        v.tp.messages->answers.enqueue(MsgAnswer::Cancel);
        v.w.Toolbar1_ButtonClick(button);

        QStringList dialogs;
        for (const FileDialogRequest& r : v.tp.files->opens + v.tp.files->saves)
            dialogs << QStringList{r.title, r.filter, QString::number(r.filterIndex), r.initialName,
                                   r.askBeforeReplacing ? "ask" : "no question"}
                           .join('|');
        QCOMPARE(dialogs.join('\n'), at(dialog));
        QCOMPARE(v.messages().section('|', 0, 0), message);
        QCOMPARE(v.w.statusFileName(), status);
        const bool named = status != "SANS NOM" && status != "AVANT.CDV";
        QCOMPARE(v.m.card.FilePath, named ? path : status == "SANS NOM" ? QString() : at(card));
        if (button == 2) // open keeps the content when the result is empty
            QCOMPARE(v.m.card.zone(1).Text, chosen.isEmpty() ? "avant" : "Société \"Kalimo\"\r\nJean Dupont");
        else if (const QString file = button == 3 ? at(card) : path; !file.isEmpty())
            QCOMPARE(samples::readFile(file), message.isEmpty() ? cardfile::toBytes(v.m.card) : QByteArray());
    }

    // Quit from each of its three triggers; only Yes ends the program, after "Au revoir !".
    void quit_data() {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<MsgAnswer>("answer");
        QTest::newRow("menu, no") << "menu" << MsgAnswer::No;
        QTest::newRow("button, yes") << "button" << MsgAnswer::Yes;
        QTest::newRow("toolbar, no") << "toolbar" << MsgAnswer::No;
    }
    void quit() {
        QFETCH(QString, trigger);
        QFETCH(MsgAnswer, answer);
        Window v;
        QSignalSpy quits(&v.w, &Form1::quitRequested);
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
        QCOMPARE(quits.count(), answer == MsgAnswer::Yes ? 1 : 0);
        QCOMPARE(v.w.statusFileName(), answer == MsgAnswer::Yes ? "Au revoir !" : "SANS NOM");
    }
};

QTEST_MAIN(DocumentCommandsTest)
#include "tst_documentcommands.moc"
