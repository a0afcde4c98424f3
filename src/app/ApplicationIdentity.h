#pragma once

#include <QIcon>

// How the desktop knows the program: its name and version, and the desktop entry whose menu
// entry and icon the desktop shows for its windows.
void nameApplication();

// The icon of the desktop's theme once installed, else the one bundled with the program.
QIcon applicationIcon();
