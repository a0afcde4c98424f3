#pragma once

#include <QString>

// The help viewer: contents (command 3) or the search list (command 261) of a help file.
namespace HelpCommand {
inline constexpr int Contents = 3;
inline constexpr int PartialKey = 0x105;
} // namespace HelpCommand

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual void show(const QString& helpFile, int command) = 0;
};
