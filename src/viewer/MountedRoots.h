#pragma once

#include "viewer/RootSource.h"

class QStorageInfo;

// The machine's roots: "/", the home folder and the removable media mounted under /media,
// /run/media or /mnt.
class MountedRoots : public RootSource {
public:
    QList<ViewerRoot> roots() override;
    bool canRead(const QString& root) override;

    // True for a mounted volume that belongs in the list: removable media, not the
    // system's own mounts (proc, sys, run ...).
    static bool isMediaMount(const QString& mountPoint);
};
