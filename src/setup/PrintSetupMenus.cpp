#include "setup/PrintSetupMenus.h"

#include "app/Access.h"
#include "app/Form1.h"
#include "app/ShippedData.h"
#include "setup/ParameterCommands.h"
#include "setup/StockPresets.h"

#include <QAction>
#include <QMenu>

void fillPresetMenu(Form1& w, QMenu* presets, const QString& folder) {
    presets->clear();
    const QList<StockPreset> found = stockPresets(folder);
    QString mnemonics;
    for (const StockPreset& preset : found) {
        QAction* a = presets->addAction(access::withMnemonic(preset.title, mnemonics, true));
        a->setObjectName(QStringLiteral("Mnu_Papier_") + preset.title);
        QObject::connect(a, &QAction::triggered, &w, [&w, preset] {
            ParameterCommands(w.module(), w.platform(), w).loadPreset(preset.path, preset.title);
        });
    }
    if (found.isEmpty())
        presets->addAction(QStringLiteral("(aucun fichier de paramètres fourni)"))->setEnabled(false);
}

void addPrintSetupMenus(Form1& w, QMenu* file) {
    QMenu* presets = file->addMenu(QStringLiteral("Papiers pour ca&rtes"));
    presets->setObjectName(QStringLiteral("Mnu_Papiers"));
    // Listed when opened, so that the list follows the installed files.
    QObject::connect(presets, &QMenu::aboutToShow, &w, [&w, presets] {
        fillPresetMenu(w, presets, shippedDataPath(QStringLiteral("presets")));
    });
    QAction* calibration = file->addAction(QStringLiteral("Imprimer la page de ca&libration"));
    calibration->setObjectName(QStringLiteral("Mnu_Calibration"));
    QObject::connect(calibration, &QAction::triggered, &w, [&w] { printCalibrationPage(w); });
}
