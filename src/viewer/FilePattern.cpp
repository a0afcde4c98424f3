#include "viewer/FilePattern.h"

#include "viewer/ViewerPaths.h"

#include <QDir>
#include <algorithm>

namespace viewer {

QStringList patternEntries() {
    return {QStringLiteral("*.ico"),
            QStringLiteral("*.cur"),
            QStringLiteral("*.bmp"),
            QStringLiteral("*.wmf"),
            QStringLiteral("*.gif"),
            QStringLiteral("*.jpg"),
            QStringLiteral("*.*"),
            QStringLiteral("*.ico;*.cur;*.bmp;*.wmf;*.gif;*.jpg"),
            QStringLiteral("*.bmp;*.gif;*.jpg"),
            QStringLiteral("*.ico;*.cur;*.wmf")};
}

QString initialPatternText() {
    return QStringLiteral("*.ico;*.cur;*.bmp;*.wmf");
}

QString initialFilePattern() {
    return QStringLiteral("*.bmp;*.wmf;*.ico");
}

QStringList patternMasks(const QString& pattern) {
    QStringList masks;
    for (const QString& part : pattern.split(QLatin1Char(';'))) {
        const QString mask = part.trimmed();
        if (mask.isEmpty())
            continue;
        // "*.*" means every file, those without an extension too.
        masks << (mask == QLatin1String("*.*") ? QStringLiteral("*") : mask);
    }
    return masks;
}

bool matchesPattern(const QString& fileName, const QString& pattern) {
    const QStringList masks = patternMasks(pattern);
    return !masks.isEmpty() && QDir::match(masks, fileName);
}

QStringList matchingFiles(const QString& folder, const QString& pattern) {
    const QStringList masks = patternMasks(pattern);
    // An empty filter list would let every file through.
    if (folder.isEmpty() || masks.isEmpty())
        return {};
    QStringList names = QDir(folder).entryList(masks, QDir::Files, QDir::NoSort);
    std::sort(names.begin(), names.end(), naturalLess);
    return names;
}

} // namespace viewer
