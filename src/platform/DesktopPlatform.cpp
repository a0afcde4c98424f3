#include "platform/CupsSpooler.h"
#include "platform/DesktopShell.h"
#include "platform/LinuxRegistry.h"
#include "platform/Platform.h"
#include "platform/QPrinterSurface.h"
#include "platform/QtChoiceDialogs.h"
#include "platform/QtEnvironment.h"
#include "platform/QtFileDialogs.h"
#include "platform/QtHelpViewer.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtPictureLoader.h"

std::unique_ptr<Platform> makeDesktopPlatform(const QString& commandArgument) {
    auto p = std::make_unique<Platform>();
    p->messages = std::make_unique<QtMessageBoxes>();
    p->files = std::make_unique<QtFileDialogs>();
    p->spooler = std::make_unique<CupsSpooler>();
    p->dialogs = std::make_unique<QtChoiceDialogs>(*p->spooler);
    p->pictures = std::make_unique<QtPictureLoader>();
    p->help = std::make_unique<QtHelpViewer>();
    p->shell = std::make_unique<DesktopShell>();
    p->registry = std::make_unique<LinuxRegistry>(*p->shell);
    p->environment = std::make_unique<QtEnvironment>(commandArgument);
    p->printer = std::make_unique<QPrinterSurface>(*p->spooler);
    // ~/.config/Kalimo/Kalimo.conf
    p->settings = std::make_unique<QSettings>(QStringLiteral("Kalimo"), QStringLiteral("Kalimo"));
    return p;
}
