// Text zone editing on the main window.
#include "app/Form1.h"

void Form1::Label1_Click() {
    selectZone(1);
}
void Form1::Label2_Click() {
    selectZone(2);
}
void Form1::Label3_Click() {
    selectZone(3);
}
void Form1::selectZone(int) {}
void Form1::Text1_Change() {}
void Form1::Option1_Click() {}
void Form1::Option2_Click() {}
void Form1::Option3_Click() {}
void Form1::Command1_Click() {}
void Form1::Command2_Click() {}
