#pragma once

#include <QListWidget>

// The folders from the root down to the current folder, then the folders inside it. An item
// opened (double click, Enter) becomes the current folder; a change sends pathChanged.
class FolderList : public QListWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget* parent = nullptr);
    QString path() const { return path_; }
    // The root the list starts from.
    void setTop(const QString& root);
    void setPath(const QString& folder);

signals:
    void pathChanged();

private:
    void fill();

    QString top_;
    QString path_;
};
