#include "app/CommandLine.h"

#include "app/SharedProcedures.h"
#include "setup/PrintLayout.h"

namespace {

CommandLine failed(CommandLine c, const QString& error) {
    c.action = CommandLine::Action::Error;
    c.error = error;
    return c;
}

// A whole number from first to last, or -1.
int boundedNumber(const QString& text, int first, int last) {
    bool ok = false;
    const int n = text.toInt(&ok);
    return ok && n >= first && n <= last ? n : -1;
}

} // namespace

CommandLine CommandLine::parse(const QStringList& arguments) {
    CommandLine c;
    bool pdf = false, spooler = false, copies = false, position = false;
    QStringList printOnly; // options that mean something only for a print
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
        if (a == QLatin1String("--print")) {
            spooler = true;
            continue;
        }
        if (a == QLatin1String("--force")) {
            c.print.force = true;
            continue;
        }
        if (a == QLatin1String("--skip-bad-rows")) {
            c.print.skipBadRows = true;
            printOnly << a;
            continue;
        }
        const bool takesValue = a == QLatin1String("--pdf") || a == QLatin1String("--calibration-pdf") ||
                                a == QLatin1String("--printer") || a == QLatin1String("--par") ||
                                a == QLatin1String("--copies") || a == QLatin1String("--position") ||
                                a == QLatin1String("--merge");
        if (takesValue) {
            if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty())
                return failed(c, QStringLiteral("L'option %1 attend une valeur.").arg(a));
            const QString value = arguments.at(++i);
            if (a == QLatin1String("--pdf") || a == QLatin1String("--calibration-pdf")) {
                pdf = true;
                c.print.pdfPath = value;
                c.print.calibration = a == QLatin1String("--calibration-pdf");
            } else if (a == QLatin1String("--printer")) {
                c.print.printer = value;
                printOnly << a;
            } else if (a == QLatin1String("--merge")) {
                c.print.mergePath = value;
                printOnly << a;
            } else if (a == QLatin1String("--par")) {
                c.print.layoutPath = value;
                printOnly << a;
            } else if (a == QLatin1String("--copies")) {
                c.print.copies = boundedNumber(value, 0, SheetPosition::Count);
                if (c.print.copies < 0)
                    return failed(c,
                                  QStringLiteral("Nombre de cartes incorrect : %1 (de 0 à 10).").arg(value));
                copies = true;
                printOnly << a;
            } else {
                c.print.position = boundedNumber(value, 1, SheetPosition::Count);
                if (c.print.position < 0)
                    return failed(
                        c, QStringLiteral("Position de carte incorrecte : %1 (de 1 à 10).").arg(value));
                position = true;
                printOnly << a;
            }
            continue;
        }
        if (a.startsWith(QLatin1Char('-')) && a.size() > 1)
            return failed(c, QStringLiteral("Option inconnue : %1").arg(a));
        if (!c.cardArgument.isEmpty())
            return failed(c, QStringLiteral("Une seule carte peut être ouverte : %1").arg(a));
        c.cardArgument = a;
    }
    if (pdf && spooler)
        return failed(c, QStringLiteral("Choisissez --pdf ou --print, pas les deux."));
    if (!pdf && c.print.force)
        return failed(c, QStringLiteral("L'option --force ne sert qu'avec --pdf."));
    if (!pdf && !spooler) {
        if (!printOnly.isEmpty())
            return failed(
                c, QStringLiteral("L'option %1 ne sert qu'avec --pdf ou --print.").arg(printOnly.first()));
        return c;
    }
    if (copies && position)
        return failed(c, QStringLiteral("Choisissez --copies ou --position, pas les deux."));
    if (c.print.skipBadRows && c.print.mergePath.isEmpty())
        return failed(c, QStringLiteral("L'option --skip-bad-rows ne sert qu'avec --merge."));
    if (c.print.calibration && !c.print.mergePath.isEmpty())
        return failed(c, QStringLiteral("L'option --merge ne sert pas avec --calibration-pdf."));
    if (pdf && !c.print.printer.isEmpty())
        return failed(c, QStringLiteral("L'option --printer ne sert qu'avec --print."));
    c.action = Action::Print;
    c.print.toSpooler = spooler;
    c.print.cardArgument = c.cardArgument;
    return c;
}

QString CommandLine::usage() {
    return QStringLiteral(
        "Utilisation : kalimo [CARTE.CDV]\n"
        "              kalimo --pdf SORTIE.pdf [--force] [--par PARAMETRES.PAR] [--copies N | --position P] "
        "[CARTE.CDV]\n"
        "              kalimo --calibration-pdf SORTIE.pdf [--par PARAMETRES.PAR]\n"
        "              kalimo --print [--printer FILE] [--par PARAMETRES.PAR] [--copies N | --position P] "
        "[CARTE.CDV]\n"
        "              kalimo (--pdf SORTIE.pdf | --print) --merge DONNEES.csv [--skip-bad-rows] "
        "[--copies N | --position P] CARTE.CDV\n"
        "  Ouvre Kalimo, création de cartes de visite, avec la carte donnée s'il y en a une.\n"
        "  Avec --pdf ou --print, imprime la carte sans ouvrir de fenêtre : une page de N cartes\n"
        "  identiques (par défaut le nombre des paramètres, 10), ou une seule carte à la position P.\n"
        "\n"
        "Options :\n"
        "  --help, -h          affiche cette aide\n"
        "  --version, -v       affiche la version\n"
        "  --pdf FICHIER       écrit la page dans ce fichier PDF (- : sur la sortie standard)\n"
        "  --force             avec --pdf : remplace aussi un fichier qui n'est pas un PDF\n"
        "  --calibration-pdf FICHIER\n"
        "                      écrit la page de calibration (règles et coins des cartes) dans ce PDF\n"
        "  --print             envoie la page à l'imprimante en cours (par défaut celle du système)\n"
        "  --printer FILE      avec --print : la file d'impression à utiliser\n"
        "  --par FICHIER       les paramètres d'impression de ce fichier .PAR (sinon DEFAUT)\n"
        "  --copies N          N cartes identiques sur la page, de 0 à 10\n"
        "  --position P        une seule carte, à la position P de la feuille (1 à 10)\n"
        "  --merge FICHIER     une carte par ligne de ce fichier CSV, ses champs «Nom» ou {Nom}\n"
        "                      remplis : dix par feuille (avec --position P, la première feuille\n"
        "                      commence à la position P), ou N par ligne et une feuille par ligne\n"
        "                      avec --copies N ; toutes les feuilles en un seul PDF ou travail\n"
        "  --skip-bad-rows     avec --merge : laisse de côté les lignes qui abîmeraient la carte\n");
}

QString cardPathFromArgument(const QString& argument, const QString& currentFolder) {
    if (argument.startsWith(QLatin1Char('/')))
        return argument;
    if (argument.size() >= 2 && argument.startsWith(QLatin1Char('"')) && argument.endsWith(QLatin1Char('"')))
        return argument.mid(1, argument.size() - 2);
    return AjouteBarre(currentFolder) + argument;
}
