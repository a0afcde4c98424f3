#include "platform/QtHelpViewer.h"

#include "platform/HelpWindow.h"

QtHelpViewer::~QtHelpViewer() {
    delete window_.data();
}

void QtHelpViewer::show(const QString& helpFile, int command) {
    // The viewer is a window of its own, beside the program's windows, as a help viewer is.
    if (!window_)
        window_ = new HelpWindow;
    if (command == HelpCommand::PartialKey)
        window_->showSearch(helpFile);
    else
        window_->showContents(helpFile);
}
