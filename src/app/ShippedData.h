#pragma once

#include <QString>

// A file or folder shipped with the program (help, stock presets): beside the executable in
// the build tree, else in ../share/kalimo from it once installed. Empty when neither holds it.
QString shippedDataPath(const QString& relative);
