#pragma once

#include <QDate>
#include <QSize>
#include <QString>
#include <QTime>

// Process facts: the clock, the screen, the command line, the folders, and the system the
// program runs on.
class Environment {
public:
    virtual ~Environment() = default;
    virtual QTime currentTime() const = 0;
    virtual QDate currentDate() const = 0;
    virtual QSize screenSizeTwips() const = 0;
    // The one card argument, as typed; empty when there is none.
    virtual QString commandArgument() const = 0;
    virtual QString programFolder() const = 0;
    virtual QString currentFolder() const = 0;
    // The operating system, its kernel and desktop, in one line.
    virtual QString systemName() const = 0;
    // The face the system draws when a text asks for this family.
    virtual QString fontFor(const QString& family) const = 0;
};
