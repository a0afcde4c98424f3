// Opening the About box from the main window.
#include "app/Form1.h"

void Form1::Mnu_APropos_Click() {}
