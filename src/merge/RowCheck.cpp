#include "merge/RowCheck.h"

#include "app/CardTroubles.h"
#include "merge/MergeFields.h"
#include "platform/ScreenSurface.h"
#include "print/CardDrawing.h"
#include "print/DecoupeLignes.h"
#include "print/PrintJobs.h"
#include "qrcode/ContactCodeWarnings.h"

#include <exception>

namespace {

// The card's drawing measured as a page of cards prints it.
DrawnCard measure(const CardDocument& card, const PrintLayout& layout, std::array<ZonePrintLines, 3>& lines) {
    ScreenSurface surface(nullptr, 1);
    DrawnCard drawn;
    try {
        surface.setScaleMode(6);
        surface.setTransparentText(true);
        surface.setLineWidthDots(PageLineDots);
        drawCard(surface, {card, layout, lines}, CardOrigin{}, DrawOrder::DecorationsFirst, &drawn);
    } catch (const std::exception&) {
        // A font the surface refuses: printing says so for the whole job.
    }
    return drawn;
}

} // namespace

QStringList rowProblems(const CardDocument& card, const PrintLayout& layout, const CsvTable& table,
                        const CsvRow& row) {
    QStringList out;
    if (row.values.size() > table.fields.size())
        out << QStringLiteral("%1 valeurs pour %2 champs : un séparateur de trop ?")
                   .arg(row.values.size())
                   .arg(table.fields.size());
    int tooLong = 0;
    std::array<ZonePrintLines, 3> lines;
    if (!DecoupeLignes(card, lines, &tooLong)) {
        out << QStringLiteral("La zone %1 compte plus de %2 lignes.")
                   .arg(tooLong)
                   .arg(ZonePrintLines::MaxLines);
        return out;
    }
    for (const CardTrouble& t : findTroubles(measure(card, layout, lines)))
        if (t.kind == TroubleKind::PastEdge)
            out << t.message;
    return out;
}

MergeCheck checkMerge(const CardDocument& card, const PrintLayout& layout, const CsvTable& table) {
    MergeCheck check;
    check.missingFields = mergefields::missingFields(card, table);
    check.problems.reserve(table.rows.size());
    check.warnings.reserve(table.rows.size());
    for (const CsvRow& row : table.rows) {
        const CardDocument filled = mergefields::cardForRow(card, table, row);
        check.problems.push_back(rowProblems(filled, layout, table, row));
        // Each row's details make its own code, so each may come out too small.
        check.warnings.push_back(codewarning::forCard(filled));
    }
    return check;
}
