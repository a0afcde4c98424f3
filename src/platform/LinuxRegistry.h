#pragma once

#include "platform/Registry.h"

#include <QMap>

class Shell;

// Linux has no registry. This stand-in answers the one system-information key the About
// box asks for, with the first system-information program found on the PATH.
class LinuxRegistry : public Registry {
public:
    explicit LinuxRegistry(Shell& shell) : shell_(shell) {}
    long openKey(quint32 root, const QString& keyName, quint32 access, quintptr* handle) override;
    long queryValue(quintptr handle, const QString& valueName, quint32* type, QByteArray* buffer,
                    quint32* size) override;
    long closeKey(quintptr handle) override;

    static QStringList systemInfoPrograms();

private:
    Shell& shell_;
    QMap<quintptr, QString> open_;
    quintptr next_ = 1;
};
