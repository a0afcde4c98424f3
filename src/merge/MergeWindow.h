#pragma once

#include "app/CardModel.h"
#include "merge/CsvTable.h"
#include "merge/MergeJob.h"
#include "merge/RowCheck.h"

#include <QDialog>

struct Module1;
struct Platform;
class CardView;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;
class QWidget;

// "Publipostage": the card of the main window filled from a spreadsheet, row by row. Shows the
// file's rows, the card for the row shown (the main window's own drawing), what the file lacks
// and which rows would break the card, and prints or exports the chosen rows.
class MergeWindow : public QDialog {
    Q_OBJECT
public:
    MergeWindow(Module1& module, Platform& platform, QWidget* parent = nullptr);

    // Reads the spreadsheet and shows it; a file that cannot be read is said in a message box.
    bool openData(const QString& path);
    // The row shown (index into the table's rows); -1 for none.
    int shownRow() const { return shown_; }
    // The card as the preview draws it: the main window's card filled for the row shown.
    const CardDocument& shownCard() const { return shownCard_; }
    void showRow(int row);
    // The rows ticked, in the file's order.
    std::vector<int> chosenRows() const;
    SheetFilling filling() const;
    const CsvTable& table() const { return table_; }
    const MergeCheck& check() const { return check_; }
    bool isRunning() const { return running_; }

    void ChoisirFichier_Click();
    void Precedente_Click();
    void Suivante_Click();
    void ToutCocher_Click();
    void RienCocher_Click();
    void Imprimer_Click();
    void ExporterPdf_Click();
    void Annuler_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void buildControls();
    void wireControls();
    void fillTable();
    void refreshState();
    // Runs the job over the chosen rows with the progress bar; the outcome, Failed said in a box.
    MergeOutcome run(PrinterSurface& surface);
    bool confirmRun(const QString& what);

    Module1& m_;
    Platform& p_;
    CsvTable table_;
    MergeCheck check_;
    CardDocument shownCard_;
    int shown_ = -1;
    bool running_ = false;
    bool cancel_ = false;

public:
    QLineEdit* FichierDonnees = nullptr;
    QPushButton* ChoisirFichier = nullptr;
    QLabel* Avertissements = nullptr;
    QTableWidget* Lignes = nullptr;
    QPushButton* ToutCocher = nullptr;
    QPushButton* RienCocher = nullptr;
    CardView* Apercu = nullptr;
    QPushButton* Precedente = nullptr;
    QPushButton* Suivante = nullptr;
    QLabel* LigneAffichee = nullptr;
    QLabel* ProblemesLigne = nullptr;
    QGroupBox* Remplissage = nullptr;
    QRadioButton* UneParLigne = nullptr;
    QSpinBox* Position = nullptr;
    QRadioButton* CopiesParLigne = nullptr;
    QSpinBox* Copies = nullptr;
    QProgressBar* Progression = nullptr;
    QPushButton* Annuler = nullptr;
    QPushButton* Imprimer = nullptr;
    QPushButton* ExporterPdf = nullptr;
    QPushButton* Fermer = nullptr;
    QWidget* controls = nullptr; // all but the cancel, disabled while a run goes
};
