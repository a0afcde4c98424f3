#pragma once

#include <QList>
#include <QString>

// The parameter files shipped with the program, for common sheets of cards.
struct StockPreset {
    QString title; // the file name, as a loaded parameter file is named
    QString path;
};

// The .PAR files of folder, by name; none when the folder is empty or missing.
QList<StockPreset> stockPresets(const QString& folder);
