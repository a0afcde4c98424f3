#include "CardFileSamples.h"
#include "TestPlatform.h"
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A named card with a logo and coloured, centred zones.
void fillCard(Form1& w, Module1& m, const QString& path) {
    m.card = samples::fullCard(QStringLiteral("/logos/kalimo.bmp"));
    m.card.FilePath = path;
    m.card.Logo.picture = Picture(QImage(5, 5, QImage::Format_RGB32));
    m.SelectedZone = 3;
    w.setStatusFileName(QStringLiteral("CLIENT.CDV"));
    w.refreshPreview();
}

} // namespace

class DocumentCommandsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    void newAnsweredCancelChangesNothing() {
        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        fillCard(w, m, QStringLiteral("/cartes/client.cdv"));
        tp.messages->answers.enqueue(MsgAnswer::Cancel);
        w.Mnu_Nouveau->trigger();

        QCOMPARE(tp.messages->shown.size(), 1);
        const MessageRequest& q = tp.messages->shown.at(0);
        QCOMPARE(q, (MessageRequest{QStringLiteral("Création d'une nouvelle carte ?\r        Confirmer ?"),
                                    QStringLiteral("Création d'une carte"), MsgButtons::OkCancel,
                                    MsgIcon::None, 1}));
        QCOMPARE(m.card.FilePath, QStringLiteral("/cartes/client.cdv"));
        QCOMPARE(w.statusFileName(), QStringLiteral("CLIENT.CDV"));
        QCOMPARE(m.card.zone(1).ForeColor, 255u);
        QCOMPARE(m.card.Logo.Path, QStringLiteral("/logos/kalimo.bmp"));
        QVERIFY(!m.card.Logo.picture.isNull());
        QCOMPARE(int(m.SelectedZone), 3);
    }

    void newGivesTheBlankCard() {
        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.Command4->setFocus();
        fillCard(w, m, QStringLiteral("/cartes/client.cdv"));
        m.card.zone(2).FontUnderline = true;
        w.Frame1->setTitle(QStringLiteral("Aligner texte 3"));
        w.Toolbar1_ButtonClick(1);

        for (int n = 1; n <= 3; ++n) {
            const TextZone& z = m.card.zone(n);
            QVERIFY(z.Text.isEmpty());
            QCOMPARE(z.FontName, QStringLiteral("arial"));
            QCOMPARE(z.FontSize, 8.0f);
            QCOMPARE(z.ForeColor, 0u);
            QCOMPARE(int(z.Alignment), 0);
            QVERIFY(!z.FontBold && !z.FontItalic);
        }
        QVERIFY(m.card.zone(2).FontUnderline);
        QCOMPARE(m.card.Logo.Path, QStringLiteral("AUCUN"));
        QVERIFY(m.card.Logo.RecordedPath.isEmpty());
        QVERIFY(m.card.Logo.picture.isNull());
        QVERIFY(w.Picture2->picture().isNull());
        QVERIFY(m.card.FilePath.isEmpty());
        QCOMPARE(w.statusFileName(), QStringLiteral("SANS NOM"));
        QCOMPARE(int(m.SelectedZone), 1);
        QVERIFY(w.Label1->isOpaque());
        QCOMPARE(w.Label1->backColour(), colour::Silver);
        QVERIFY(!w.Label2->isOpaque() && !w.Label3->isOpaque());
        QCOMPARE(m.card.Logo.boxTwips, QRectF(283.5, 283.5, 630, 630));
        QCOMPARE(m.card.Logo.Width, 630 / 56.7);
        QCOMPARE(m.card.Logo.Left, 5.0);
        QCOMPARE(w.Label4->text(), QStringLiteral("Edition du texte zone 1"));
        // The alignment frame keeps the zone it showed.
        QCOMPARE(w.Frame1->title(), QStringLiteral("Aligner texte 3"));
        QVERIFY(w.editorText().isEmpty());
        QVERIFY(w.Text1->hasFocus());

        // Saved, the blank card is the 39-line file.
        const QString path = dir_.filePath(QStringLiteral("vierge.cdv"));
        tp.files->chooseNext(path);
        w.Mnu_Enregistrer->trigger();
        QCOMPARE(samples::readFile(path), samples::newCardFile());
    }

    void saveOfAnUnnamedCard() {
        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        w.Mnu_Enregistrer->trigger(); // cancelled
        QCOMPARE(tp.files->saves.size(), 1);
        const FileDialogRequest& r = tp.files->saves.at(0);
        QCOMPARE(r.title, QStringLiteral("Enregistrer Sous"));
        QCOMPARE(r.filter, QStringLiteral("Fichiers carte de visite (*.CDV)|*.CDV"));
        QCOMPARE(r.filterIndex, 1);
        QCOMPARE(r.initialName, QStringLiteral("Nouveau"));
        QVERIFY(r.askBeforeReplacing);
        QVERIFY(m.card.FilePath.isEmpty());
        QCOMPARE(w.statusFileName(), QStringLiteral("SANS NOM"));

        // Still unnamed: the next save asks again.
        w.Toolbar1_ButtonClick(3);
        QCOMPARE(tp.files->saves.size(), 2);
        QVERIFY(m.card.FilePath.isEmpty());
    }

    void saveOfANamedCardWritesInPlace() {
        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        const QString path = dir_.filePath(QStringLiteral("nommee.cdv"));
        fillCard(w, m, path);
        m.card.Logo.RecordedPath.clear();
        w.Mnu_Enregistrer->trigger();
        QVERIFY(tp.files->saves.isEmpty());
        QCOMPARE(samples::readFile(path), samples::fullCardFile(QStringLiteral("AUCUN")));
        QCOMPARE(w.statusFileName(), QStringLiteral("CLIENT.CDV"));
    }

    // Save as takes the name as typed and shows it in upper case.
    void saveAs_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("status");
        QTest::newRow("with the extension") << "carte.cdv"
                                            << "CARTE.CDV";
        QTest::newRow("no extension added") << "macarte"
                                            << "MACARTE";
        QTest::newRow("accented") << "société.CDV"
                                  << "SOCIÉTÉ.CDV";
    }
    void saveAs() {
        QFETCH(QString, name);
        QFETCH(QString, status);
        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        fillCard(w, m, QStringLiteral("/cartes/client.cdv"));
        const QString path = dir_.filePath(name);
        tp.files->chooseNext(path);
        w.Toolbar1_ButtonClick(4);
        QCOMPARE(tp.files->saves.at(0).initialName, QStringLiteral("/cartes/client.cdv"));
        QCOMPARE(m.card.FilePath, path);
        QCOMPARE(w.statusFileName(), status);
        QCOMPARE(samples::readFile(path), samples::fullCardFile(QStringLiteral("/logos/kalimo.bmp")));
        QVERIFY(!QFile::exists(path + ".CDV"));
    }

    void saveAsCancelledKeepsTheName() {
        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        fillCard(w, m, QStringLiteral("/cartes/client.cdv"));
        w.Mnu_EnregistrerSous->trigger();
        QCOMPARE(m.card.FilePath, QStringLiteral("/cartes/client.cdv"));
        QCOMPARE(w.statusFileName(), QStringLiteral("CLIENT.CDV"));
    }

    void saveAsDeclinedForLostCharactersKeepsTheName() {
        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        fillCard(w, m, QStringLiteral("/cartes/client.cdv"));
        m.card.zone(1).Text = QStringLiteral("Ωmega");
        const QString path = dir_.filePath(QStringLiteral("grec.cdv"));
        tp.files->chooseNext(path);
        tp.messages->answers.enqueue(MsgAnswer::Cancel);
        w.Mnu_EnregistrerSous->trigger();
        QVERIFY(!QFile::exists(path));
        QCOMPARE(m.card.FilePath, QStringLiteral("/cartes/client.cdv"));
        QCOMPARE(w.statusFileName(), QStringLiteral("CLIENT.CDV"));
    }

    void saveAsThatFailsStillTakesTheName() {
        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        const QString path = dir_.filePath(QStringLiteral("absent/carte.cdv"));
        tp.files->chooseNext(path);
        w.Mnu_EnregistrerSous->trigger();
        QCOMPARE(tp.messages->shown.size(), 1);
        QCOMPARE(tp.messages->shown.at(0).title, QStringLiteral("erreur"));
        QCOMPARE(m.card.FilePath, path);
        QCOMPARE(w.statusFileName(), QStringLiteral("CARTE.CDV"));
    }

    void openReplacesTheCard() {
        const QString path = dir_.filePath(QStringLiteral("Client.cdv"));
        QVERIFY(samples::writeFile(path, samples::fullCardFile(QStringLiteral("AUCUN"))));
        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        m.card.FilePath = QStringLiteral("/cartes/avant.cdv");
        m.SelectedZone = 2;
        tp.files->chooseNext(path);
        w.Toolbar1_ButtonClick(2);

        QCOMPARE(tp.files->opens.size(), 1);
        const FileDialogRequest& r = tp.files->opens.at(0);
        QCOMPARE(r.title, QStringLiteral("Ouvrir"));
        QCOMPARE(r.filter, QStringLiteral("Fichiers carte de visite (*.CDV)|*.CDV"));
        QCOMPARE(r.filterIndex, 1);
        QCOMPARE(r.initialName, QStringLiteral("/cartes/avant.cdv"));
        QVERIFY(!r.askBeforeReplacing);

        QCOMPARE(m.card.FilePath, path);
        QCOMPARE(w.statusFileName(), QStringLiteral("CLIENT.CDV"));
        QCOMPARE(m.card.zone(3).Text, QStringLiteral("Tél. 01 23 45 67 89"));
        QCOMPARE(w.editorText(), m.card.zone(1).Text);
        QCOMPARE(w.Label4->text(), QStringLiteral("Edition du texte zone 1"));
    }

    void openWithAnEmptyResultKeepsTheContent() {
        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        fillCard(w, m, QStringLiteral("/cartes/client.cdv"));
        w.Mnu_Ouvrir->trigger();
        QVERIFY(m.card.FilePath.isEmpty());
        QCOMPARE(w.statusFileName(), QStringLiteral("SANS NOM"));
        QCOMPARE(m.card.zone(2).Text, QStringLiteral("Nom\r\nFonction"));
        QCOMPARE(w.Label4->text(), QStringLiteral("Edition du texte zone 3"));
        QVERIFY(tp.messages->shown.isEmpty());
    }

    // Quit from each of its three triggers, answered each way.
    void quit_data() {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<bool>("ends");
        for (const char* trigger : {"menu", "button", "toolbar"}) {
            QTest::addRow("%s, yes", trigger) << trigger << MsgAnswer::Yes << true;
            QTest::addRow("%s, no", trigger) << trigger << MsgAnswer::No << false;
        }
    }
    void quit() {
        QFETCH(QString, trigger);
        QFETCH(MsgAnswer, answer);
        QFETCH(bool, ends);
        TestPlatform tp;
        Module1 m;
        Form1 w(m, tp.platform);
        w.Form_Load();
        QSignalSpy quits(&w, &Form1::quitRequested);
        QString statusWhileAsked;
        tp.messages->onShow = [&](const MessageRequest&) { statusWhileAsked = w.statusFileName(); };
        tp.messages->answers.enqueue(answer);
        if (trigger == "menu")
            w.Mnu_Quitter->trigger();
        else if (trigger == "button")
            QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("Command4")), Qt::LeftButton);
        else
            w.toolbarButtons.at(15)->trigger();

        const MessageRequest question{QStringLiteral("Quitter Kalimo\r      Confirmez  ?"),
                                      QStringLiteral("Quitter le programme"), MsgButtons::YesNo,
                                      MsgIcon::Question, 2};
        QCOMPARE(tp.messages->shown, QList<MessageRequest>{question});
        QCOMPARE(statusWhileAsked, QStringLiteral("SANS NOM"));
        QCOMPARE(quits.count(), ends ? 1 : 0);
        QCOMPARE(w.statusFileName(), ends ? QStringLiteral("Au revoir !") : QStringLiteral("SANS NOM"));
    }
};

QTEST_MAIN(DocumentCommandsTest)
#include "tst_documentcommands.moc"
