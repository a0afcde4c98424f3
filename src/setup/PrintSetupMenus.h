#pragma once

#include <QString>

class Form1;
class QMenu;

// Adds to the file menu, after "Charger des paramètres": "Papiers pour cartes", the shipped
// parameter files, and "Imprimer la page de calibration".
void addPrintSetupMenus(Form1& window, QMenu* fileMenu);

// Fills the presets menu with the parameter files of folder, each loading its file.
void fillPresetMenu(Form1& window, QMenu* presets, const QString& folder);

// Prints the calibration page of the current layout on the application's printer.
void printCalibrationPage(Form1& window);
