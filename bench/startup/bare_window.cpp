// A bare Qt main window of the same size, for comparison with Kalimo's start-up.
#include "FirstFrame.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(601, 470);
    FirstFrame first;
    window.installEventFilter(&first);
    window.show();
    return app.exec();
}
