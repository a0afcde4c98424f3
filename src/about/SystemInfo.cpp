#include "about/SystemInfo.h"

#include "platform/Registry.h"
#include "platform/Shell.h"

#include <algorithm>

namespace sysinfo {
const char* const InfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char* const InfoValue = "PATH";
const char* const InfoLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const char* const InfoLocationValue = "MSINFO";
const char* const InfoProgram = "\\MSINFO32.EXE";
} // namespace sysinfo

bool GetKeyValue(Registry& registry, const quint32& KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                 QString& KeyVal) {
    quintptr hKey = 0;
    const auto fail = [&] {
        KeyVal = QString();
        registry.closeKey(hKey);
        return false;
    };

    if (registry.openKey(KeyRoot, KeyName, sysinfo::KeyAccess, &hKey) != 0)
        return fail();

    QByteArray tmpVal(sysinfo::ValueBufferSize, '\0');
    quint32 KeyValSize = sysinfo::ValueBufferSize;
    quint32 KeyValType = 0;
    if (registry.queryValue(hKey, SubKeyRef, &KeyValType, &tmpVal, &KeyValSize) != 0)
        return fail();

    // The stored terminator, when there is one, is not part of the value. A value of no
    // bytes at all keeps nothing rather than reading before the buffer.
    const int size = int(std::min<quint32>(KeyValSize, quint32(tmpVal.size())));
    const int kept = size > 0 && tmpVal.at(size - 1) == '\0' ? size - 1 : size;
    tmpVal.truncate(kept);

    switch (KeyValType) {
    case 1: // string
        KeyVal = QString::fromLocal8Bit(tmpVal);
        break;
    case 4: { // double word
        QString hex;
        for (int i = tmpVal.size() - 1; i >= 0; --i)
            hex += QString::number(quint8(tmpVal.at(i)), 16).toUpper();
        KeyVal = QStringLiteral("&h") + hex;
        break;
    }
    default:
        break;
    }

    registry.closeKey(hKey);
    return true;
}

bool StartSysInfo(Registry& registry, Shell& shell) {
    const quint32 root = RegistryRoot::LocalMachine;
    QString SysInfoPath;
    bool started = false;
    if (GetKeyValue(registry, root, QLatin1String(sysinfo::InfoKey), QLatin1String(sysinfo::InfoValue),
                    SysInfoPath)) {
        started = shell.startProgram(SysInfoPath);
    } else if (GetKeyValue(registry, root, QLatin1String(sysinfo::InfoLocationKey),
                           QLatin1String(sysinfo::InfoLocationValue), SysInfoPath)) {
        const QString program = SysInfoPath + QLatin1String(sysinfo::InfoProgram);
        if (shell.fileExists(program))
            started = shell.startProgram(program);
    }
    return started;
}
