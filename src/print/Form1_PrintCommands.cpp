// The print command, its cancel, the preview and the PDF export.
#include "app/Form1.h"

void Form1::Mnu_Imprimer_Click() {}
void Form1::Command5_Click() {
    Mnu_Imprimer_Click();
}
void Form1::Command8_Click() {}
void Form1::Mnu_Apercu_Click() {}
void Form1::Mnu_ExportPdf_Click() {}
