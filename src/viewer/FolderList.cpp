#include "viewer/FolderList.h"

#include "viewer/ViewerPaths.h"

#include <QFileInfo>
#include <QStyle>

namespace {
QString indented(int depth, const QString& name) {
    return QString(depth * 2, QLatin1Char(' ')) + name;
}
} // namespace

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { setPath(item->data(Qt::UserRole).toString()); });
}

void FolderList::setTop(const QString& root) {
    top_ = root;
    fill();
}

void FolderList::setPath(const QString& folder) {
    if (folder == path_)
        return;
    path_ = folder;
    fill();
    emit pathChanged();
}

void FolderList::fill() {
    clear();
    if (path_.isEmpty())
        return;
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const QStringList chain = viewer::folderChain(top_.isEmpty() ? path_ : top_, path_);
    int depth = 0;
    for (const QString& folder : chain) {
        const QString name = depth == 0 ? folder : QFileInfo(folder).fileName();
        auto* item = new QListWidgetItem(open, indented(depth, name), this);
        item->setData(Qt::UserRole, folder);
        ++depth;
    }
    setCurrentRow(count() - 1);
    for (const QString& folder : viewer::subfolders(path_)) {
        auto* item = new QListWidgetItem(closed, indented(depth, QFileInfo(folder).fileName()), this);
        item->setData(Qt::UserRole, folder);
    }
}
