#include "viewer/ViewerPaths.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace viewer {

namespace {
const QChar Separator = QLatin1Char('/');

// Compares paths without the separator a root may end with.
QString trimmed(const QString& path) {
    QString p = path;
    while (p.size() > 1 && p.endsWith(Separator))
        p.chop(1);
    return p;
}
} // namespace

QString joinFolderFile(const QString& folder, const QString& fileName) {
    return folder.endsWith(Separator) ? folder + fileName : folder + Separator + fileName;
}

QString shownPath(const QString& fullPath) {
    return fullPath.toUpper();
}

QString pathOnDisk(const QString& path) {
    if (QFileInfo::exists(path) || !path.startsWith(Separator))
        return path;
    QString found = QStringLiteral("/");
    for (const QString& part : path.split(Separator, Qt::SkipEmptyParts)) {
        const QString exact = joinFolderFile(found, part);
        if (QFileInfo::exists(exact)) {
            found = exact;
            continue;
        }
        // Compared as the viewer wrote it, so that a name such as "straße" matches "STRASSE".
        const QStringList names = QDir(found).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        const QString wanted = part.toUpper();
        const auto match = std::find_if(names.begin(), names.end(),
                                        [&](const QString& name) { return name.toUpper() == wanted; });
        if (match == names.end())
            return path;
        found = joinFolderFile(found, *match);
    }
    return found;
}

bool isUnder(const QString& path, const QString& root) {
    const QString p = trimmed(path);
    const QString r = trimmed(root);
    if (r.isEmpty())
        return false;
    if (p == r)
        return true;
    return p.startsWith(r.endsWith(Separator) ? r : r + Separator);
}

QString rootOf(const QStringList& roots, const QString& path) {
    QString best;
    for (const QString& root : roots) {
        if (isUnder(path, root) && trimmed(root).size() > trimmed(best).size())
            best = root;
    }
    return best;
}

QStringList folderChain(const QString& root, const QString& folder) {
    if (!isUnder(folder, root))
        return {root};
    QStringList chain{root};
    const QString below = trimmed(folder).mid(trimmed(root).size());
    QString current = root;
    for (const QString& name : below.split(Separator, Qt::SkipEmptyParts)) {
        current = joinFolderFile(current, name);
        chain << current;
    }
    return chain;
}

QStringList subfolders(const QString& folder) {
    QStringList paths;
    const QStringList names =
        QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names)
        paths << joinFolderFile(folder, name);
    return paths;
}

QString existingFolder(const QString& path, const QString& root) {
    QString p = trimmed(path);
    while (isUnder(p, root) && trimmed(p) != trimmed(root)) {
        if (QFileInfo(p).isDir())
            return p;
        p = QFileInfo(p).path();
    }
    return root;
}

} // namespace viewer
