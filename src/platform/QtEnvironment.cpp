#include "platform/QtEnvironment.h"

#include "app/CardModel.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>

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
