#include "TestPlatform.h"
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "platform/HelpWindow.h"
#include "setup/Form2.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QtTest>

namespace {

struct Started {
    explicit Started(const QString& argument = QString(), int orientation = 1) {
        tp.environment->argument = argument;
        if (orientation)
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
        QCOMPARE(w.statusFileName(), QStringLiteral("SANS NOM"));
        QCOMPARE(s.module.SelectedZone, qint16(1));
        QVERIFY(w.Label1->isOpaque() && !w.Label2->isOpaque() && !w.Label3->isOpaque());
        QCOMPARE(w.Label1->backColour(), colour::Silver);
        const CardLogo& logo = s.module.card.Logo;
        // 630 twips / 56.7, cut to two decimals.
        QCOMPARE(QRectF(logo.Left, logo.Top, logo.Width, logo.Height), QRectF(0, 0, 11.11, 11.11));
        QVERIFY(logo.Path.isEmpty() && !logo.picture.isNull());
        QCOMPARE(w.Picture2->geometry(), QRect(16, 16, 42, 42));
        QVERIFY(w.hasForm2() && !w.form2().isVisible());
        QCOMPARE(w.form2().windowTitle(), QStringLiteral("Paramétrage de l'impression DEFAUT"));
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
        QCOMPARE(s.module.card.FilePath, path);
        QCOMPARE(s.window->statusFileName(), QStringLiteral("CLIENT.CDV"));
        QCOMPARE(s.window->Label1->backColour(), colour::WindowBackground);
        QCOMPARE(s.window->Label4->text(), QStringLiteral("Edition du texte zone 1"));
        QCOMPARE(s.window->form2().windowTitle(), QStringLiteral("Paramétrage de l'impression DEFAUT"));
    }

    void orientation_data() {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<QString>("shown"); // label, then the checked entries
        QTest::newRow("portrait") << 1 << "En cours : Portrait P";
        QTest::newRow("landscape") << 2 << "En cours : Paysage L";
        QTest::newRow("no printer") << 0 << "En cours : Portrait ";
    }
    void orientation() {
        QFETCH(int, orientation);
        QFETCH(QString, shown);
        Started s(QString(), orientation);
        const QString marks = QString(s.window->Mnu_ImpPort->isChecked() ? "P" : "") +
                              QString(s.window->Mnu_ImpPays->isChecked() ? "L" : "");
        QCOMPARE(s.window->Label6->text() + ' ' + marks, shown);
    }

    // The toolbar's help button and the separators; the other positions are the commands'
    // own tests.
    void toolbar_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("helpCommand"); // 0: nothing happens
        for (int p : {6, 10, 12, 15, 0, 17})
            QTest::newRow(qPrintable(QStringLiteral("separator %1").arg(p))) << p << 0;
        QTest::newRow("help") << 13 << 3;
    }
    void toolbar() {
        QFETCH(int, position);
        QFETCH(int, helpCommand);
        Started s;
        s.window->Toolbar1_ButtonClick(position);
        QVERIFY(s.tp.messages->shown.isEmpty() && s.tp.files->opens.isEmpty());
        QCOMPARE(s.tp.help->lastCommand, helpCommand);
    }

    void helpSearch() {
        Started s;
        s.window->Mnu_AideIndex->trigger();
        QCOMPARE(s.tp.help->lastFile, QStringLiteral("/opt/kalimo/KALIMO.HLP"));
        QCOMPARE(s.tp.help->lastCommand, 261);
        HelpWindow viewer;
        viewer.showContents(QStringLiteral("/nonexistent/KALIMO.HLP"));
        QVERIFY(viewer.findChild<QTextBrowser*>()->toPlainText().contains(QStringLiteral("introuvable")));
    }

    void clock() {
        Started s;
        // The first refresh comes one interval after start-up.
        QVERIFY(s.window->Panel3->text().isEmpty());
        s.tp.environment->time = QTime(7, 0, 59);
        s.window->Timer1_Timer();
        QCOMPARE(s.window->Panel3->text(), QStringLiteral("07:00:59"));
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
