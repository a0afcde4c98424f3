#include "TestPlatform.h"
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "platform/HelpWindow.h"
#include "setup/Form2.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

namespace {

struct Started {
    explicit Started(const QString& argument = QString(), int orientation = 1, bool printer = true) {
        tp.environment->argument = argument;
        if (printer)
            tp.spooler->addPrinter(QStringLiteral("Bureau"), orientation);
        window = std::make_unique<Form1>(module, tp.platform);
        window->Form_Load();
    }
    TestPlatform tp;
    Module1 module;
    std::unique_ptr<Form1> window;
};

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void withoutArgument() {
        Started s;
        Form1& w = *s.window;
        QCOMPARE(w.windowTitle(), QStringLiteral("Création de Carte de Visite"));
        QCOMPARE(w.statusFileName(), QStringLiteral("SANS NOM"));
        QVERIFY(s.module.card.FilePath.isEmpty());
        QCOMPARE(s.module.SelectedZone, qint16(1));
        QVERIFY(w.Label1->isOpaque());
        QCOMPARE(w.Label1->backColour(), colour::Silver);
        QVERIFY(!w.Label2->isOpaque());
        QVERIFY(!w.Label3->isOpaque());
        QVERIFY(w.Text1->toPlainText().isEmpty());
        QCOMPARE(w.Label4->text(), QStringLiteral("Edition du texte zone 1"));
        QCOMPARE(w.Frame1->title(), QStringLiteral("Aligner texte 1"));
        const CardLogo& logo = s.module.card.Logo;
        QCOMPARE(logo.Width, 11.11);
        QCOMPARE(logo.Height, 11.11);
        QCOMPARE(logo.Left, 0.0);
        QCOMPARE(logo.Top, 0.0);
        QVERIFY(logo.Path.isEmpty());
        QVERIFY(logo.RecordedPath.isEmpty());
        QVERIFY(!logo.picture.isNull());
        QCOMPARE(logo.picture.naturalSize(), QSize(32, 32));
        QCOMPARE(w.Picture2->geometry(), QRect(16, 16, 42, 42));
        QVERIFY(!w.Frame2->isVisible());
        // The print set-up window exists, hidden, named after the built-in set.
        QVERIFY(w.hasForm2());
        QVERIFY(!w.form2().isVisible());
        QCOMPARE(w.form2().windowTitle(), QStringLiteral("Paramétrage de l'impression DEFAUT"));
        QCOMPARE(s.module.layout.leftMargin, 5.0);
        QCOMPARE(s.module.layout.cardHeight, 54.0);
        QCOMPARE(s.module.layout.cardCount, qint16(10));
        QVERIFY(s.tp.messages->shown.isEmpty());
    }

    void zoneDefaults() {
        Started s;
        for (int n = 1; n <= 3; ++n) {
            const TextZone& z = s.module.card.zone(n);
            QCOMPARE(z.FontName, QStringLiteral("Arial"));
            QCOMPARE(z.FontSize, 8.25f);
            QCOMPARE(z.ForeColor, colour::WindowText);
            QCOMPARE(z.Alignment, qint16(0));
            QVERIFY(z.Text.isEmpty());
        }
    }

    void withArgument_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("path");
        QTest::newRow("absolute") << "/srv/cartes/Client.cdv"
                                  << "/srv/cartes/Client.cdv";
        QTest::newRow("quoted") << "\"/srv/cartes/Client.cdv\""
                                << "/srv/cartes/Client.cdv";
        QTest::newRow("current folder") << "Client.cdv"
                                        << "/home/marie/cartes/Client.cdv";
    }
    void withArgument() {
        QFETCH(QString, argument);
        QFETCH(QString, path);
        // The card does not exist: the start-up still runs to its end.
        Started s(argument);
        Form1& w = *s.window;
        QCOMPARE(s.module.card.FilePath, path);
        QCOMPARE(w.statusFileName(), QStringLiteral("CLIENT.CDV"));
        QCOMPARE(s.module.SelectedZone, qint16(1));
        QVERIFY(w.Label1->isOpaque());
        QCOMPARE(w.Label1->backColour(), colour::WindowBackground);
        QCOMPARE(w.Label4->text(), QStringLiteral("Edition du texte zone 1"));
        QCOMPARE(w.Frame1->title(), QStringLiteral("Aligner texte 1"));
        QCOMPARE(w.form2().windowTitle(), QStringLiteral("Paramétrage de l'impression DEFAUT"));
    }

    void orientation_data() {
        QTest::addColumn<bool>("printer");
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("portraitChecked");
        QTest::addColumn<bool>("landscapeChecked");
        QTest::newRow("portrait") << true << 1 << "En cours : Portrait" << true << false;
        QTest::newRow("landscape") << true << 2 << "En cours : Paysage" << false << true;
        QTest::newRow("no printer") << false << 0 << "En cours : Portrait" << false << false;
    }
    void orientation() {
        QFETCH(bool, printer);
        QFETCH(int, orientation);
        QFETCH(QString, label);
        QFETCH(bool, portraitChecked);
        QFETCH(bool, landscapeChecked);
        Started s(QString(), orientation, printer);
        QCOMPARE(s.window->Label6->text(), label);
        QCOMPARE(s.window->Mnu_ImpPort->isChecked(), portraitChecked);
        QCOMPARE(s.window->Mnu_ImpPays->isChecked(), landscapeChecked);
    }

    void previewBoxesAtTheirTwips() {
        Started s;
        Form1& w = *s.window;
        QCOMPARE(w.Picture1->geometry(), QRect(8, 48, 345, 209));
        QCOMPARE(w.Label1->geometry(), QRect(72, 16, 257, 57));
        QCOMPARE(w.Label2->geometry(), QRect(16, 80, 313, 57));
        QCOMPARE(w.Label3->geometry(), QRect(16, 144, 313, 57));
        QCOMPARE(w.Label3->toolTip(), QStringLiteral("Cliquez ici pour éditer la zone de texte 3"));
        QVERIFY(!w.Command11->isEnabled());
    }

    void menus() {
        Started s;
        const QStringList file{"&Nouveau",
                               "&Ouvrir",
                               "",
                               "&Enregistrer",
                               "Enregistrer &Sous...",
                               "",
                               "&Imprimer",
                               "Aperçu avant impression...",
                               "Exporter en PDF...",
                               "Configurer l'imprimante",
                               "Imprimante en mode Portrait",
                               "Imprimante en mode Paysage",
                               "",
                               "Charger des paramètres",
                               "",
                               "&Quitter"};
        QStringList shown;
        for (QAction* a : s.window->Mnu_Fichier->actions())
            shown << a->text();
        QCOMPARE(shown, file);
        QCOMPARE(s.window->Mnu_Fichier->title(), QStringLiteral("&Fichier"));
        shown.clear();
        for (QAction* a : s.window->Mnu_Aide->actions())
            shown << a->text();
        QCOMPARE(shown, (QStringList{"&Sommaire de l'aide", "&Rechercher dans l'aide", "", "A propos"}));
        QCOMPARE(s.window->Mnu_Aide->title(), QStringLiteral("?"));
    }

    void toolbar() {
        Started s;
        const QList<QAction*>& buttons = s.window->toolbarButtons;
        QCOMPARE(buttons.size(), 16);
        const QStringList tips{"Nouveau",
                               "Ouvrir",
                               "Enregistrer",
                               "Enregistrer Sous",
                               "Imprimer",
                               "",
                               "Police",
                               "Couleur",
                               "Icône",
                               "",
                               "Visualiser les images",
                               "",
                               "Aide",
                               "A propos",
                               "",
                               "Quitter"};
        for (int i = 0; i < 16; ++i) {
            QCOMPARE(buttons[i]->isSeparator(), tips[i].isEmpty());
            if (!tips[i].isEmpty()) {
                QCOMPARE(buttons[i]->toolTip(), tips[i]);
                QVERIFY(!buttons[i]->icon().isNull());
            }
        }
    }

    void separatorsDoNothing_data() {
        QTest::addColumn<int>("position");
        for (int p : {6, 10, 12, 15, 0, 17})
            QTest::newRow(qPrintable(QString::number(p))) << p;
    }
    void separatorsDoNothing() {
        QFETCH(int, position);
        Started s;
        const QString status = s.window->statusFileName();
        s.window->Toolbar1_ButtonClick(position);
        QVERIFY(s.tp.messages->shown.isEmpty());
        QCOMPARE(s.tp.help->count, 0);
        QVERIFY(s.tp.files->opens.isEmpty() && s.tp.files->saves.isEmpty());
        QVERIFY(s.tp.dialogs->fontRequests.isEmpty() && s.tp.dialogs->colourRequests.isEmpty());
        QCOMPARE(s.window->statusFileName(), status);
    }

    void help_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("command");
        QTest::newRow("menu contents") << "Mmu_Som_Aide" << 3;
        QTest::newRow("menu search") << "Mnu_AideIndex" << 261;
        QTest::newRow("button") << "Command7" << 3;
        QTest::newRow("toolbar") << "Toolbar1_13" << 3;
    }
    void help() {
        QFETCH(QString, how);
        QFETCH(int, command);
        Started s;
        if (auto* button = s.window->findChild<QPushButton*>(how))
            QTest::mouseClick(button, Qt::LeftButton);
        else
            s.window->findChild<QAction*>(how)->trigger();
        QCOMPARE(s.tp.help->count, 1);
        QCOMPARE(s.tp.help->lastFile, QStringLiteral("/opt/kalimo/KALIMO.HLP"));
        QCOMPARE(s.tp.help->lastCommand, command);
    }

    void missingHelpFileIsReportedByTheViewer() {
        HelpWindow viewer;
        viewer.showContents(QStringLiteral("/nonexistent/KALIMO.HLP"));
        auto* text = viewer.findChild<QTextBrowser*>(QStringLiteral("HelpText"));
        QVERIFY(text->toPlainText().contains(QStringLiteral("introuvable")));
    }

    void clock() {
        Started s;
        // The first refresh comes one interval after start-up.
        QVERIFY(s.window->Panel3->text().isEmpty());
        QCOMPARE(s.window->Timer1->interval(), 1000);
        QVERIFY(s.window->Timer1->isActive());
        s.window->Timer1_Timer();
        QCOMPARE(s.window->Panel3->text(), QStringLiteral("09:05:07"));
        s.tp.environment->time = QTime(23, 0, 59);
        s.window->Timer1_Timer();
        QCOMPARE(s.window->Panel3->text(), QStringLiteral("23:00:59"));
        QCOMPARE(s.window->Panel2->text(), QStringLiteral("06/12/2026"));
        QVERIFY(s.window->Panel4->text().contains(QStringLiteral("2026")));
        QCOMPARE(s.window->Panel4->toolTip(), s.window->Panel4->text());
    }

    void closingTheWindowEndsWithoutAQuestion() {
        Started s;
        QSignalSpy quit(s.window.get(), &Form1::quitRequested);
        s.window->show();
        QVERIFY(s.window->close());
        QCOMPARE(quit.count(), 1);
        QVERIFY(s.tp.messages->shown.isEmpty());
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
