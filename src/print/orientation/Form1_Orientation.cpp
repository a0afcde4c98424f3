// The printer orientation commands of the main window.
#include "app/Form1.h"

void Form1::Mnu_ImpPort_Click() {}
void Form1::Mnu_ImpPays_Click() {}
void Form1::Mnu_ConfigImp_Click() {}
