#include "platform/QtEnvironment.h"

#include "app/CardModel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSysInfo>

QTime QtEnvironment::currentTime() const {
    return QTime::currentTime();
}
QDate QtEnvironment::currentDate() const {
    return QDate::currentDate();
}

QSize QtEnvironment::screenSizeTwips() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize px = screen ? screen->availableGeometry().size() : QSize(1024, 768);
    return px * TwipsPerPixel;
}

QString QtEnvironment::programFolder() const {
    return QCoreApplication::applicationDirPath();
}
QString QtEnvironment::currentFolder() const {
    return QDir::currentPath();
}

QString QtEnvironment::systemName() const {
    QString name = QStringLiteral("%1, noyau %2 %3 (%4)")
                       .arg(QSysInfo::prettyProductName(), QSysInfo::kernelType(), QSysInfo::kernelVersion(),
                            QSysInfo::currentCpuArchitecture());
    const QString desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    if (!desktop.isEmpty())
        name += QStringLiteral(", bureau ") + desktop;
    return name;
}

QString QtEnvironment::fontFor(const QString& family) const {
    return QFontInfo(QFont(family)).family();
}
