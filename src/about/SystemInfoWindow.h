#pragma once

#include "about/SystemSummary.h"

#include <QDialog>

class QPushButton;
class QTreeWidget;

// The program's own system information, for a system without a system-information tool.
class SystemInfoWindow : public QDialog {
    Q_OBJECT
public:
    SystemInfoWindow(const QList<SummaryRow>& rows, QWidget* parent = nullptr);

    void cmdCopier_Click();

    QTreeWidget* List = nullptr;
    QPushButton* cmdCopier = nullptr;
    QPushButton* cmdFermer = nullptr;

private:
    QList<SummaryRow> rows_;
};
