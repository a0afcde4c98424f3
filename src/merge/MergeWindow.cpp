// The merge window's wiring: the spreadsheet, the row shown, the chosen rows and the runs.
#include "merge/MergeWindow.h"

#include "app/CardPreview.h"
#include "app/Module1.h"
#include "merge/MergeFields.h"
#include "platform/Platform.h"
#include "platform/QPrinterSurface.h"
#include "platform/SaveChoice.h"
#include "print/PrintJobs.h"
#include "print/SpoolWatcher.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>

namespace {

QString title() {
    return QStringLiteral("Publipostage");
}

// A value on one line of the table.
QString oneLine(QString value) {
    return value.replace(QLatin1String("\r\n"), QStringLiteral(" ⏎ "));
}

QString cardsText(int cards, int sheets) {
    return QStringLiteral("%1 carte%2 sur %3 feuille%4")
        .arg(cards)
        .arg(cards > 1 ? "s" : "")
        .arg(sheets)
        .arg(sheets > 1 ? "s" : "");
}

} // namespace

MergeWindow::MergeWindow(Module1& module, Platform& platform, QWidget* parent)
    : QDialog(parent), m_(module), p_(platform), shownCard_(module.card) {
    buildControls();
    wireControls();
    UneParLigne->setChecked(true);
    Position->setValue(m_.request.position > 0 ? m_.request.position : 1);
    Copies->setValue(m_.layout.cardCount > 0 ? m_.layout.cardCount : 10);
    refreshState();
}

void MergeWindow::wireControls() {
    connect(ChoisirFichier, &QPushButton::clicked, this, &MergeWindow::ChoisirFichier_Click);
    connect(Precedente, &QPushButton::clicked, this, &MergeWindow::Precedente_Click);
    connect(Suivante, &QPushButton::clicked, this, &MergeWindow::Suivante_Click);
    connect(ToutCocher, &QPushButton::clicked, this, &MergeWindow::ToutCocher_Click);
    connect(RienCocher, &QPushButton::clicked, this, &MergeWindow::RienCocher_Click);
    connect(Imprimer, &QPushButton::clicked, this, &MergeWindow::Imprimer_Click);
    connect(ExporterPdf, &QPushButton::clicked, this, &MergeWindow::ExporterPdf_Click);
    connect(Annuler, &QPushButton::clicked, this, &MergeWindow::Annuler_Click);
    connect(Fermer, &QPushButton::clicked, this, &MergeWindow::close);
    connect(Lignes, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row >= 0 && row != shown_)
            showRow(row);
    });
    connect(Lignes, &QTableWidget::itemChanged, this, [this] { refreshState(); });
    connect(UneParLigne, &QRadioButton::toggled, this, [this] { refreshState(); });
    connect(Position, qOverload<int>(&QSpinBox::valueChanged), this, [this] { refreshState(); });
    connect(Copies, qOverload<int>(&QSpinBox::valueChanged), this, [this] { refreshState(); });
}

bool MergeWindow::openData(const QString& path) {
    CsvTable read = csv::readFile(path);
    if (!read.ok()) {
        p_.messages->error(read.error);
        return false;
    }
    table_ = std::move(read);
    check_ = checkMerge(m_.card, m_.layout, table_);
    FichierDonnees->setText(path);
    fillTable();
    shown_ = -1;
    showRow(table_.rows.empty() ? -1 : 0);
    return true;
}

void MergeWindow::fillTable() {
    const QSignalBlocker quiet(Lignes);
    Lignes->clear();
    QStringList headings{QStringLiteral("Ligne")};
    headings << table_.fields << QStringLiteral("État");
    Lignes->setColumnCount(int(headings.size()));
    Lignes->setHorizontalHeaderLabels(headings);
    Lignes->setRowCount(int(table_.rows.size()));
    for (std::size_t i = 0; i < table_.rows.size(); ++i) {
        const CsvRow& row = table_.rows[i];
        const int r = int(i);
        auto* line = new QTableWidgetItem(QString::number(row.line));
        // A row that would break the card cannot be chosen; its trouble says why.
        line->setFlags(check_.rowIsSound(i)
                           ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable
                           : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        line->setCheckState(check_.rowIsSound(i) ? Qt::Checked : Qt::Unchecked);
        Lignes->setItem(r, 0, line);
        for (int c = 0; c < table_.fields.size(); ++c)
            Lignes->setItem(
                r, c + 1,
                new QTableWidgetItem(c < row.values.size() ? oneLine(row.values.at(c)) : QString()));
        const QString state = !check_.rowIsSound(i)          ? check_.problems[i].join(QLatin1Char(' '))
                              : check_.warnings[i].isEmpty() ? QStringLiteral("correcte")
                                                             : check_.warnings[i].join(QLatin1Char(' '));
        Lignes->setItem(r, int(headings.size()) - 1, new QTableWidgetItem(state));
    }
    Lignes->resizeColumnsToContents();
    Lignes->horizontalHeader()->setStretchLastSection(true);
}

void MergeWindow::showRow(int row) {
    if (row >= int(table_.rows.size()))
        row = int(table_.rows.size()) - 1;
    shown_ = row;
    shownCard_ = row < 0 ? m_.card : mergefields::cardForRow(m_.card, table_, table_.rows[std::size_t(row)]);
    Apercu->refresh();
    if (row >= 0 && Lignes->currentRow() != row)
        Lignes->setCurrentCell(row, 0);
    refreshState();
}

std::vector<int> MergeWindow::chosenRows() const {
    std::vector<int> out;
    for (int r = 0; r < Lignes->rowCount(); ++r)
        if (check_.rowIsSound(std::size_t(r)) && Lignes->item(r, 0)->checkState() == Qt::Checked)
            out.push_back(r);
    return out;
}

SheetFilling MergeWindow::filling() const {
    SheetFilling f;
    f.mode = UneParLigne->isChecked() ? SheetFilling::Mode::OneCardPerRow : SheetFilling::Mode::CopiesPerRow;
    f.startCell = Position->value();
    f.copies = Copies->value();
    return f;
}

void MergeWindow::refreshState() {
    const bool loaded = !table_.fields.isEmpty();
    const int rows = int(table_.rows.size());
    LigneAffichee->setText(shown_ < 0 ? QStringLiteral("Aucune ligne")
                                      : QStringLiteral("Ligne %1 du fichier (%2 sur %3)")
                                            .arg(table_.rows[std::size_t(shown_)].line)
                                            .arg(shown_ + 1)
                                            .arg(rows));
    Precedente->setEnabled(shown_ > 0);
    Suivante->setEnabled(shown_ >= 0 && shown_ + 1 < rows);
    ProblemesLigne->setText(shown_ < 0 || check_.rowIsSound(std::size_t(shown_))
                                ? QString()
                                : QStringLiteral("Cette ligne abîme la carte : ") +
                                      check_.problems[std::size_t(shown_)].join(QLatin1Char(' ')));
    ProblemesLigne->setVisible(!ProblemesLigne->text().isEmpty());

    QStringList warnings;
    if (!check_.missingFields.isEmpty())
        warnings << QStringLiteral("Le fichier n'a pas de colonne pour %1 de la carte : %2. "
                                   "Ajoutez-la au fichier ou corrigez la carte.")
                        .arg(check_.missingFields.size() > 1 ? "les champs" : "le champ",
                             QStringLiteral("«") + check_.missingFields.join(QStringLiteral("», «")) +
                                 QStringLiteral("»"));
    if (loaded && mergefields::fieldsIn(m_.card).isEmpty())
        warnings << QStringLiteral(
            "La carte n'a aucun champ («Nom» ou {Nom}) : toutes les cartes seront identiques.");
    int bad = 0;
    for (std::size_t i = 0; i < check_.problems.size(); ++i)
        bad += !check_.rowIsSound(i);
    if (bad > 0)
        warnings
            << QStringLiteral(
                   "%1 ligne%2 abîmerai%3 la carte : elle%2 ne peu%4 pas être imprimée%2 (colonne État).")
                   .arg(bad)
                   .arg(bad > 1 ? "s" : "")
                   .arg(bad > 1 ? "ent" : "t")
                   .arg(bad > 1 ? "vent" : "t");
    if (loaded && rows == 0)
        warnings << QStringLiteral("Le fichier n'a aucune ligne sous celle des noms de champs.");
    Avertissements->setText(warnings.join(QLatin1Char('\n')));
    Avertissements->setVisible(!warnings.isEmpty());

    const std::vector<int> chosen = chosenRows();
    const bool canRun = loaded && check_.missingFields.isEmpty() && !chosen.empty() && !running_;
    Imprimer->setEnabled(canRun);
    ExporterPdf->setEnabled(canRun);
    Position->setEnabled(UneParLigne->isChecked());
    Copies->setEnabled(!UneParLigne->isChecked());
    ToutCocher->setEnabled(rows > 0);
    RienCocher->setEnabled(rows > 0);
    const std::vector<CardPlacement> cards = placeCards(filling(), int(chosen.size()));
    const QString summary = cards.empty() ? QString() : cardsText(int(cards.size()), cards.back().sheet + 1);
    Imprimer->setToolTip(summary);
    ExporterPdf->setToolTip(summary);
}

void MergeWindow::ChoisirFichier_Click() {
    FileDialogRequest request;
    request.title = QStringLiteral("Fichier de données");
    request.filter = QStringLiteral("Fichiers CSV (*.csv;*.txt)|*.csv;*.txt|Tous les fichiers (*)|*");
    if (!m_.card.FilePath.isEmpty())
        request.initialFolder = QFileInfo(m_.card.FilePath).absolutePath();
    const FileDialogResult chosen = p_.files->open(request);
    if (!chosen.cancelled)
        openData(chosen.path);
}

void MergeWindow::Precedente_Click() {
    if (shown_ > 0)
        showRow(shown_ - 1);
}

void MergeWindow::Suivante_Click() {
    if (shown_ + 1 < int(table_.rows.size()))
        showRow(shown_ + 1);
}

void MergeWindow::ToutCocher_Click() {
    const QSignalBlocker quiet(Lignes);
    for (int r = 0; r < Lignes->rowCount(); ++r)
        if (check_.rowIsSound(std::size_t(r)))
            Lignes->item(r, 0)->setCheckState(Qt::Checked);
    refreshState();
}

void MergeWindow::RienCocher_Click() {
    const QSignalBlocker quiet(Lignes);
    for (int r = 0; r < Lignes->rowCount(); ++r)
        Lignes->item(r, 0)->setCheckState(Qt::Unchecked);
    refreshState();
}

bool MergeWindow::confirmRun(const QString& what) {
    const std::vector<CardPlacement> cards = placeCards(filling(), int(chosenRows().size()));
    if (cards.empty() || !check_.missingFields.isEmpty())
        return false;
    const MessageRequest ask{what + QStringLiteral(" ") +
                                 cardsText(int(cards.size()), cards.back().sheet + 1) + QStringLiteral(" ?"),
                             title(), MsgButtons::YesNo, MsgIcon::Question, 1};
    return p_.messages->show(ask) == MsgAnswer::Yes;
}

MergeOutcome MergeWindow::run(PrinterSurface& surface) {
    const MergeJob job{m_.card, m_.layout, table_, chosenRows(), filling()};
    running_ = true;
    cancel_ = false;
    controls->setEnabled(false);
    Progression->setRange(0, int(placeCards(job.filling, int(job.rows.size())).size()));
    Progression->setValue(0);
    Progression->show();
    Annuler->show();
    Annuler->setFocus();
    // Drawn here, between events, so that the cancel is heard and the bar moves.
    const MergeOutcome outcome = runMergeJob(surface, job, [this](int done, int) {
        Progression->setValue(done);
        QCoreApplication::processEvents();
        return !cancel_;
    });
    running_ = false;
    Progression->hide();
    Annuler->hide();
    controls->setEnabled(true);
    refreshState();
    if (outcome == MergeOutcome::Failed)
        p_.messages->error(QString::fromUtf8(PrintFailureMessage));
    return outcome;
}

void MergeWindow::Imprimer_Click() {
    if (running_ || !confirmRun(QStringLiteral("Imprimer")))
        return;
    if (run(*p_.printer) != MergeOutcome::Done)
        return;
    std::shared_ptr<SpoolDocument> document = p_.printer->takeDocument();
    if (!document)
        return;
    // Followed by the main window, which outlives this one: closing here does not withdraw it.
    QObject* owner = parent() ? parent() : this;
    auto* watcher = new SpoolWatcher(*p_.spooler, std::move(document), owner);
    MessageBoxes* messages = p_.messages.get();
    connect(watcher, &SpoolWatcher::finished, owner, [watcher, messages](const SpoolOutcome& o) {
        watcher->deleteLater();
        if (o.kind == SpoolOutcome::Kind::Failed)
            messages->error(o.message);
        else if (o.kind == SpoolOutcome::Kind::Waiting)
            messages->show(
                {o.message, QStringLiteral("Impression"), MsgButtons::Ok, MsgIcon::Exclamation, 1});
    });
    watcher->start();
}

void MergeWindow::ExporterPdf_Click() {
    if (running_ || chosenRows().empty() || !check_.missingFields.isEmpty())
        return;
    FileDialogRequest request;
    request.title = QStringLiteral("Exporter en PDF");
    request.filter = QStringLiteral("Documents PDF (*.pdf)|*.pdf");
    const QFileInfo data(FichierDonnees->text());
    request.initialName = data.dir().filePath(data.completeBaseName() + QStringLiteral(".pdf"));
    request.askBeforeReplacing = true;
    request.defaultSuffix = QStringLiteral("pdf");
    const FileDialogResult chosen = chooseSavePath(*p_.files, *p_.messages, request);
    if (chosen.cancelled)
        return;
    auto surface = QPrinterSurface::pdfFile(chosen.path);
    surface->setJobTitle(QFileInfo(chosen.path).fileName());
    run(*surface);
}

void MergeWindow::Annuler_Click() {
    cancel_ = true;
}

void MergeWindow::closeEvent(QCloseEvent* event) {
    // A run in progress stops first; the window closes once it has.
    if (running_) {
        cancel_ = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void MergeWindow::reject() {
    if (running_) {
        cancel_ = true;
        return;
    }
    QDialog::reject();
}
