#pragma once

#include "viewer/RootSource.h"

#include <QFileInfo>
#include <QStringList>

// Roots chosen by the test; those listed as unreadable behave like a drive with no medium.
class FakeRootSource : public RootSource {
public:
    QList<ViewerRoot> roots() override { return list; }
    bool canRead(const QString& root) override {
        return !unreadable.contains(root) && QFileInfo(root).isDir();
    }
    void add(const QString& path, const QString& label) { list.append({path, label}); }
    QList<ViewerRoot> list;
    QStringList unreadable;
};
