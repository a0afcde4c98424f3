#pragma once

#include "platform/Spooler.h"

#include <QString>

// What the printer set-up dialog decides: the printer to print on and its orientation.
struct PrinterSetupChoice {
    QString printer;
    int orientation = 1; // 1 portrait, 2 landscape
};

// A queue's state as the dialog lists it.
QString queueStateText(const QueueStatus& queue);

// Makes the printer the application's current one and stores its orientation through the
// same path as the two orientation entries of the main window, when it differs from the
// stored one. False when the spooler refused the change.
bool applyPrinterSetup(Spooler& spooler, const PrinterSetupChoice& choice);
