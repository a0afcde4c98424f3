#pragma once

#include <QString>

// The desktop shell: web links, new mail, starting programs.
class Shell {
public:
    virtual ~Shell() = default;
    virtual void openUrl(const QString& url) = 0;
    virtual void newMail(const QString& mailtoUrl) = 0;
    // Starts a program in a normal window; false when it cannot be started.
    virtual bool startProgram(const QString& path) = 0;
    // Full path of a program on the PATH, empty when there is none.
    virtual QString findProgram(const QString& name) = 0;
    virtual bool fileExists(const QString& path) = 0;
};
