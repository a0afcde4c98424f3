#include "app/CommandLine.h"

#include "app/SharedProcedures.h"

CommandLine CommandLine::parse(const QStringList& arguments) {
    CommandLine c;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            c.action = Action::Help;
            return c;
        }
        if (a == QLatin1String("--version") || a == QLatin1String("-v")) {
            c.action = Action::Version;
            return c;
        }
        if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            c.action = Action::Error;
            c.error = QStringLiteral("Option inconnue : %1").arg(a);
            return c;
        }
        if (!c.cardArgument.isEmpty()) {
            c.action = Action::Error;
            c.error = QStringLiteral("Une seule carte peut être ouverte : %1").arg(a);
            return c;
        }
        c.cardArgument = a;
    }
    return c;
}

QString CommandLine::usage() {
    return QStringLiteral(
        "Utilisation : kalimo [CARTE.CDV]\n"
        "  Ouvre Kalimo, création de cartes de visite, avec la carte donnée s'il y en a une.\n"
        "\n"
        "Options :\n"
        "  --help, -h       affiche cette aide\n"
        "  --version, -v    affiche la version\n");
}

QString cardPathFromArgument(const QString& argument, const QString& currentFolder) {
    if (argument.startsWith(QLatin1Char('/')))
        return argument;
    if (argument.size() >= 2 && argument.startsWith(QLatin1Char('"')) && argument.endsWith(QLatin1Char('"')))
        return argument.mid(1, argument.size() - 2);
    return AjouteBarre(currentFolder) + argument;
}
