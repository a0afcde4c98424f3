#pragma once

#include "viewer/RootSource.h"

#include <QComboBox>

// The list of roots. Showing another root, by a pick or by the program, sends driveChanged.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);
    // Fills the list without showing any root yet.
    void setRoots(const QList<ViewerRoot>& roots);
    QStringList rootPaths() const;
    // The root shown; empty before one is.
    QString drive() const;
    // Shows the root that holds path.
    void setDrive(const QString& path);

signals:
    void driveChanged();
};
