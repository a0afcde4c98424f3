#pragma once

#include <QString>

// A file or folder shipped with the program (help, stock presets): beside the executable in
// the build tree, else in ../share/kalimo from it once installed. Empty when neither holds it.
QString shippedDataPath(const QString& relative);
QString shippedDataPath(const QString& relative, const QString& programFolder);

// The help file for a program in programFolder. When it is missing, the name it has beside
// the program, so that the help window can say which file it looked for.
QString shippedHelpFile(const QString& programFolder);
