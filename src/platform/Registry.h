#pragma once

#include <QByteArray>
#include <QString>

// Registry reads, in the calls' own terms: 0 is success, anything else a failure code.
namespace RegistryRoot {
inline constexpr quint32 LocalMachine = 0x80000002u;
}
namespace RegistryType {
inline constexpr quint32 String = 1;
inline constexpr quint32 DoubleWord = 4;
} // namespace RegistryType

class Registry {
public:
    virtual ~Registry() = default;
    virtual long openKey(quint32 root, const QString& keyName, quint32 access, quintptr* handle) = 0;
    // Fills buffer (already sized by the caller) and sets size to the bytes written.
    virtual long queryValue(quintptr handle, const QString& valueName, quint32* type, QByteArray* buffer,
                            quint32* size) = 0;
    virtual long closeKey(quintptr handle) = 0;
};
