#include "TestPlatform.h"
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "setup/Form2.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

struct Window {
    TestPlatform tp;
    Module1 m;
    Form1 w{m, tp.platform};
    int dialogs = 0;
    Window() { w.Form_Load(); }

    // The set-up dialog closes by its close box as soon as it is shown, leaving the request
    // as the test set it.
    void closeSetupDialogWhenShown() {
        QTimer::singleShot(0, &w, [this] {
            if (auto* d = qobject_cast<Form2*>(QApplication::activeModalWidget())) {
                ++dialogs;
                d->close();
            }
        });
    }
    void print() {
        closeSetupDialogWhenShown();
        w.Mnu_Imprimer_Click();
    }
    QStringList prompts() const {
        QStringList out;
        for (const MessageRequest& r : tp.messages->shown)
            out << r.prompt;
        return out;
    }
};

} // namespace

class TestPrintCommand : public QObject {
    Q_OBJECT
private slots:
    void confirmation_data();
    void confirmation();
    void cancelledDialogPrintsNothing();
    void printsOnYes_data();
    void printsOnYes();
    void drivenThroughTheSetupDialog_data();
    void drivenThroughTheSetupDialog();
    void zoneTooLongIsRefusedBeforeTheJob();
    void failedJobHidesTheProgressFrame();
    void everyEntryRunsTheCommand_data();
    void everyEntryRunsTheCommand();
    void cancelButtonAbandonsTheJob_data();
    void cancelButtonAbandonsTheJob();
    void exportPdf_data();
    void exportPdf();
    void previewShowsThePage();
};

void TestPrintCommand::confirmation_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("cardCount");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("title");

    QTest::newRow("page of 10") << 1 << 0 << 10 << "Confirmer l'impression d'une page de 10 cartes identiques"
                                << "Impression de 10 cartes ";
    QTest::newRow("page of 0") << 1 << 4 << 0 << "Confirmer l'impression d'une page de 0 cartes identiques"
                               << "Impression de 0 cartes ";
    QTest::newRow("card 3") << 0 << 3 << 10 << "Confirmer l'impression de la carte N°  3"
                            << "Impression de la carte N°  3";
    QTest::newRow("card 10") << 0 << 10 << 2 << "Confirmer l'impression de la carte N°  10"
                             << "Impression de la carte N°  10";
}

void TestPrintCommand::confirmation() {
    QFETCH(int, mode);
    QFETCH(int, position);
    QFETCH(int, cardCount);
    QFETCH(QString, prompt);
    QFETCH(QString, title);
    Window t;
    t.m.request.mode = qint16(mode);
    t.m.request.position = qint16(position);
    t.m.layout.cardCount = qint16(cardCount);
    t.tp.messages->answers.enqueue(MsgAnswer::No);
    t.print();
    QCOMPARE(t.dialogs, 1);
    QCOMPARE(t.tp.messages->shown.size(), 1);
    const MessageRequest box = t.tp.messages->shown.first();
    QCOMPARE(box.prompt, prompt);
    QCOMPARE(box.title, title);
    QCOMPARE(box.buttons, MsgButtons::YesNo);
    QCOMPARE(box.icon, MsgIcon::Question);
    // No prints nothing and leaves the progress frame hidden.
    QVERIFY(t.tp.printer->calls.isEmpty());
    QVERIFY(t.w.Frame2->isHidden());
}

void TestPrintCommand::cancelledDialogPrintsNothing() {
    Window t;
    t.m.request.cancelled = 1;
    t.print();
    QCOMPARE(t.dialogs, 1);
    QVERIFY(t.tp.messages->shown.isEmpty());
    QVERIFY(t.tp.printer->calls.isEmpty());
    QCOMPARE(int(t.m.request.cancelled), 0);
    // The next command opens the dialog again and goes on to its question.
    t.tp.messages->answers.enqueue(MsgAnswer::No);
    t.print();
    QCOMPARE(t.dialogs, 2);
    QCOMPARE(t.tp.messages->shown.size(), 1);
}

void TestPrintCommand::printsOnYes_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("cards");
    QTest::newRow("page") << 1 << 10;
    QTest::newRow("single card") << 0 << 1;
}

void TestPrintCommand::printsOnYes() {
    QFETCH(int, mode);
    QFETCH(int, cards);
    Window t;
    t.m.request.mode = qint16(mode);
    t.m.request.position = 2;
    t.m.cardOrigin = {90, 0};
    t.m.card.zone(1).Text = QStringLiteral("Marie\r\nDupont");
    t.m.card.Logo.Width = 20;
    t.m.card.Logo.Height = 10;
    t.print();
    const QStringList& calls = t.tp.printer->calls;
    QCOMPARE(calls.count(QStringLiteral("EndDoc")), 1);
    QCOMPARE(calls.count(QStringLiteral("Print(Dupont)")), cards);
    QCOMPARE(calls.count(QStringLiteral("PaintPicture(90, 0, 20, 10)")), 1);
    QVERIFY(t.w.Frame2->isHidden());
    QCOMPARE(t.tp.messages->shown.size(), 1); // the question only
    // The logo preview follows the logo's size in millimetres.
    QCOMPARE(t.m.card.Logo.boxTwips.size(), QSizeF(1134, 567));
    QCOMPARE(t.w.Picture2->size(), QSize(76, 38));
}

void TestPrintCommand::drivenThroughTheSetupDialog_data() {
    QTest::addColumn<QStringList>("clicks"); // in the dialog; "close" is its close box
    QTest::addColumn<QString>("question");
    QTest::addColumn<QStringList>("logos"); // where the logo is printed

    QTest::newRow("page") << QStringList{"Command1"}
                          << "Confirmer l'impression d'une page de 10 cartes identiques"
                          << QStringList{"5, 0",    "90, 0",  "5, 54",   "90, 54", "5, 108",
                                         "90, 108", "5, 162", "90, 162", "5, 216", "90, 216"};
    QTest::newRow("card 3") << QStringList{"Option2", "Label3", "Command1"}
                            << "Confirmer l'impression de la carte N°  3" << QStringList{"5, 54"};
    QTest::newRow("card 4, close box") << QStringList{"Option2", "Label4", "close"}
                                       << "Confirmer l'impression de la carte N°  4" << QStringList{"90, 54"};
    QTest::newRow("page, close box") << QStringList{"close"}
                                     << "Confirmer l'impression d'une page de 10 cartes identiques"
                                     << QStringList{"5, 0",    "90, 0",  "5, 54",   "90, 54", "5, 108",
                                                    "90, 108", "5, 162", "90, 162", "5, 216", "90, 216"};
    QTest::newRow("cancelled") << QStringList{"Option2", "Label4", "Command2"} << "" << QStringList{};
    QTest::newRow("single card, no position")
        << QStringList{"Option2", "close"} << "Aucune carte n'a été choisie" << QStringList{};
}

void TestPrintCommand::drivenThroughTheSetupDialog() {
    QFETCH(QStringList, clicks);
    QFETCH(QString, question);
    QFETCH(QStringList, logos);
    Window t;
    QTimer::singleShot(0, &t.w, [&] {
        auto* d = qobject_cast<Form2*>(QApplication::activeModalWidget());
        if (!d)
            return;
        for (const QString& name : clicks) {
            if (name == QLatin1String("close"))
                d->close();
            else
                QTest::mouseClick(d->findChild<QWidget*>(name), Qt::LeftButton);
        }
    });
    t.w.Mnu_Imprimer_Click();
    QCOMPARE(t.prompts().isEmpty() ? QString() : t.prompts().first().left(question.size()), question);
    QStringList printed;
    for (const QString& c : t.tp.printer->calls)
        if (c.startsWith(QLatin1String("PaintPicture(")))
            printed << c.mid(13).section(QLatin1String(", "), 0, 1);
    QCOMPARE(printed, logos);
}

void TestPrintCommand::zoneTooLongIsRefusedBeforeTheJob() {
    Window t;
    QStringList lines;
    for (int i = 0; i < 16; ++i)
        lines << QStringLiteral("ligne");
    t.m.card.zone(3).Text = lines.join(QLatin1String("\r\n"));
    t.print();
    QCOMPARE(t.tp.messages->shown.size(), 2);
    QVERIFY(t.prompts().at(1).contains(QStringLiteral("zone de texte 3")));
    QVERIFY(t.tp.printer->calls.isEmpty());
    QVERIFY(t.w.Frame2->isHidden());
}

void TestPrintCommand::failedJobHidesTheProgressFrame() {
    Window t;
    t.tp.printer->failAt = 10;
    t.tp.printer->failKillDoc = true;
    t.print();
    QCOMPARE(t.prompts(), (QStringList{"Confirmer l'impression d'une page de 10 cartes identiques",
                                       "Erreur d'impression ou de police non définie !"}));
    QCOMPARE(t.tp.printer->killDocs, 1);
    QCOMPARE(t.tp.printer->endDocs, 0);
    QVERIFY(t.w.Frame2->isHidden());
}

void TestPrintCommand::everyEntryRunsTheCommand_data() {
    QTest::addColumn<QString>("entry");
    QTest::newRow("menu") << "Mnu_Imprimer";
    QTest::newRow("button") << "Command5";
    QTest::newRow("toolbar") << "toolbar 5";
}

void TestPrintCommand::everyEntryRunsTheCommand() {
    QFETCH(QString, entry);
    Window t;
    t.tp.messages->answers.enqueue(MsgAnswer::No);
    t.closeSetupDialogWhenShown();
    if (entry == QLatin1String("Mnu_Imprimer"))
        t.w.findChild<QAction*>(entry)->trigger();
    else if (entry == QLatin1String("Command5"))
        QTest::mouseClick(t.w.findChild<QPushButton*>(entry), Qt::LeftButton);
    else
        t.w.Toolbar1_ButtonClick(5);
    QCOMPARE(t.dialogs, 1);
    QCOMPARE(t.tp.messages->shown.size(), 1);
}

void TestPrintCommand::cancelButtonAbandonsTheJob_data() {
    QTest::addColumn<bool>("killDocFails");
    QTest::newRow("job in progress") << false;
    QTest::newRow("no printer") << true;
}

void TestPrintCommand::cancelButtonAbandonsTheJob() {
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

void TestPrintCommand::exportPdf_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::addColumn<int>("errors");
    QTest::newRow("named") << "cartes.pdf"
                           << "cartes.pdf" << 0;
    QTest::newRow("without extension") << "cartes"
                                       << "cartes.pdf" << 0;
    QTest::newRow("cancelled") << ""
                               << "" << 0;
    QTest::newRow("missing folder") << "absent/cartes.pdf"
                                    << "" << 1;
}

void TestPrintCommand::exportPdf() {
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(int, errors);
    QTemporaryDir dir;
    Window t;
    t.m.card.FilePath = QStringLiteral("/home/marie/cartes/dupont.cdv");
    t.tp.files->chooseNext(chosen.isEmpty() ? QString() : dir.filePath(chosen));
    t.closeSetupDialogWhenShown();
    t.w.Mnu_ExportPdf_Click();
    QCOMPARE(t.dialogs, 1);
    QCOMPARE(t.tp.files->saves.size(), 1);
    QCOMPARE(t.tp.files->saves.first().initialName, QStringLiteral("dupont.pdf"));
    QCOMPARE(t.tp.messages->shown.size(), errors);
    QVERIFY(t.tp.printer->calls.isEmpty()); // the printer is not involved
    QVERIFY(t.w.Frame2->isHidden());
    const QStringList files = QDir(dir.path()).entryList(QDir::Files);
    QCOMPARE(files, written.isEmpty() ? QStringList() : QStringList{written});
    if (!written.isEmpty()) {
        QFile pdf(dir.filePath(written));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
    }
}

void TestPrintCommand::previewShowsThePage() {
    Window t;
    int pages = -1;
    QTimer::singleShot(0, &t.w, [&] {
        if (auto* d = qobject_cast<Form2*>(QApplication::activeModalWidget()))
            d->close();
        QTimer::singleShot(0, &t.w, [&] {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            if (!preview)
                return;
            if (auto* widget = preview->findChild<QPrintPreviewWidget*>())
                pages = widget->pageCount();
            preview->close();
        });
    });
    t.w.Mnu_Apercu_Click();
    QCOMPARE(pages, 1);
    QVERIFY(t.tp.printer->calls.isEmpty());
    QVERIFY(t.tp.messages->shown.isEmpty());
    QVERIFY(t.w.Frame2->isHidden());
}

QTEST_MAIN(TestPrintCommand)
#include "tst_printcommand.moc"
