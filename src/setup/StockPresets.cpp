#include "setup/StockPresets.h"

#include <QDir>

QList<StockPreset> stockPresets(const QString& folder) {
    QList<StockPreset> out;
    if (folder.isEmpty())
        return out;
    const QDir dir(folder);
    for (const QFileInfo& file :
         dir.entryInfoList({QStringLiteral("*.PAR"), QStringLiteral("*.par")}, QDir::Files, QDir::Name))
        out.append({file.fileName(), file.filePath()});
    return out;
}
