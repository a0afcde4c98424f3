#pragma once

#include "platform/HelpViewer.h"

#include <QPointer>

class HelpWindow;

class QtHelpViewer : public HelpViewer {
public:
    ~QtHelpViewer() override;
    void show(const QString& helpFile, int command) override;

private:
    QPointer<HelpWindow> window_;
};
