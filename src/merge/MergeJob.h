#pragma once

#include "app/CardModel.h"
#include "merge/CsvTable.h"
#include "merge/SheetFilling.h"
#include "setup/PrintLayout.h"

#include <functional>
#include <vector>

class PrinterSurface;

// One run of the card over chosen rows: every sheet goes into one document, so one PDF or one
// spooler job.
struct MergeJob {
    const CardDocument& card; // with its fields
    const PrintLayout& layout;
    const CsvTable& table;
    std::vector<int> rows; // indexes into table.rows, in the order printed
    SheetFilling filling;
};

enum class MergeOutcome { Done, Failed, Cancelled };

// Told after each card drawn (done of total); answers false to stop the run.
using MergeProgress = std::function<bool(int done, int total)>;

// Draws every sheet and ends the document. A failure or a stop abandons the whole document:
// nothing of it reaches the paper or the file. Rows must have been checked (rowProblems).
MergeOutcome runMergeJob(PrinterSurface& surface, const MergeJob& job, const MergeProgress& progress = {});
