#pragma once

#include <QString>

class Registry;
class Shell;

// Finding and starting the system-information tool through two registry values.
namespace sysinfo {
inline constexpr quint32 KeyAccess = 0x2003F;
inline constexpr int ValueBufferSize = 1024;
// The first value names the tool itself, the second the folder that holds it.
extern const char* const InfoKey;
extern const char* const InfoValue;
extern const char* const InfoLocationKey;
extern const char* const InfoLocationValue;
// The tool's file in that folder.
extern const char* const InfoProgram;
} // namespace sysinfo

// Reads one registry value into KeyVal. Strings come back as they are stored, less a final
// code 0; a double word as "&h" and the hexadecimal codes of its kept bytes, last first;
// other types leave KeyVal as it was. False, with KeyVal emptied, when the key or the value
// cannot be read.
bool GetKeyValue(Registry& registry, const quint32& KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                 QString& KeyVal);

// Starts the system-information tool; false when none can be found or started, and the
// caller then shows what the program knows itself.
bool StartSysInfo(Registry& registry, Shell& shell);
