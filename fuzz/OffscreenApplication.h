#pragma once

#include <QGuiApplication>

// The targets that draw need a font database, hence an application, kept for the whole run;
// an offscreen one, since fuzzing has no display.
inline void startOffscreenApplication(char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int qtArgc = 1;
    static char* qtArgv[] = {(*argv)[0], nullptr};
    static QGuiApplication app(qtArgc, qtArgv);
}
