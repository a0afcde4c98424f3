#include "platform/QtFileDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

QStringList QtFileDialogs::nameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        // Linux names are case-sensitive: offer both cases of each extension pattern.
        QStringList both;
        for (const QString& p : patterns) {
            both << p;
            if (p.toLower() != p)
                both << p.toLower();
            if (p.toUpper() != p)
                both << p.toUpper();
        }
        both.removeDuplicates();
        out << parts[i].trimmed() + QLatin1String(" (") + both.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out;
}

static FileDialogResult run(const FileDialogRequest& r, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(QApplication::activeWindow(), r.title);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !r.askBeforeReplacing);
    const QStringList filters = QtFileDialogs::nameFilters(r.filter);
    dialog.setNameFilters(filters);
    if (r.filterIndex >= 1 && r.filterIndex <= filters.size())
        dialog.selectNameFilter(filters.at(r.filterIndex - 1));
    QFileInfo initial(r.initialName);
    if (!r.initialFolder.isEmpty())
        dialog.setDirectory(r.initialFolder);
    else if (!r.initialName.isEmpty() && initial.isAbsolute())
        dialog.setDirectory(initial.absolutePath());
    if (!r.initialName.isEmpty())
        dialog.selectFile(initial.fileName());
    FileDialogResult result;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return result;
    result.cancelled = false;
    result.path = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    result.fileTitle = QFileInfo(result.path).fileName();
    return result;
}

FileDialogResult QtFileDialogs::open(const FileDialogRequest& request) {
    return run(request, QFileDialog::AcceptOpen);
}
FileDialogResult QtFileDialogs::save(const FileDialogRequest& request) {
    return run(request, QFileDialog::AcceptSave);
}
