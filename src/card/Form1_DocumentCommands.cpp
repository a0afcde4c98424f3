// The document commands of the main window: new, open, save, save as, quit.
#include "app/Form1.h"

void Form1::Mnu_Nouveau_Click() {}
void Form1::Mnu_Ouvrir_Click() {}
void Form1::Mnu_Enregistrer_Click() {}
void Form1::Mnu_EnregistrerSous_Click() {}
void Form1::Mnu_Quitter_Click() {}
void Form1::Command4_Click() {
    Mnu_Quitter_Click();
}
void Form1::OpenFile(const QString&) {}
void Form1::SaveFile(const QString&) {}

// Opening "Fichier" refreshes the two orientation check marks.
void Form1::Mnu_Fichier_Click() {
    refreshOrientationDisplay(false);
}
