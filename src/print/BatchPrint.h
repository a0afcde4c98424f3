#pragma once

#include "platform/FileWrites.h"

#include <QString>

class QTextStream;

// A print asked for on the command line, done without any window.
struct BatchPrintRequest {
    QString pdfPath;          // the page goes to this PDF file ("-": standard output)...
    bool force = false;       // replace the file even when it is not a PDF
    bool toSpooler = false;   // ...or to a printer
    QString printer;          // that printer instead of the current one
    QString layoutPath;       // a parameter file; empty: the built-in layout
    QString cardArgument;     // the card as typed; empty: the card Kalimo starts with
    int copies = -1;          // identical cards on the page; -1: the layout's count
    int position = 0;         // 1 to 10: one card at that place instead of a page
    bool calibration = false; // the calibration page of the layout instead of cards
    QString mergePath;        // a spreadsheet (CSV): one card per row, or copies per row
    bool skipBadRows = false; // leave out the rows that would break the card
};

// Runs the print; messages go to err in French. The process's exit code: 0 when the page
// was written or the printer took the job, 3 when the job waits in the queue (held, or on a
// stopped queue), 1 otherwise. The PDF file is written through calls.
int runBatchPrint(const BatchPrintRequest& request, const QString& currentFolder, QTextStream& err,
                  FileWrites& calls = systemFileWrites());
