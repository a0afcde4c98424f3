#include "print/orientation/PrinterSetupDialog.h"

#include "platform/Spooler.h"
#include "print/SpoolHandOff.h"
#include "print/orientation/PrinterSetup.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

PrinterSetupDialog::PrinterSetupDialog(Spooler& spooler, QWidget* parent)
    : QDialog(parent), spooler_(spooler) {
    setObjectName(QStringLiteral("ConfigImprimante"));
    setWindowTitle(QStringLiteral("Configuration de l'imprimante"));
    auto* layout = new QVBoxLayout(this);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("Imprimantes"));
    list_->setHeaderLabels(
        {QStringLiteral("Imprimante"), QStringLiteral("État"), QStringLiteral("Emplacement")});
    list_->setRootIsDecorated(false);
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(list_);

    trouble_ = new QLabel(this);
    trouble_->setObjectName(QStringLiteral("Probleme"));
    trouble_->setWordWrap(true);
    trouble_->hide();
    layout->addWidget(trouble_);

    auto* orientation = new QGroupBox(QStringLiteral("Orientation"), this);
    auto* row = new QHBoxLayout(orientation);
    portrait_ = new QRadioButton(QStringLiteral("Portrait"), orientation);
    portrait_->setObjectName(QStringLiteral("Portrait"));
    landscape_ = new QRadioButton(QStringLiteral("Paysage"), orientation);
    landscape_->setObjectName(QStringLiteral("Paysage"));
    row->addWidget(portrait_);
    row->addWidget(landscape_);
    layout->addWidget(orientation);

    paper_ = new QLabel(this);
    paper_->setObjectName(QStringLiteral("Papier"));
    layout->addWidget(paper_);

    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok_->setObjectName(QStringLiteral("OK"));
    QPushButton* cancel = buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Annuler"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    const QString current = spooler_.currentPrinter();
    QTreeWidgetItem* chosen = nullptr;
    for (const QueueStatus& q : spooler_.queues()) {
        if (q.trouble != SpoolTrouble::None) {
            trouble_->setText(spoolTroubleMessage(q.trouble, q.name));
            trouble_->show();
            continue;
        }
        const QString name = q.isDefault ? q.name + QStringLiteral(" (par défaut)") : q.name;
        auto* item = new QTreeWidgetItem(list_, {name, queueStateText(q), q.location});
        item->setData(0, Qt::UserRole, q.name);
        item->setToolTip(0, q.description);
        if (q.name == current || (!chosen && q.isDefault))
            chosen = item;
    }
    connect(list_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        showPrinter(item ? item->data(0, Qt::UserRole).toString() : QString());
    });
    if (!chosen && list_->topLevelItemCount() > 0)
        chosen = list_->topLevelItem(0);
    list_->setCurrentItem(chosen);
    showPrinter(chosenPrinter());
    resize(520, 360);
}

QString PrinterSetupDialog::chosenPrinter() const {
    const QTreeWidgetItem* item = list_->currentItem();
    return item ? item->data(0, Qt::UserRole).toString() : QString();
}

void PrinterSetupDialog::showPrinter(const QString& name) {
    ok_->setEnabled(!name.isEmpty());
    portrait_->setEnabled(!name.isEmpty());
    landscape_->setEnabled(!name.isEmpty());
    const std::optional<PrinterDefaults> stored =
        name.isEmpty() ? std::nullopt : spooler_.storedDefaults(name);
    const int orientation = stored ? stored->orientation : 1;
    (orientation == 2 ? landscape_ : portrait_)->setChecked(true);
    if (!stored)
        paper_->setText(QString());
    else if (stored->paperSize == 1)
        paper_->setText(QStringLiteral("Papier : A4"));
    else
        paper_->setText(QStringLiteral("Papier : autre que A4 (les cartes s'impriment toujours sur A4)"));
}

void PrinterSetupDialog::accept() {
    const PrinterSetupChoice choice{chosenPrinter(), landscape_->isChecked() ? 2 : 1};
    if (!applyPrinterSetup(spooler_, choice)) {
        trouble_->setText(QStringLiteral("L'imprimante ") + choice.printer +
                          QStringLiteral(" n'a pas accepté ce changement."));
        trouble_->show();
        return;
    }
    QDialog::accept();
}
