#include "app/ShippedData.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString shippedDataPath(const QString& relative) {
    return shippedDataPath(relative, QCoreApplication::applicationDirPath());
}

QString shippedDataPath(const QString& relative, const QString& programFolder) {
    const QDir program(programFolder);
    for (const QString& folder : {QStringLiteral("."), QStringLiteral("../share/kalimo")}) {
        const QString path = QDir::cleanPath(program.filePath(folder + QLatin1Char('/') + relative));
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}

QString shippedHelpFile(const QString& programFolder) {
    const QString name = QStringLiteral("KALIMO.HLP");
    const QString found = shippedDataPath(name, programFolder);
    return found.isEmpty() ? QDir(programFolder).filePath(name) : found;
}
