#include "app/ApplicationIdentity.h"

#include "generated/BuildInfo.h"

#include <QGuiApplication>

void nameApplication() {
    QCoreApplication::setApplicationName(QString::fromLatin1(buildinfo::productName));
    QCoreApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                                .arg(buildinfo::versionMajor)
                                                .arg(buildinfo::versionMinor)
                                                .arg(buildinfo::versionRevision));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(buildinfo::desktopId));
}

QIcon applicationIcon() {
    return QIcon::fromTheme(QStringLiteral("kalimo"),
                            QIcon(QStringLiteral(":/resources/desktop/kalimo.svg")));
}
