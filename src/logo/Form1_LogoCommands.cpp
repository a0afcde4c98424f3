// The logo commands of the main window.
#include "app/Form1.h"

void Form1::Command3_Click() {}
void Form1::Picture2_DblClick() {
    Command3_Click();
}
void Form1::Command6_Click() {}
void Form1::Command11_Click() {}
void Form1::Command10_Click() {}
