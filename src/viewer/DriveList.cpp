#include "viewer/DriveList.h"

#include "viewer/ViewerPaths.h"

#include <QSignalBlocker>

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            emit driveChanged();
    });
}

void DriveList::setRoots(const QList<ViewerRoot>& roots) {
    const QSignalBlocker quiet(this);
    clear();
    for (const ViewerRoot& root : roots)
        addItem(root.label, root.path);
    setCurrentIndex(-1);
}

QStringList DriveList::rootPaths() const {
    QStringList paths;
    for (int i = 0; i < count(); ++i)
        paths << itemData(i).toString();
    return paths;
}

QString DriveList::drive() const {
    return currentIndex() < 0 ? QString() : currentData().toString();
}

void DriveList::setDrive(const QString& path) {
    const int index = rootPaths().indexOf(viewer::rootOf(rootPaths(), path));
    if (index >= 0)
        setCurrentIndex(index);
}
