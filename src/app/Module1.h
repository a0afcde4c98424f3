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
    // The picture the viewer handed over, by its path as it is on disk.
    QString CopiedImagePath;
    // The folder the viewer showed last; it opens there again during this run.
    QString viewerFolder;

    PrintLayout layout = PrintLayout::builtIn();
    PrintRequest request;
    ParameterFileState parameterFile;

    CardOrigin cardOrigin;
    std::array<ZonePrintLines, 3> zonePrintLines;

    // Start-up values: the card as it is before any file or command touches it.
    Module1();
};
