#include "viewer/MountedRoots.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

bool MountedRoots::isMediaMount(const QString& mountPoint) {
    for (const char* place : {"/media/", "/run/media/", "/mnt/"}) {
        if (mountPoint.startsWith(QLatin1String(place)) && mountPoint.size() > int(qstrlen(place)))
            return true;
    }
    return false;
}

QList<ViewerRoot> MountedRoots::roots() {
    QList<ViewerRoot> list{{QStringLiteral("/"), QStringLiteral("/")}};
    const QString home = QDir::homePath();
    if (home != QLatin1String("/"))
        list.append({home, home});
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !isMediaMount(volume.rootPath()))
            continue;
        const QString name = volume.displayName();
        const QString label = name.isEmpty() || name == volume.rootPath()
                                  ? volume.rootPath()
                                  : QStringLiteral("%1 [%2]").arg(volume.rootPath(), name);
        list.append({volume.rootPath(), label});
    }
    return list;
}

bool MountedRoots::canRead(const QString& root) {
    const QFileInfo folder(root);
    if (!folder.isDir() || !folder.isReadable() || !folder.isExecutable())
        return false;
    const QStorageInfo volume(root);
    return volume.isValid() && volume.isReady();
}
