#pragma once

#include "print/BatchPrint.h"

#include <QString>
#include <QStringList>

// What the command line asks for.
struct CommandLine {
    enum class Action { Run, Help, Version, Error, Print };
    Action action = Action::Run;
    QString cardArgument;    // the card to open, as typed (empty: none)
    QString error;           // for Action::Error, in French
    BatchPrintRequest print; // for Action::Print

    static CommandLine parse(const QStringList& arguments);
    static QString usage();
};

// The card path from the argument: an absolute path as it is, a quoted argument without
// its quotes, anything else in the current folder.
QString cardPathFromArgument(const QString& argument, const QString& currentFolder);
