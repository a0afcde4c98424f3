// Loading a parameter file from the main window's menu.
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "setup/ParameterCommands.h"

void Form1::Mnu_ChargeParam_Click() {
    ParameterCommands(m_, p_, *this).load();
    Picture1->refresh();
}
