// Opening the image viewer from the main window.
#include "app/Form1.h"

void Form1::Command9_Click() {}
