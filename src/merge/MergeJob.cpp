#include "merge/MergeJob.h"

#include "merge/MergeFields.h"
#include "platform/PrinterSurface.h"
#include "print/CardDrawing.h"
#include "print/DecoupeLignes.h"
#include "print/PrintJobs.h"

#include <exception>

namespace {

struct Stopped {};

void drawSheets(PrinterSurface& s, const MergeJob& job, const MergeProgress& progress) {
    s.setOrientation(1);
    s.setScaleMode(6);
    s.setTransparentText(true);
    s.setLineWidthDots(PageLineDots);
    const std::vector<CardPlacement> placements = placeCards(job.filling, int(job.rows.size()));
    int sheet = 0;
    int filledRow = -1;
    CardDocument filled;
    std::array<ZonePrintLines, 3> lines;
    for (std::size_t i = 0; i < placements.size(); ++i) {
        const CardPlacement& p = placements[i];
        if (p.sheet != sheet) {
            s.newPage();
            sheet = p.sheet;
        }
        if (p.row != filledRow) {
            filled = mergefields::cardForRow(job.card, job.table,
                                             job.table.rows.at(std::size_t(job.rows.at(std::size_t(p.row)))));
            filledRow = p.row;
        }
        // Drawing uses up the lines' leading LF: each card is cut afresh.
        if (!DecoupeLignes(filled, lines))
            throw PrinterError("a zone of too many lines");
        drawCard(s, {filled, job.layout, lines}, cellOrigin(job.layout, p.cell), DrawOrder::DecorationsFirst);
        if (progress && !progress(int(i + 1), int(placements.size())))
            throw Stopped{};
    }
}

void abandon(PrinterSurface& s) {
    try {
        s.killDoc();
    } catch (const std::exception&) {
    }
}

} // namespace

MergeOutcome runMergeJob(PrinterSurface& s, const MergeJob& job, const MergeProgress& progress) {
    try {
        drawSheets(s, job, progress);
        s.endDoc();
        return MergeOutcome::Done;
    } catch (const Stopped&) {
        abandon(s);
        return MergeOutcome::Cancelled;
    } catch (const std::exception&) {
        abandon(s);
        return MergeOutcome::Failed;
    }
}
