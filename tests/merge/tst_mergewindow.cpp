#include "TestPlatform.h"
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "merge/MergeWindow.h"
#include "print/PrintJobs.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

// Twelve people; the fourth's name runs past the card's right edge.
QByteArray team() {
    QByteArray out = "Pr\xE9nom;Nom;Poste\r\n";
    for (int i = 1; i <= 12; ++i)
        out += "P" + QByteArray::number(i) + ";" +
               (i == 4 ? QByteArray("Rousseau-Delacroix de la Grande Fontaine et du Petit Bois")
                       : "Nom" + QByteArray::number(i)) +
               ";Poste " + QByteArray::number(i) + "\r\n";
    return out;
}

struct Window {
    explicit Window(const QByteArray& data = team()) {
        module.card.Logo.Path = QStringLiteral("AUCUN");
        module.card.zone(1).Text = QStringLiteral("«Prénom» {Nom}");
        module.card.zone(1).FontName = QStringLiteral("DejaVu Sans");
        module.card.zone(1).FontSize = 10;
        module.card.zone(2).Text = QStringLiteral("{Poste}");
        module.card.zone(3).Text = QStringLiteral("Kalimo");
        csv = dir.filePath(QStringLiteral("equipe.csv"));
        QFile f(csv);
        if (f.open(QIODevice::WriteOnly))
            f.write(data);
        f.close();
        window = std::make_unique<MergeWindow>(module, tp.platform);
    }
    bool open() {
        tp.files->chooseNext(csv);
        window->ChoisirFichier->click();
        return window->table().rows.size() > 0;
    }
    QStringList printedNames() const {
        QStringList out;
        static const QRegularExpression name(QStringLiteral("^Print\\((P\\d+) "));
        for (const QString& c : tp.printer->calls)
            if (c == QLatin1String("NewPage"))
                out << QStringLiteral("|");
            else if (const auto m = name.match(c); m.hasMatch())
                out << m.captured(1);
        return out;
    }
    QTemporaryDir dir;
    QString csv;
    TestPlatform tp;
    Module1 module;
    std::unique_ptr<MergeWindow> window;
};

int pdfPages(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {pdf});
    p.waitForFinished(60000);
    const auto m =
        QRegularExpression(QStringLiteral("Pages: +(\\d+)\n")).match(QString::fromLatin1(p.readAll()));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

} // namespace

// The "Publipostage..." window driven as a person does, with the test platform.
class TestMergeWindow : public QObject {
    Q_OBJECT
private slots:
    void openedFromTheFileMenu() {
        TestPlatform tp;
        Module1 module;
        Form1 main(module, tp.platform);
        auto* entry = main.findChild<QAction*>(QStringLiteral("Mnu_Publipostage"));
        QVERIFY(entry);
        QCOMPARE(entry->text(), QStringLiteral("P&ublipostage..."));
        QVERIFY(main.Mnu_Fichier->actions().contains(entry));
        bool shown = false;
        QTimer::singleShot(0, &main, [&] {
            auto* w = qobject_cast<MergeWindow*>(QApplication::activeModalWidget());
            shown = w && w->windowTitle() == QLatin1String("Publipostage");
            if (w)
                w->Fermer->click();
        });
        entry->trigger();
        QVERIFY(shown);
    }

    void showsTheRowsAndStepsThroughThem() {
        Window t;
        QVERIFY(!t.window->Imprimer->isEnabled());
        QVERIFY(t.open());
        MergeWindow& w = *t.window;
        QCOMPARE(t.tp.files->opens.last().filter,
                 QStringLiteral("Fichiers CSV (*.csv;*.txt)|*.csv;*.txt|Tous les fichiers (*)|*"));
        QCOMPARE(w.FichierDonnees->text(), t.csv);
        QCOMPARE(w.Lignes->rowCount(), 12);
        QCOMPARE(w.Lignes->item(0, 1)->text(), QStringLiteral("P1"));
        QCOMPARE(w.shownRow(), 0);
        QCOMPARE(w.shownCard().zone(1).Text, QStringLiteral("P1 Nom1"));
        QCOMPARE(w.LigneAffichee->text(), QStringLiteral("Ligne 2 du fichier (1 sur 12)"));
        QVERIFY(!w.Precedente->isEnabled());
        w.Suivante->click();
        w.Suivante->click();
        w.Suivante->click();
        QCOMPARE(w.shownCard().zone(1).Text,
                 QStringLiteral("P4 Rousseau-Delacroix de la Grande Fontaine et du Petit Bois"));
        QCOMPARE(w.Lignes->currentRow(), 3);
        // The preview draws that row's card, with the main window's trouble marks.
        QVERIFY(!w.Apercu->troubles().empty());
        QVERIFY(w.ProblemesLigne->text().contains(QStringLiteral("dépasse le bord droit")));
        w.Precedente->click();
        QCOMPARE(w.shownCard().zone(2).Text, QStringLiteral("Poste 3"));
        QVERIFY(w.Apercu->troubles().empty());
        w.Lignes->setCurrentCell(11, 2);
        QCOMPARE(w.shownRow(), 11);
        QVERIFY(!w.Suivante->isEnabled());
        // The main window's card keeps its fields.
        QCOMPARE(t.module.card.zone(1).Text, QStringLiteral("«Prénom» {Nom}"));
    }

    void leavesOutTheRowsThatBreakTheCard() {
        Window t;
        QVERIFY(t.open());
        MergeWindow& w = *t.window;
        QCOMPARE(w.chosenRows().size(), std::size_t(11));
        QTableWidgetItem* bad = w.Lignes->item(3, 0);
        QCOMPARE(bad->checkState(), Qt::Unchecked);
        QVERIFY(!(bad->flags() & Qt::ItemIsUserCheckable));
        QCOMPARE(w.Lignes->item(3, 4)->text(),
                 QStringLiteral("La ligne 1 de la zone 1 dépasse le bord droit de la carte."));
        QVERIFY(w.Avertissements->isVisibleTo(&w));
        QVERIFY(w.Avertissements->text().contains(QStringLiteral("1 ligne abîmerait la carte")));
        w.ToutCocher->click();
        QCOMPARE(w.chosenRows().size(), std::size_t(11));
        w.RienCocher->click();
        QVERIFY(w.chosenRows().empty());
        QVERIFY(!w.Imprimer->isEnabled() && !w.ExporterPdf->isEnabled());
        w.Lignes->item(6, 0)->setCheckState(Qt::Checked);
        w.Lignes->item(1, 0)->setCheckState(Qt::Checked);
        QCOMPARE(w.chosenRows(), (std::vector<int>{1, 6}));
        QVERIFY(w.Imprimer->isEnabled());
    }

    void refusesToRunWithAFieldTheFileLacks() {
        Window t("Pr\xE9nom;Poste\r\nL\xE9"
                 "a;G\xE9rante\r\n");
        QVERIFY(t.open());
        MergeWindow& w = *t.window;
        QCOMPARE(w.Avertissements->text(),
                 QStringLiteral("Le fichier n'a pas de colonne pour le champ de la carte : «Nom». "
                                "Ajoutez-la au fichier ou corrigez la carte."));
        QVERIFY(!w.Imprimer->isEnabled() && !w.ExporterPdf->isEnabled());
        w.Imprimer_Click();
        w.ExporterPdf_Click();
        QVERIFY(t.tp.printer->calls.isEmpty());
        QVERIFY(t.tp.files->saves.isEmpty());
    }

    void saysWhyAFileCannotBeRead() {
        Window t("Nom;Poste\r\n\"Martin;x\r\n");
        QVERIFY(!t.open());
        QCOMPARE(t.tp.messages->shown.size(), 1);
        QCOMPARE(t.tp.messages->shown.last().prompt,
                 t.csv + ", ligne 2 : un guillemet ouvert n'est jamais fermé.");
        QCOMPARE(t.tp.messages->shown.last().title, QStringLiteral("Erreur"));
        QVERIFY(t.window->FichierDonnees->text().isEmpty());
    }

    // Both ways of filling, on the application's printer: one document, the chosen rows in order.
    void printsTheChosenRows_data() {
        QTest::addColumn<bool>("copies");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("names");
        QTest::newRow("one per row from the set-up dialog's position 8")
            << false << 0 << "Imprimer 11 cartes sur 2 feuilles ?"
            << "P1 P2 P3 | P5 P6 P7 P8 P9 P10 P11 P12";
        QTest::newRow("one per row from position 1") << false << 1 << "Imprimer 11 cartes sur 2 feuilles ?"
                                                     << "P1 P2 P3 P5 P6 P7 P8 P9 P10 P11 | P12";
        QTest::newRow("two copies per row")
            << true << 2 << "Imprimer 22 cartes sur 11 feuilles ?"
            << "P1 P1 | P2 P2 | P3 P3 | P5 P5 | P6 P6 | P7 P7 | P8 P8 | P9 P9 | "
               "P10 P10 | P11 P11 | P12 P12";
    }

    void printsTheChosenRows() {
        QFETCH(bool, copies);
        QFETCH(int, value);
        QFETCH(QString, question);
        QFETCH(QString, names);
        Window t;
        t.module.request.position = 8;
        t.window = std::make_unique<MergeWindow>(t.module, t.tp.platform);
        QVERIFY(t.open());
        MergeWindow& w = *t.window;
        QCOMPARE(w.Position->value(), 8);
        if (copies) {
            w.CopiesParLigne->setChecked(true);
            w.Copies->setValue(value);
        } else if (value) {
            w.Position->setValue(value);
        }
        QVERIFY(w.Copies->isEnabled() == copies && w.Position->isEnabled() == !copies);
        w.Imprimer->click();
        QCOMPARE(t.tp.messages->shown.last().prompt, question);
        QCOMPARE(t.printedNames().join(QLatin1Char(' ')), names);
        QCOMPARE(t.tp.printer->endDocs, 1);
        QCOMPARE(t.tp.printer->calls.first(), QStringLiteral("Orientation=1"));
        QVERIFY(!w.Progression->isVisibleTo(&w) && w.controls->isEnabled());
    }

    void askedNotToPrint() {
        Window t;
        QVERIFY(t.open());
        t.tp.messages->answers.enqueue(MsgAnswer::No);
        t.window->Imprimer->click();
        QVERIFY(t.tp.printer->calls.isEmpty());
    }

    void cancelledWhileDrawing() {
        Window t;
        QVERIFY(t.open());
        MergeWindow& w = *t.window;
        bool barShown = false;
        // Heard between two cards, as a click on the cancel would be.
        QTimer::singleShot(0, &w, [&] {
            barShown =
                w.Progression->isVisibleTo(&w) && w.Annuler->isVisibleTo(&w) && !w.controls->isEnabled();
            w.Annuler->click();
        });
        w.Imprimer->click();
        QVERIFY(barShown);
        QCOMPARE(t.tp.printer->endDocs, 0);
        QCOMPARE(t.tp.printer->killDocs, 1);
        QVERIFY(!t.printedNames().contains(QStringLiteral("P12")));
        QVERIFY(!w.Progression->isVisibleTo(&w) && w.controls->isEnabled() && w.Imprimer->isEnabled());
        QCOMPARE(t.tp.messages->shown.size(), 1); // the question only: a cancel is no error
    }

    void printerFailureSaidOnce() {
        Window t;
        QVERIFY(t.open());
        t.tp.printer->failAt = 40;
        t.window->Imprimer->click();
        QCOMPARE(t.tp.messages->shown.last().prompt, QString::fromUtf8(PrintFailureMessage));
        QCOMPARE(t.tp.printer->endDocs, 0);
        QCOMPARE(t.tp.printer->killDocs, 1);
    }

    void exportsToOnePdf() {
        Window t;
        QVERIFY(t.open());
        MergeWindow& w = *t.window;
        const QString pdf = t.dir.filePath(QStringLiteral("equipe.pdf"));
        t.tp.files->chooseNext(pdf);
        w.CopiesParLigne->setChecked(true);
        w.Copies->setValue(3);
        w.ExporterPdf->click();
        QCOMPARE(t.tp.files->saves.last().initialName, pdf);
        QCOMPARE(pdfPages(pdf), 11);
        QFile data(t.csv);
        QVERIFY(data.open(QIODevice::ReadOnly));
        QCOMPARE(data.readAll(), team());
    }

    // Every control is reached by Tab in reading order and carries a French name for screen readers.
    void keyboardAndScreenReaders() {
        Window t;
        QVERIFY(t.open());
        MergeWindow& w = *t.window;
        const QList<QWidget*> order{w.FichierDonnees, w.ChoisirFichier, w.Lignes,   w.ToutCocher,
                                    w.RienCocher,     w.Precedente,     w.Suivante, w.UneParLigne,
                                    w.Position,       w.CopiesParLigne, w.Copies,   w.Imprimer,
                                    w.ExporterPdf,    w.Fermer};
        QList<QWidget*> chain;
        QWidget* at = order.first();
        do {
            if ((at->focusPolicy() & Qt::TabFocus) && order.contains(at) && !chain.contains(at))
                chain << at;
            at = at->nextInFocusChain();
        } while (at != order.first());
        QCOMPARE(chain, order);
        for (QWidget* c : order + QList<QWidget*>{w.Annuler, w.Progression, w.Avertissements})
            QVERIFY2(!c->accessibleName().isEmpty(), qPrintable(c->objectName()));
        for (QPushButton* b : {w.ChoisirFichier, w.ToutCocher, w.RienCocher, w.Precedente, w.Suivante,
                               w.Imprimer, w.ExporterPdf, w.Fermer, w.Annuler})
            QVERIFY2(b->text().contains(QLatin1Char('&')), qPrintable(b->objectName()));
    }
};

QTEST_MAIN(TestMergeWindow)
#include "tst_mergewindow.moc"
