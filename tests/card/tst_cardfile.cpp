#include "CardFileSamples.h"
#include "TestPlatform.h"
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "card/CardChanges.h"
#include "card/CardFileReader.h"
#include "card/CardFileWriter.h"
#include "card/CardSaving.h"
#include "card/NewCard.h"
#include "platform/DialogPaths.h"

#include <QAction>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

using Status = CardReadResult::Status;

// While it lives, no file of this process may grow past limit bytes, as on a full disk, root included.
struct FileSizeLimit {
    rlimit saved{};
    explicit FileSizeLimit(rlim_t limit) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit lowered{limit, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved); }
};

// A window on the test platform, started with argument in folder; the boxes shown as "title|prompt".
struct Window {
    TestPlatform tp;
    Module1 m;
    Form1 w{m, tp.platform};
    explicit Window(const QString& argument = {}, const QString& folder = {}) {
        tp.environment->argument = argument;
        tp.environment->currentDir = folder;
        w.Form_Load();
    }
    QString messages() const {
        QStringList shown;
        for (const MessageRequest& r : tp.messages->shown)
            shown << r.title + "|" + r.prompt;
        return shown.join('\n');
    }
};

class CardFileTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    FakePictureLoader pictures_;
    QString at(QString s) const { return s.replace("@DIR@", dir_.path()); }
    Status read(const QByteArray& bytes, CardDocument& card) {
        samples::writeFile(dir_.filePath(QStringLiteral("lu.cdv")), bytes);
        return cardfile::read(dir_.filePath(QStringLiteral("lu.cdv")), card, pictures_).status;
    }

private slots:
    void initTestCase() {
        QVERIFY(QImage(6, 4, QImage::Format_RGB32).save(dir_.filePath("logo, société.bmp"), "BMP"));
        QVERIFY(samples::writeFile(dir_.filePath("Client.cdv"), samples::fullCardFile("AUCUN")));
    }

    void written() {
        const QString logo = QStringLiteral("/home/marie/Logos/société.bmp");
        QCOMPARE(cardfile::toBytes(samples::fullCard(logo)), samples::fullCardFile(logo));
        CardDocument card = samples::fullCard(logo);
        card.zone(1).FontUnderline = true; // the file has no underline
        resetToNewCard(card);
        QCOMPARE(cardfile::toBytes(card), samples::newCardFile());
        // A single that is no double, under a tenth, negative; tabs and inner spaces, a blank line kept.
        card.zone(1).FontSize = 10.1f;
        card.zone(2).Text = QStringLiteral("  Jean  Dupont\t\r\n\r\nb  ");
        card.Logo.Width = 0.05;
        card.Logo.Left = -0.55;
        const QByteArray bytes = cardfile::toBytes(card);
        for (const char* lines :
             {"arial\n 10.1", "[Titre 2]\n\"Jean  Dupont\t\n\nb\"", "[Icone]\n 0\n 11.1\n-.6"})
            QVERIFY2(bytes.contains(samples::crlf(QString::fromLatin1(lines))), bytes.constData());
    }

    void readBack() {
        const QString logo = dir_.filePath(QStringLiteral("logo, société.bmp"));
        const CardDocument written = samples::fullCard(logo);
        CardDocument card;
        QCOMPARE(read(cardfile::toBytes(written), card), Status::Read);
        QCOMPARE(card.zone(1).Text, QStringLiteral("Société \"Kalimo\"\r\nJean Dupont"));
        QVERIFY(card.Logo.Path == logo && card.Logo.RecordedPath == logo); // the comma does not cut it short
        QCOMPARE(card.Logo.picture.naturalSize(), QSize(6, 4));
        QCOMPARE(cardfile::toBytes(card), cardfile::toBytes(written));
        // A card with "AUCUN" forgets the logo read before.
        QCOMPARE(read(samples::newCardFile(), card), Status::Read);
        QVERIFY(card.Logo.Path == "AUCUN" && card.Logo.RecordedPath.isEmpty() && card.Logo.picture.isNull());
        // Made on Windows: CR LF, "é" as 0xE9; zone 3's font as items on one line, "True" in any case.
        QByteArray bytes = samples::newCardFile();
        bytes.replace(11, 2, "\"Soci\xE9t\xE9\r\nDirecteur g\xE9n\xE9ral\"");
        bytes.replace(bytes.lastIndexOf("arial\r\n 8\r\nFalse\r\nFalse"), 24, "\"Arial Black\", 14,tRuE , 0");
        QCOMPARE(read(bytes, card), Status::Read);
        QCOMPARE(card.zone(1).Text, QStringLiteral("Société\r\nDirecteur général"));
        const TextZone& z = card.zone(3);
        QVERIFY(z.FontName == "Arial Black" && z.FontSize == 14.0f && z.FontBold && !z.FontItalic);
    }

    // Files that are no card, or a card cut anywhere before its last value: refused, quickly, the logo
    // offsets as "Nouveau" leaves them. Long lines are fine while the zone's text stays within its bound.
    void refusedFiles() {
        const QByteArray whole = samples::fullCardFile("AUCUN");
        QList<QByteArray> refused{QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
                                  QByteArray(1000, '\0'),
                                  QByteArray(3 << 20, 'A'),
                                  QByteArray(3 << 20, '\n'),
                                  "[Titre 1]\r\n\"" + QByteArray(70000, 'x') + "\"\r\n[Police 1]\r\n",
                                  QByteArray(cardfile::MaxFileBytes + 1, ' ')};
        for (int n = 0; n <= whole.lastIndexOf("\r\n", whole.size() - 3) + 2; ++n)
            refused << whole.left(n);
        for (const QByteArray& bytes : refused) {
            CardDocument card;
            QVERIFY2(read(bytes, card) == Status::Failed && card.Logo.Left == 5.0,
                     bytes.right(60).constData());
        }
        CardDocument card, longLines;
        longLines.zone(1).Text = QString(30000, 'a') + "\r\n" + QString(30000, 'b');
        QCOMPARE(read(cardfile::toBytes(longLines), card), Status::Read);
        QCOMPARE(card.zone(1).Text, longLines.zone(1).Text);
    }

    // A save that fails or is declined leaves the file that was there byte for byte and nothing behind.
    // Characters the code page cannot hold (a zone text, a font name, a logo path) are named first.
    void save_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("diskFull");
        QTest::addColumn<QString>("value"); // "/..." a logo path, "Fonte..." a font name, else zone 3's text
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<QString>("message"); // some of the text of the one box shown
        auto row = [](const char* tag, const char* file, bool full, const char* v, MsgAnswer a,
                      const char* m) {
            QTest::newRow(tag) << file << full << QString::fromUtf8(v) << a << QString::fromUtf8(m);
        };
        const char* failed = "erreur|Erreur lors de la sauvegarde du fichier !";
        row("disk full", "carte.cdv", true, "", MsgAnswer::Ok, failed);
        row("folder missing", "absent/carte.cdv", false, "", MsgAnswer::Ok, failed);
        row("folder is a file", "fichier/carte.cdv", false, "", MsgAnswer::Ok, failed);
        row("name of a folder", "dossier", false, "", MsgAnswer::Ok, failed);
        row("code page only", "carte.cdv", false, "Société € «»", MsgAnswer::Ok, "");
        row("saved anyway", "carte.cdv", false, "Ωmega Ω et ω", MsgAnswer::Ok, "\r« Ω » « ω »\r");
        row("font, cancelled", "carte.cdv", false, "Fonte→", MsgAnswer::Cancel, "\r« → »\r");
        row("logo, cancelled", "carte.cdv", false, "/tmp/лого", MsgAnswer::Cancel, "\r« л » « о » « г »\r");
        row("outside the basic plane", "carte.cdv", false, "😀 et 😃", MsgAnswer::Ok, "\r« 😀 » « 😃 »\r");
    }
    void save() {
        QFETCH(QString, name);
        QFETCH(bool, diskFull);
        QFETCH(QString, value);
        QFETCH(MsgAnswer, answer);
        QFETCH(QString, message);
        const QByteArray old = "[Titre 1]\r\n\"ancienne carte\"\r\n";
        QTemporaryDir dir;
        const QDir folder(dir.path());
        QVERIFY(samples::writeFile(dir.filePath("fichier"), "x") && folder.mkdir(QStringLiteral("dossier")) &&
                samples::writeFile(dir.filePath("carte.cdv"), old));
        const QStringList before = folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        CardDocument card = samples::fullCard(QStringLiteral("AUCUN"));
        (value.startsWith('/')       ? card.Logo.RecordedPath
         : value.startsWith("Fonte") ? card.zone(2).FontName
                                     : card.zone(3).Text) = value;
        FakeMessageBoxes boxes;
        boxes.answers.enqueue(answer);
        const bool failed = message.startsWith("erreur"), saved = !failed && answer == MsgAnswer::Ok;
        const FileSizeLimit limit(diskFull ? old.size() + 10 : RLIM_INFINITY);
        QCOMPARE(saveCard(card, dir.filePath(name), boxes), failed  ? SaveOutcome::Failed
                                                            : saved ? SaveOutcome::Saved
                                                                    : SaveOutcome::Declined);
        QCOMPARE(boxes.shown.size(), message.isEmpty() ? 0 : 1);
        for (const MessageRequest& r : boxes.shown)
            QVERIFY((r.title + "|" + r.prompt).contains(message) &&
                    (failed || r.buttons == MsgButtons::OkCancel));
        QCOMPARE(samples::readFile(dir.filePath("carte.cdv")), saved ? cardfile::toBytes(card) : old);
        QCOMPARE(folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    }

    // Every way a read ends: the boxes shown, then "zone texts read|logo left|logo path|picture width".
    void openFile_data() {
        QTest::addColumn<QByteArray>("bytes"); // empty: no file at all
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("card");
        const QByteArray c = samples::fullCardFile("@DIR@/logo, société.bmp");
        const QString bad = "Erreur ou fichier de version antérieure !|Erreur d'ouverture du fichier";
        auto row = [](const char* name, const QByteArray& bytes, const QString& message, const char* after) {
            QTest::newRow(name) << bytes << message << QString::fromUtf8(after);
        };
        row("missing file", "", "Erreur|Fichier @DIR@/carte.cdv non trouvé !", "0|7|/a.bmp|3");
        row("read whole", c, "", "3|0.5|@DIR@/logo, société.bmp|6");
        row("missing logo file", samples::fullCardFile("@DIR@/parti.bmp"),
            "Erreur|Fichier icone @DIR@/parti.bmp non trouvé !", "3|0.5|@DIR@/parti.bmp|3");
        row("ends before zone 3's font", c.left(c.indexOf("[Police 3]")), bad, "2|5|/a.bmp|3");
        row("empty first block", c.left(11) + c.mid(c.indexOf("[Police 1]")), bad, "0|5|/a.bmp|3");
        row("alignment of 3", QByteArray(c).replace("\r\n 2 \r\n", "\r\n 3 \r\n"), bad, "1|5|/a.bmp|3");
        row("size not converting", QByteArray(c).replace(" 8.25", " grand"), bad, "2|5|/a.bmp|3");
        row("size past singles", QByteArray(c).replace(" 8.25", " 1E+39"), bad, "2|5|/a.bmp|3");
        row("colour past 32 bits", QByteArray(c).replace(" 255 ", " 4294967296 "), bad, "1|5|/a.bmp|3");
        // The card is sound, its picture is not: the card is read whole, and the message names the picture.
        row("picture not loading", samples::fullCardFile("@DIR@/carte.cdv"),
            "Erreur|Fichier icone @DIR@/carte.cdv illisible : format d'image non supporté !",
            "3|0.5|@DIR@/carte.cdv|0");
    }
    void openFile() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QFETCH(QString, card);
        const QString path = dir_.filePath(QStringLiteral("carte.cdv"));
        QFile::remove(path);
        QVERIFY(bytes.isEmpty() || samples::writeFile(path, bytes.replace("@DIR@", dir_.path().toUtf8())));
        Window v;
        v.m.card.Logo = {"/a.bmp", {}, 0, 0, 7, 0, Picture(QImage(3, 3, QImage::Format_RGB32)), {}};
        v.w.OpenFile(path);

        QCOMPARE(v.messages(), at(message));
        for (const MessageRequest& r : v.tp.messages->shown)
            QVERIFY(r.icon == MsgIcon::Critical && r.buttons == MsgButtons::Ok);
        int read = 0;
        for (int n = 1; n <= 3; ++n)
            read += !v.m.card.zone(n).Text.isEmpty();
        const CardLogo& logo = v.m.card.Logo;
        QCOMPARE(QString("%1|%2|%3|%4")
                     .arg(read)
                     .arg(logo.Left)
                     .arg(logo.Path)
                     .arg(logo.picture.naturalSize().width()),
                 at(card));
        // The preview shows what the card holds, read in full or not; a whole read shows zone 1.
        QCOMPARE(v.w.Label1->text(), QString(v.m.card.zone(1).Text).replace("\r\n", "\n"));
        if (logo.Left == 0.5)
            QCOMPARE(v.w.editorText(), v.m.card.zone(1).Text);
    }

    // The card named at start-up is read. New answered Cancel changes nothing; OK gives the blank card,
    // which a save writes as the 39-line file. Quit answered No keeps the program; Yes ends it.
    void newSaveQuit() {
        Window v(QStringLiteral("Client.cdv"), dir_.path());
        v.tp.messages->answers.enqueue(MsgAnswer::Cancel);
        v.w.Mnu_Nouveau->trigger();
        QCOMPARE(v.messages(), "Création d'une carte|Création d'une nouvelle carte ?\r        Confirmer ?");
        QVERIFY(v.m.card.FilePath == dir_.filePath("Client.cdv") && v.m.card.zone(1).FontSize == 12.0f);
        v.w.Toolbar1_ButtonClick(1);
        QVERIFY(v.w.statusFileName() == "SANS NOM" && v.m.SelectedZone == 1 && v.w.editorText().isEmpty());
        v.tp.files->chooseNext(dir_.filePath(QStringLiteral("vierge.cdv")));
        v.w.Mnu_Enregistrer->trigger();
        QCOMPARE(samples::readFile(dir_.filePath(QStringLiteral("vierge.cdv"))), samples::newCardFile());

        v.tp.messages->answers << MsgAnswer::No << MsgAnswer::No << MsgAnswer::Yes;
        QSignalSpy quits(&v.w, &Form1::quitRequested);
        v.w.Mnu_Quitter->trigger();
        QTest::mouseClick(v.w.findChild<QPushButton*>(QStringLiteral("Command4")), Qt::LeftButton);
        QVERIFY(quits.isEmpty() && v.w.statusFileName() == "VIERGE.CDV");
        v.w.toolbarButtons.at(15)->trigger();
        QVERIFY(quits.count() == 1 && v.w.statusFileName() == "Au revoir !");
        QCOMPARE(v.tp.messages->shown.mid(2),
                 QList<MessageRequest>(3, {"Quitter Kalimo\r      Confirmez  ?", "Quitter le programme",
                                           MsgButtons::YesNo, MsgIcon::Question, 2}));
    }

    // Save, save as and open from the toolbar on the card avant.cdv: the dialog and box shown, the name.
    void commands_data() {
        QTest::addColumn<int>("button");     // 2 open, 3 save, 4 save as
        QTest::addColumn<QString>("chosen"); // the dialog's result, empty for Cancel
        QTest::addColumn<QString>("shown");  // the dialog's title and initial name, the title of a box
        QTest::addColumn<QString>("status");
        auto row = [](const char* tag, int button, const char* file, const QString& shown, const char* st) {
            QTest::newRow(tag) << button << QString::fromUtf8(file) << shown << QString::fromUtf8(st);
        };
        // Replacing a file is asked for the final name, after the dialog.
        const QString as = "Enregistrer Sous|@DIR@/avant.cdv|no", open = "Ouvrir|@DIR@/avant.cdv|no";
        row("save unnamed, cancelled", 3, "", "Enregistrer Sous|Nouveau|no", "SANS NOM");
        row("save named, in place", 3, "", "", "AVANT.CDV");
        row("save as carte.cdv", 4, "carte.cdv", as, "CARTE.CDV");
        row("save as, extension added", 4, "macarte", as, "MACARTE.CDV");
        row("save as, cancelled", 4, "", as, "AVANT.CDV");
        row("save as, characters lost", 4, "grec.cdv", as + "\nEnregistrement de la carte", "AVANT.CDV");
        row("save as, write fails", 4, "absent/carte.cdv", as + "\nerreur", "CARTE.CDV");
        row("open", 2, "Client.cdv", open, "CLIENT.CDV");
        row("open, empty result", 2, "", open, "SANS NOM");
    }
    void commands() {
        QFETCH(int, button);
        QFETCH(QString, chosen);
        QFETCH(QString, shown);
        QFETCH(QString, status);
        const QString card = dir_.filePath(QStringLiteral("avant.cdv"));
        QVERIFY(samples::writeFile(card, samples::fullCardFile("AUCUN")));
        Window v(button == 3 && status == "SANS NOM" ? QString() : card);
        v.m.card.zone(1).Text = chosen == "grec.cdv" ? QStringLiteral("Ωmega") : QStringLiteral("avant");
        // As if the card had been saved so: no save question before the open dialog.
        cardchanges::markClean(v.m.card);
        const QString path =
            chosen.isEmpty() ? QString() : dialogpaths::withExtension(dir_.filePath(chosen), "cdv");
        if (button == 4)
            QFile::remove(path); // a name left by an earlier row would bring the replace question
        v.tp.files->chooseNext(chosen.isEmpty() ? QString() : dir_.filePath(chosen));
        v.tp.messages->answers.enqueue(MsgAnswer::Cancel);
        v.w.Toolbar1_ButtonClick(button);

        QStringList seen;
        for (const FileDialogRequest& r : v.tp.files->opens + v.tp.files->saves)
            seen << r.title + "|" + r.initialName + (r.askBeforeReplacing ? "|ask" : "|no");
        for (const MessageRequest& r : v.tp.messages->shown)
            seen << r.title;
        QCOMPARE(seen.join('\n'), at(shown));
        QCOMPARE(v.w.statusFileName(), status);
        const bool renamed = status != "SANS NOM" && status != "AVANT.CDV";
        QCOMPARE(v.m.card.FilePath, renamed ? path : status == "SANS NOM" ? QString() : card);
        if (button == 2) // open keeps the content when the result is empty
            QCOMPARE(v.m.card.zone(1).Text, chosen.isEmpty() ? "avant" : "Société \"Kalimo\"\r\nJean Dupont");
        else if (const QString file = button == 3 ? v.m.card.FilePath : path; !file.isEmpty())
            QCOMPARE(samples::readFile(file),
                     shown.contains('\n') ? QByteArray() : cardfile::toBytes(v.m.card));
    }
};

QTEST_MAIN(CardFileTest)
#include "tst_cardfile.moc"
