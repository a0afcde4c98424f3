// Opening the image viewer from the main window.
#include "app/Form1.h"
#include "viewer/VisuIMG.h"

void Form1::Command9_Click() {
    VisuIMG viewer(module(), platform(), *this);
    viewer.exec();
}
