#include "platform/DesktopShell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

void DesktopShell::openUrl(const QString& url) {
    QDesktopServices::openUrl(QUrl(url));
}

void DesktopShell::newMail(const QString& mailtoUrl) {
    QDesktopServices::openUrl(QUrl(mailtoUrl));
}

bool DesktopShell::startProgram(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || !info.isExecutable())
        return false;
    return QProcess::startDetached(path, {});
}

QString DesktopShell::findProgram(const QString& name) {
    return QStandardPaths::findExecutable(name);
}

bool DesktopShell::fileExists(const QString& path) {
    return QFileInfo(path).isFile();
}
