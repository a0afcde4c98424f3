#include "viewer/FileList.h"

#include "viewer/FilePattern.h"

FileList::FileList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (!fileName().isEmpty())
            emit fileClicked();
    });
}

void FileList::setFolder(const QString& folder) {
    folder_ = folder;
    refresh();
}

void FileList::refresh() {
    clear();
    addItems(viewer::matchingFiles(folder_, pattern_));
}

QString FileList::fileName() const {
    const QList<QListWidgetItem*> chosen = selectedItems();
    return chosen.isEmpty() ? QString() : chosen.first()->text();
}
