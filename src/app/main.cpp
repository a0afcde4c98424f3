#include "app/CommandLine.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "app/Translations.h"
#include "generated/BuildInfo.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(buildinfo::productName));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(buildinfo::versionMajor)
                                            .arg(buildinfo::versionMinor)
                                            .arg(buildinfo::versionRevision));
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
