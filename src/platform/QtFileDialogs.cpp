#include "platform/QtFileDialogs.h"

#include "platform/DialogPaths.h"
#include "platform/FileNames.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

QStringList QtFileDialogs::nameFilters(const QString& filter, bool forOpen) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    static const QRegularExpression bracketed(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList masks;
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString mask = p.trimmed();
            masks << mask << mask.toLower() << mask.toUpper();
        }
        masks.removeDuplicates();
        masks.removeAll(QString());
        QString label = parts[i];
        label.remove(bracketed);
        out << label.trimmed() + QLatin1String(" (") + masks.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    if (forOpen && !out.contains(allFilesFilter()))
        out << allFilesFilter();
    return out;
}

static FileDialogResult run(const FileDialogRequest& r, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(QApplication::activeWindow(), r.title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !r.askBeforeReplacing);
    const QStringList filters = QtFileDialogs::nameFilters(r.filter, mode == QFileDialog::AcceptOpen);
    dialog.setNameFilters(filters);
    if (r.filterIndex >= 1 && r.filterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(r.filterIndex - 1));
    const dialogpaths::StartPlace place =
        dialogpaths::startPlace(r.initialName, r.initialFolder, QDir::currentPath(), QDir::homePath());
    dialog.setDirectory(place.folder);
    if (!place.fileName.isEmpty())
        dialog.selectFile(place.fileName);
    FileDialogResult result;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return result;
    result.cancelled = false;
    // A name that is not UTF-8 reaches the program as the bytes on disk, not as Qt shows it.
    result.path = filename::fromDialogName(QDir::toNativeSeparators(dialog.selectedFiles().constFirst()));
    result.fileTitle = QFileInfo(result.path).fileName();
    return result;
}

FileDialogResult QtFileDialogs::open(const FileDialogRequest& request) {
    return run(request, QFileDialog::AcceptOpen);
}
FileDialogResult QtFileDialogs::save(const FileDialogRequest& request) {
    return run(request, QFileDialog::AcceptSave);
}
