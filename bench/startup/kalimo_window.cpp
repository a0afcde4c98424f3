// Kalimo's start-up as main() runs it, ending at the main window's first frame.
#include "FirstFrame.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "app/Translations.h"
#include "platform/Platform.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    installFrenchTranslations(app);
    Module1 module;
    auto platform = makeDesktopPlatform(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
    Form1 window(module, *platform);
    FirstFrame first;
    window.installEventFilter(&first);
    window.Form_Load();
    window.show();
    return app.exec();
}
