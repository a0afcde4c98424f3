#pragma once

#include <QDate>
#include <QSize>
#include <QString>
#include <QTime>

// Process facts: the clock, the screen, the command line and the folders.
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
};
