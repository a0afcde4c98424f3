#pragma once

#include "platform/FileWrites.h"

#include <QString>
#include <functional>

struct BatchPrintRequest;
struct PdfOutput;
class PrinterSurface;
class QTextStream;

// Hands what draw puts on a surface to the command line's output: the PDF file or standard
// output, or one spooler job followed until the printer takes it. The job is named after the
// card file. draw says whether the drawing went through; a PDF that could not be written is
// said on err ("the page" or, with severalPages, "the pages"). Returns the exit code.
int sendBatchOutput(const BatchPrintRequest& r, const PdfOutput& output, const QString& cardPath,
                    FileWrites& calls, QTextStream& err, bool severalPages,
                    const std::function<bool(PrinterSurface&)>& draw);
