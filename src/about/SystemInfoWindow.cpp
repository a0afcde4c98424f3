#include "about/SystemInfoWindow.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

SystemInfoWindow::SystemInfoWindow(const QList<SummaryRow>& rows, QWidget* parent)
    : QDialog(parent), rows_(rows) {
    setObjectName(QStringLiteral("SystemInfoWindow"));
    setWindowTitle(QStringLiteral("Informations système"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        QStringLiteral(
            "Aucun outil d'informations système n'est installé. Voici ce que Kalimo sait du système :"),
        this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    List = new QTreeWidget(this);
    List->setObjectName(QStringLiteral("List"));
    List->setColumnCount(2);
    List->setHeaderHidden(true);
    List->setRootIsDecorated(false);
    List->setSelectionMode(QAbstractItemView::NoSelection);
    List->setFocusPolicy(Qt::NoFocus);
    // A row per value: the label on the first line of its group only.
    for (const SummaryRow& row : rows_)
        for (int i = 0; i < row.values.size(); ++i) {
            auto* item = new QTreeWidgetItem(List, {i == 0 ? row.label : QString(), row.values[i]});
            item->setToolTip(1, row.values[i]);
        }
    List->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    List->header()->setStretchLastSection(true);
    layout->addWidget(List, 1);

    auto* buttons = new QDialogButtonBox(this);
    cmdCopier = buttons->addButton(QStringLiteral("&Copier"), QDialogButtonBox::ActionRole);
    cmdCopier->setObjectName(QStringLiteral("cmdCopier"));
    cmdCopier->setToolTip(QStringLiteral("Copie ces informations dans le presse-papiers"));
    cmdFermer = buttons->addButton(QStringLiteral("&Fermer"), QDialogButtonBox::RejectRole);
    cmdFermer->setObjectName(QStringLiteral("cmdFermer"));
    cmdFermer->setDefault(true);
    layout->addWidget(buttons);
    connect(cmdCopier, &QPushButton::clicked, this, &SystemInfoWindow::cmdCopier_Click);
    connect(cmdFermer, &QPushButton::clicked, this, &QDialog::reject);
    // Wide enough for the longest line, within the screen; a line still cut shows whole as a tip.
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const int room = screen ? screen->availableGeometry().width() - 80 : 960;
    List->resizeColumnToContents(0);
    List->resizeColumnToContents(1);
    const int wanted = List->columnWidth(0) + List->columnWidth(1) + 80;
    resize(std::clamp(wanted, std::min(480, room), std::max(480, room)), 300);
}

void SystemInfoWindow::cmdCopier_Click() {
    QGuiApplication::clipboard()->setText(summaryText(rows_));
}
