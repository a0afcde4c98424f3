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

QString startFolder(const QString& lastFolder, const QString& programFolder, const QString& picturesFolder,
                    const QString& home) {
    if (!lastFolder.isEmpty() && QFileInfo(lastFolder).isDir())
        return lastFolder;
    const QStringList pictures = {QStringLiteral("*.ico"),  QStringLiteral("*.cur"), QStringLiteral("*.bmp"),
                                  QStringLiteral("*.wmf"),  QStringLiteral("*.gif"), QStringLiteral("*.jpg"),
                                  QStringLiteral("*.jpeg"), QStringLiteral("*.png"), QStringLiteral("*.svg")};
    if (!programFolder.isEmpty() && QFileInfo(programFolder).isDir() &&
        !QDir(programFolder).entryList(pictures, QDir::Files).isEmpty())
        return programFolder;
    if (!picturesFolder.isEmpty() && QFileInfo(picturesFolder).isDir())
        return picturesFolder;
    return home;
}

bool naturalLess(const QString& a, const QString& b) {
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            // Compared by value: leading zeros dropped, then the longer run is the larger.
            qsizetype ei = i, ej = j;
            while (ei < a.size() && a[ei].isDigit())
                ++ei;
            while (ej < b.size() && b[ej].isDigit())
                ++ej;
            QStringView da = QStringView(a).mid(i, ei - i), db = QStringView(b).mid(j, ej - j);
            while (da.size() > 1 && da.front() == QLatin1Char('0'))
                da = da.mid(1);
            while (db.size() > 1 && db.front() == QLatin1Char('0'))
                db = db.mid(1);
            if (da.size() != db.size())
                return da.size() < db.size();
            if (const int c = da.compare(db); c != 0)
                return c < 0;
            i = ei;
            j = ej;
            continue;
        }
        const QChar ca = a[i].toCaseFolded(), cb = b[j].toCaseFolded();
        if (ca != cb)
            return ca < cb;
        ++i;
        ++j;
    }
    if ((a.size() - i) != (b.size() - j))
        return (a.size() - i) < (b.size() - j);
    // Names equal but for case or leading zeros still need one order.
    return a < b;
}

} // namespace viewer
