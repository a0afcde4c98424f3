// Opening the About box from the main window.
#include "about/frmAbout.h"
#include "app/Form1.h"

void Form1::Mnu_APropos_Click() {
    frmAbout box(platform(), this);
    box.exec();
}
