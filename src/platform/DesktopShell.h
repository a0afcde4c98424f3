#pragma once

#include "platform/Shell.h"

class DesktopShell : public Shell {
public:
    void openUrl(const QString& url) override;
    void newMail(const QString& mailtoUrl) override;
    bool startProgram(const QString& path) override;
    QString findProgram(const QString& name) override;
    bool fileExists(const QString& path) override;
};
