#include "platform/DialogPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <QStringList>

namespace dialogpaths {

QString withExtension(const QString& path, const QString& extension) {
    if (path.isEmpty() || extension.isEmpty())
        return path;
    const QString name = QFileInfo(path).fileName();
    const QString dotted = QLatin1Char('.') + extension;
    if (name.size() > dotted.size() && name.endsWith(dotted, Qt::CaseInsensitive))
        return path;
    return path.endsWith(QLatin1Char('.')) ? path + extension : path + dotted;
}

bool isSafeStartFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir() || !info.isReadable() || !info.isExecutable())
        return false;
    const QString real = info.canonicalFilePath();
    for (const char* system : {"/proc", "/sys", "/dev"}) {
        const QString top = QString::fromLatin1(system);
        if (real == top || real.startsWith(top + QLatin1Char('/')))
            return false;
    }
    // The same kinds mounted elsewhere.
    static const QStringList kernelKinds = {
        QStringLiteral("proc"),       QStringLiteral("sysfs"),    QStringLiteral("devtmpfs"),
        QStringLiteral("devpts"),     QStringLiteral("debugfs"),  QStringLiteral("tracefs"),
        QStringLiteral("securityfs"), QStringLiteral("configfs"), QStringLiteral("cgroup"),
        QStringLiteral("cgroup2"),    QStringLiteral("pstore"),   QStringLiteral("bpf"),
        QStringLiteral("efivarfs"),   QStringLiteral("fusectl"),  QStringLiteral("mqueue")};
    return !kernelKinds.contains(QString::fromLatin1(QStorageInfo(real).fileSystemType()));
}

StartPlace startPlace(const QString& initialName, const QString& initialFolder, const QString& currentFolder,
                      const QString& home) {
    StartPlace place;
    const QFileInfo name(initialName);
    if (!initialName.isEmpty() && name.isAbsolute()) {
        place.folder = name.absolutePath();
        place.fileName = name.fileName();
    } else {
        place.folder = initialFolder.isEmpty() ? currentFolder : initialFolder;
        place.fileName = initialName;
    }
    if (!isSafeStartFolder(place.folder))
        place.folder = home;
    return place;
}

} // namespace dialogpaths
