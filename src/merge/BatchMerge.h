#pragma once

#include "platform/FileWrites.h"

#include <QString>

struct BatchPrintRequest;
struct Module1;
struct PdfOutput;
class QTextStream;

// The cards of a spreadsheet printed from the command line, once the card and the layout are
// read into m. A field the file lacks, a file that cannot be read or a row that breaks the
// card is said on err, naming the line, and the run prints nothing (exit 1); with
// skipBadRows such rows are named and left out. The exit code is runBatchPrint's.
int runBatchMerge(const BatchPrintRequest& request, Module1& m, const PdfOutput& output, QTextStream& err,
                  FileWrites& calls);
