#pragma once

#include "platform/ChoiceDialogs.h"
#include "platform/Environment.h"
#include "platform/FileDialogs.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBoxes.h"
#include "platform/PictureLoader.h"
#include "platform/PrinterSurface.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/Spooler.h"

#include <QSettings>
#include <memory>

// One of each outside service. The program runs on makeDesktopPlatform(); tests build
// their own from the doubles in tests/support.
struct Platform {
    std::unique_ptr<MessageBoxes> messages;
    std::unique_ptr<FileDialogs> files;
    std::unique_ptr<ChoiceDialogs> dialogs;
    std::unique_ptr<Spooler> spooler;
    std::unique_ptr<PrinterSurface> printer;
    std::unique_ptr<PictureLoader> pictures;
    std::unique_ptr<HelpViewer> help;
    std::unique_ptr<Shell> shell;
    std::unique_ptr<Registry> registry;
    std::unique_ptr<Environment> environment;
    // What the program keeps between runs (the recent cards); none in tests unless given.
    std::unique_ptr<QSettings> settings;
};

// The real services of a Linux desktop. commandArgument is the card argument, if any.
std::unique_ptr<Platform> makeDesktopPlatform(const QString& commandArgument);
