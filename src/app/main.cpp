#include "app/CommandLine.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "app/Translations.h"
#include "generated/BuildInfo.h"
#include "platform/Platform.h"
#include "print/BatchPrint.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

namespace {

void nameApplication() {
    QCoreApplication::setApplicationName(QString::fromLatin1(buildinfo::productName));
    QCoreApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                                .arg(buildinfo::versionMajor)
                                                .arg(buildinfo::versionMinor)
                                                .arg(buildinfo::versionRevision));
}

// A print without window needs no screen: it runs on the offscreen platform.
int batchPrint(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    nameApplication();
    const CommandLine cl = CommandLine::parse(QCoreApplication::arguments());
    QTextStream out(stdout);
    QTextStream err(stderr);
    switch (cl.action) {
    case CommandLine::Action::Help:
        out << CommandLine::usage();
        return 0;
    case CommandLine::Action::Version:
        out << "Kalimo " << QCoreApplication::applicationVersion() << "\n";
        return 0;
    case CommandLine::Action::Error:
        err << cl.error << "\n\n" << CommandLine::usage();
        return 2;
    case CommandLine::Action::Run:
        break;
    case CommandLine::Action::Print:
        return runBatchPrint(cl.print, QDir::currentPath(), err);
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (CommandLine::asksForBatchPrint(argc, argv))
        return batchPrint(argc, argv);

    QApplication app(argc, argv);
    nameApplication();
    installFrenchTranslations(app);

    const CommandLine cl = CommandLine::parse(QApplication::arguments());
    QTextStream out(stdout);
    QTextStream err(stderr);
    switch (cl.action) {
    case CommandLine::Action::Help:
        out << CommandLine::usage();
        return 0;
    case CommandLine::Action::Version:
        out << "Kalimo " << QApplication::applicationVersion() << "\n";
        return 0;
    case CommandLine::Action::Error:
        err << cl.error << "\n\n" << CommandLine::usage();
        return 2;
    case CommandLine::Action::Run:
    case CommandLine::Action::Print: // asked for above
        break;
    }

    Module1 module;
    auto platform = makeDesktopPlatform(cl.cardArgument);
    Form1 window(module, *platform);
    // Quit ends the program at once: no window runs a closing step.
    QObject::connect(&window, &Form1::quitRequested, &app, &QApplication::quit, Qt::QueuedConnection);
    window.Form_Load();
    window.show();
    return app.exec();
}
