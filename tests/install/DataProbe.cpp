// Prints where a program in this probe's folder finds its help file and its presets folder,
// by the program's own lookup: one path per line, an empty line for what it does not find.
#include "app/ShippedData.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    out << shippedHelpFile(QCoreApplication::applicationDirPath()) << '\n'
        << shippedDataPath(QStringLiteral("presets")) << '\n';
    return 0;
}
