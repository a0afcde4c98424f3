#include "app/ShippedData.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString shippedDataPath(const QString& relative) {
    const QDir program(QCoreApplication::applicationDirPath());
    for (const QString& folder : {QStringLiteral("."), QStringLiteral("../share/kalimo")}) {
        const QString path = QDir::cleanPath(program.filePath(folder + QLatin1Char('/') + relative));
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}
