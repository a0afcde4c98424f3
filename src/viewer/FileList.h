#pragma once

#include <QListWidget>

// The files of one folder that match the pattern. Selecting one, with the mouse or the
// keys, sends fileClicked.
class FileList : public QListWidget {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);
    QString folder() const { return folder_; }
    // Shows the new folder's files.
    void setFolder(const QString& folder);
    QString pattern() const { return pattern_; }
    // Takes effect at the next refresh.
    void setPattern(const QString& pattern) { pattern_ = pattern; }
    void refresh();
    // The selected file's name; empty when none is.
    QString fileName() const;

signals:
    void fileClicked();

private:
    QString folder_;
    QString pattern_;
};
