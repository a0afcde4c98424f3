#pragma once

#include <QList>
#include <QString>

// A place the viewer's root list offers: a mounted file system or the home folder.
struct ViewerRoot {
    QString path;  // as the folder list starts from it ("/", "/media/marie/CLE")
    QString label; // as the root list shows it
};

// Where the viewer's roots come from, and whether one can be read right now.
class RootSource {
public:
    virtual ~RootSource() = default;
    virtual QList<ViewerRoot> roots() = 0;
    // False when the root's medium is gone or its folder cannot be listed.
    virtual bool canRead(const QString& root) = 0;
};
