#pragma once

#include "app/CardModel.h"
#include "print/PrintState.h"
#include "setup/PrintLayout.h"

#include <array>

// The state every window reads and writes, held for the whole run. One instance, made by
// main() (or by a test) and handed to the windows.
struct Module1 {
    CardDocument card;
    qint16 SelectedZone = 1;
    QString CopiedImagePath;

    PrintLayout layout = PrintLayout::builtIn();
    PrintRequest request;
    ParameterFileState parameterFile;

    CardOrigin cardOrigin;
    std::array<ZonePrintLines, 3> zonePrintLines;

    // Start-up values: the card as it is before any file or command touches it.
    Module1();
};
