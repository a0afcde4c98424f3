#include "PdfTools.h"
#include "TestPlatform.h"
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "setup/Form2.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

const QString pageQuestion = QStringLiteral("Confirmer l'impression d'une page de 10 cartes identiques");
const QString tenCells =
    QStringLiteral("5, 0|90, 0|5, 54|90, 54|5, 108|90, 108|5, 162|90, 162|5, 216|90, 216");

struct Window {
    TestPlatform tp;
    Module1 m;
    Form1 w{m, tp.platform};
    int dialogs = 0;
    Window() { w.Form_Load(); }

    // Clicks these controls of the set-up dialog as soon as it is shown ("close" is its close
    // box, which leaves the request as it is), then runs `then` in the next modal dialog.
    void onSetupDialog(const QStringList& clicks = {QStringLiteral("close")},
                       std::function<void()> then = {}) {
        QTimer::singleShot(0, &w, [this, clicks, then] {
            auto* d = qobject_cast<Form2*>(QApplication::activeModalWidget());
            if (!d)
                return;
            ++dialogs;
            for (const QString& name : clicks) {
                if (name == QLatin1String("close"))
                    d->close();
                else
                    QTest::mouseClick(d->findChild<QWidget*>(name), Qt::LeftButton);
            }
            if (then)
                QTimer::singleShot(0, &w, then);
        });
    }
    void print(const QStringList& clicks = {QStringLiteral("close")}) {
        onSetupDialog(clicks);
        w.Mnu_Imprimer_Click();
    }
    // Where the logo was printed, "x, y" per card.
    QString logos() const {
        QStringList out;
        for (const QString& c : tp.printer->calls)
            if (c.startsWith(QLatin1String("PaintPicture(")))
                out << c.mid(13).section(QLatin1String(", "), 0, 1);
        return out.join(QLatin1Char('|'));
    }
};

} // namespace

class TestPrintCommand : public QObject {
    Q_OBJECT
private slots:
    void throughTheSetupDialog_data() {
        QTest::addColumn<QStringList>("clicks"); // in the set-up dialog
        QTest::addColumn<int>("cardCount");
        QTest::addColumn<int>("trouble"); // 1: a zone of 16 lines; 2: the printer fails, KillDoc too
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("prompts"); // the start of each message shown
        QTest::addColumn<QString>("logos");       // where the logo is printed
        const auto row = [](const char* name, const char* clicks, int cards, int trouble, bool yes,
                            const char* title, const QStringList& prompts, const QString& logos) {
            QTest::newRow(name) << QString::fromUtf8(clicks).split(QLatin1Char(' ')) << cards << trouble
                                << yes << QString::fromUtf8(title) << prompts << logos;
        };
        const QString card = QStringLiteral("Confirmer l'impression de la carte N°  ");
        row("page", "Command1", 10, 0, true, "Impression de 10 cartes ", {pageQuestion}, tenCells);
        row("page of 0, no", "close", 0, 0, false, "Impression de 0 cartes ",
            {"Confirmer l'impression d'une page de 0 cartes identiques"}, "");
        row("card 3, no", "Option2 Label3 Command1", 10, 0, false, "Impression de la carte N°  3",
            {card + "3"}, "");
        row("card 10, close box", "Option2 Label10 close", 2, 0, true, "Impression de la carte N°  10",
            {card + "10"}, "90, 216");
        row("cancelled", "Option2 Label4 Command2", 10, 0, true, "", {}, "");
        row("single card, no position", "Option2 close", 10, 0, true, "", {"Aucune carte n'a été choisie"},
            "");
        row("zone of 16 lines", "close", 10, 1, true, "Impression de 10 cartes ",
            {pageQuestion, "La zone de texte 3"}, "");
        row("printer fails", "close", 10, 2, true, "Impression de 10 cartes ",
            {pageQuestion, "Erreur d'impression ou de police non définie !"}, "");
    }

    void throughTheSetupDialog() {
        QFETCH(QStringList, clicks);
        QFETCH(int, cardCount);
        QFETCH(int, trouble);
        QFETCH(bool, yes);
        QFETCH(QString, title);
        QFETCH(QStringList, prompts);
        QFETCH(QString, logos);
        Window t;
        t.m.layout.cardCount = qint16(cardCount);
        t.m.card.zone(1).Text = QStringLiteral("Marie\r\nDupont");
        if (trouble == 1)
            t.m.card.zone(3).Text = QStringList(16, QStringLiteral("ligne")).join(QLatin1String("\r\n"));
        t.tp.printer->failAt = trouble == 2 ? 10 : -1;
        t.tp.printer->failKillDoc = trouble == 2;
        t.m.card.Logo.Width = 20;
        t.m.card.Logo.Height = 10;
        t.tp.messages->answers.enqueue(yes ? MsgAnswer::Yes : MsgAnswer::No);
        t.print(clicks);
        QCOMPARE(t.dialogs, 1);
        QCOMPARE(t.tp.messages->shown.size(), prompts.size());
        for (int i = 0; i < prompts.size(); ++i)
            QCOMPARE(t.tp.messages->shown.at(i).prompt.left(prompts.at(i).size()), prompts.at(i));
        if (!title.isEmpty()) {
            const MessageRequest box = t.tp.messages->shown.first();
            QCOMPARE(box.prompt, prompts.first());
            QCOMPARE(box.title, title);
            QCOMPARE(box.buttons, MsgButtons::YesNo);
            QCOMPARE(box.icon, MsgIcon::Question);
        }
        QCOMPARE(t.logos(), logos);
        const QStringList& calls = t.tp.printer->calls;
        QCOMPARE(calls.count(QStringLiteral("Print(Dupont)")),
                 logos.isEmpty() ? 0 : logos.count(QLatin1Char('|')) + 1);
        QCOMPARE(t.tp.printer->endDocs, logos.isEmpty() ? 0 : 1);
        QCOMPARE(t.tp.printer->killDocs, trouble == 2 ? 1 : 0);
        QCOMPARE(calls.isEmpty(), logos.isEmpty() && trouble != 2); // no job unless asked
        QVERIFY(t.w.Frame2->isHidden());
        QCOMPARE(int(t.m.request.cancelled), 0); // the next command starts afresh
        if (!logos.isEmpty()) {                  // the logo preview follows the logo's size in millimetres
            QCOMPARE(t.m.card.Logo.boxTwips.size(), QSizeF(1134, 567));
            QCOMPARE(t.w.Picture2->size(), QSize(76, 38));
        }
    }

    void everyEntryRunsTheCommand() {
        Window t;
        const std::function<void()> entries[] = {
            [&] { t.w.findChild<QAction*>(QStringLiteral("Mnu_Imprimer"))->trigger(); },
            [&] {
                QTest::mouseClick(t.w.findChild<QPushButton*>(QStringLiteral("Command5")), Qt::LeftButton);
            },
            [&] { t.w.Toolbar1_ButtonClick(5); }};
        for (const auto& entry : entries) {
            t.tp.messages->answers.enqueue(MsgAnswer::No);
            t.onSetupDialog();
            entry();
        }
        QCOMPARE(t.dialogs, 3);
        QCOMPARE(t.tp.messages->shown.size(), 3);
    }

    void cancelButtonAbandonsTheJob_data() {
        QTest::addColumn<bool>("killDocFails");
        QTest::newRow("job in progress") << false;
        QTest::newRow("no printer") << true;
    }

    void cancelButtonAbandonsTheJob() {
        QFETCH(bool, killDocFails);
        Window t;
        t.tp.printer->failKillDoc = killDocFails;
        t.w.show();
        t.w.Frame2->show();
        QTest::mouseClick(t.w.findChild<QPushButton*>(QStringLiteral("Command8")), Qt::LeftButton);
        QCOMPARE(t.tp.printer->killDocs, 1);
        QVERIFY(t.w.Frame2->isHidden());
        QVERIFY(t.tp.messages->shown.isEmpty());
    }

    void exportPdf_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::addColumn<int>("errors");
        QTest::newRow("named") << "cartes.pdf" << QStringLiteral("cartes.pdf") << 0;
        QTest::newRow("without extension") << "cartes" << QStringLiteral("cartes.pdf") << 0;
        QTest::newRow("cancelled") << "" << QString() << 0;
        QTest::newRow("missing folder") << "absent/cartes.pdf" << QString() << 1;
    }

    void exportPdf() {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QFETCH(int, errors);
        QTemporaryDir dir;
        Window t;
        t.m.card.FilePath = QStringLiteral("/home/marie/cartes/dupont.cdv");
        t.tp.files->chooseNext(chosen.isEmpty() ? QString() : dir.filePath(chosen));
        t.onSetupDialog();
        t.w.Mnu_ExportPdf_Click();
        QCOMPARE(t.dialogs, 1);
        QCOMPARE(t.tp.files->saves.size(), 1);
        QCOMPARE(t.tp.files->saves.first().initialName, QStringLiteral("dupont.pdf"));
        QCOMPARE(t.tp.messages->shown.size(), errors);
        QVERIFY(t.tp.printer->calls.isEmpty()); // the printer is not involved
        QVERIFY(t.w.Frame2->isHidden());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 written.isEmpty() ? QStringList() : QStringList{written});
        QVERIFY(written.isEmpty() || pdftools::pageCount(dir.filePath(written)) == 1);
    }

    void previewShowsThePage() {
        Window t;
        int pages = -1;
        t.onSetupDialog({QStringLiteral("close")}, [&] {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            if (!preview)
                return;
            if (auto* widget = preview->findChild<QPrintPreviewWidget*>())
                pages = widget->pageCount();
            preview->close();
        });
        t.w.Mnu_Apercu_Click();
        QCOMPARE(pages, 1);
        QVERIFY(t.tp.printer->calls.isEmpty());
        QVERIFY(t.tp.messages->shown.isEmpty());
        QVERIFY(t.w.Frame2->isHidden());
        QCOMPARE(t.dialogs, 1);
    }
};

QTEST_MAIN(TestPrintCommand)
#include "tst_printcommand.moc"
