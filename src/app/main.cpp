#include "app/ApplicationIdentity.h"
#include "app/CommandLine.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "app/Translations.h"
#include "generated/BuildInfo.h"
#include "platform/FileNames.h"
#include "platform/Platform.h"
#include "print/BatchPrint.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

namespace {

// A print without window needs no screen: it runs on the offscreen platform.
int batchPrint(int argc, char* argv[], const CommandLine& cl) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    nameApplication();
    QTextStream err(stderr);
    return runBatchPrint(cl.print, QDir::currentPath(), err);
}

} // namespace

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << filename::fromBytes(QByteArray(argv[i])); // names that are not UTF-8 kept as given
    // Help, version and mistakes are answered before any window system is needed.
    const CommandLine cl = CommandLine::parse(arguments);
    QTextStream out(stdout);
    QTextStream err(stderr);
    switch (cl.action) {
    case CommandLine::Action::Help:
        out << CommandLine::usage();
        return 0;
    case CommandLine::Action::Version:
        out << "Kalimo " << buildinfo::versionMajor << '.' << buildinfo::versionMinor << '.'
            << buildinfo::versionRevision << "\n";
        return 0;
    case CommandLine::Action::Error:
        err << cl.error << "\n\n" << CommandLine::usage();
        return 2;
    case CommandLine::Action::Print:
        return batchPrint(argc, argv, cl);
    case CommandLine::Action::Run:
        break;
    }

    QApplication app(argc, argv);
    nameApplication();
    app.setWindowIcon(applicationIcon());
    installFrenchTranslations(app);
    Module1 module;
    auto platform = makeDesktopPlatform(cl.cardArgument);
    Form1 window(module, *platform);
    // Quit ends the program at once: no window runs a closing step.
    QObject::connect(&window, &Form1::quitRequested, &app, &QApplication::quit, Qt::QueuedConnection);
    window.Form_Load();
    window.show();
    return app.exec();
}
