#include "platform/LinuxRegistry.h"

#include "platform/Shell.h"

namespace {
constexpr long Success = 0;
constexpr long FileNotFound = 2;
constexpr long InvalidHandle = 6;
const QString SystemInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
} // namespace

QStringList LinuxRegistry::systemInfoPrograms() {
    // Tools that describe the system; process monitors are no such tool.
    return {QStringLiteral("hardinfo"), QStringLiteral("hardinfo2"), QStringLiteral("kinfocenter")};
}

long LinuxRegistry::openKey(quint32 root, const QString& keyName, quint32, quintptr* handle) {
    if (root != RegistryRoot::LocalMachine || keyName.compare(SystemInfoKey, Qt::CaseInsensitive) != 0)
        return FileNotFound;
    *handle = next_++;
    open_.insert(*handle, keyName);
    return Success;
}

long LinuxRegistry::queryValue(quintptr handle, const QString& valueName, quint32* type, QByteArray* buffer,
                               quint32* size) {
    if (!open_.contains(handle))
        return InvalidHandle;
    if (valueName.compare(QStringLiteral("PATH"), Qt::CaseInsensitive) != 0)
        return FileNotFound;
    QString found;
    for (const QString& name : systemInfoPrograms()) {
        found = shell_.findProgram(name);
        if (!found.isEmpty())
            break;
    }
    if (found.isEmpty())
        return FileNotFound;
    // Stored as a string with its terminating code 0, as the registry keeps strings.
    const QByteArray bytes = found.toLocal8Bit() + '\0';
    if (bytes.size() > buffer->size())
        return 234; // more data than the buffer holds
    buffer->replace(0, bytes.size(), bytes);
    *size = quint32(bytes.size());
    *type = RegistryType::String;
    return Success;
}

long LinuxRegistry::closeKey(quintptr handle) {
    return open_.remove(handle) ? Success : InvalidHandle;
}
