#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class Spooler;

// "Configuration de l'imprimante": the spooler's queues with their state and location, the
// chosen one's orientation and paper. Reads only what the spooler says of its queues, never
// a driver's description, so no printer can make it fail. OK applies the choice.
class PrinterSetupDialog : public QDialog {
    Q_OBJECT
public:
    explicit PrinterSetupDialog(Spooler& spooler, QWidget* parent = nullptr);

    void accept() override;

private:
    void showPrinter(const QString& name);
    QString chosenPrinter() const;

    Spooler& spooler_;
    QTreeWidget* list_ = nullptr;
    QRadioButton* portrait_ = nullptr;
    QRadioButton* landscape_ = nullptr;
    QLabel* paper_ = nullptr;
    QLabel* trouble_ = nullptr;
    QPushButton* ok_ = nullptr;
};
