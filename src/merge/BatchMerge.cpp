#include "merge/BatchMerge.h"

#include "app/Module1.h"
#include "merge/MergeJob.h"
#include "merge/RowCheck.h"
#include "print/BatchOutput.h"
#include "print/BatchPrint.h"
#include "print/PdfOutput.h"
#include "print/PrintJobs.h"

#include <QTextStream>

namespace {

QString at(const QString& path, int line) {
    return QStringLiteral("%1, ligne %2 : ").arg(path).arg(line);
}

SheetFilling fillingFor(const BatchPrintRequest& r) {
    SheetFilling f;
    if (r.copies > 0) {
        f.mode = SheetFilling::Mode::CopiesPerRow;
        f.copies = r.copies;
    } else {
        f.startCell = r.position > 0 ? r.position : 1;
    }
    return f;
}

} // namespace

int runBatchMerge(const BatchPrintRequest& r, Module1& m, const PdfOutput& output, QTextStream& err,
                  FileWrites& calls) {
    if (r.copies == 0) {
        err << QStringLiteral("Aucune carte à imprimer (--copies 0) : rien n'a été imprimé.") << '\n';
        return 1;
    }
    const CsvTable table = csv::readFile(r.mergePath);
    if (!table.ok()) {
        err << table.error << '\n';
        return 1;
    }
    const MergeCheck check = checkMerge(m.card, m.layout, table);
    for (const QString& field : check.missingFields)
        err << at(r.mergePath, table.headerLine)
            << QStringLiteral("le champ «%1» de la carte n'est pas dans la liste des champs.").arg(field)
            << '\n';
    if (!check.missingFields.isEmpty())
        return 1;
    std::vector<int> rows;
    bool bad = false;
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        if (check.rowIsSound(i)) {
            rows.push_back(int(i));
            for (const QString& warning : check.warnings[i])
                err << QStringLiteral("Attention : ") << at(r.mergePath, table.rows[i].line) << warning
                    << '\n';
            continue;
        }
        bad = true;
        for (const QString& problem : check.problems[i])
            err << at(r.mergePath, table.rows[i].line) << problem
                << (r.skipBadRows ? QStringLiteral(" Ligne laissée de côté.") : QString()) << '\n';
    }
    if (bad && !r.skipBadRows) {
        err << QStringLiteral("Rien n'a été imprimé (--skip-bad-rows pour laisser ces lignes de côté).")
            << '\n';
        return 1;
    }
    if (rows.empty()) {
        err << r.mergePath << QStringLiteral(" : aucune ligne à imprimer.") << '\n';
        return 1;
    }

    const MergeJob job{m.card, m.layout, table, rows, fillingFor(r)};
    return sendBatchOutput(r, output, m.card.FilePath, calls, err, true, [&](PrinterSurface& surface) {
        if (runMergeJob(surface, job) == MergeOutcome::Done)
            return true;
        if (r.toSpooler)
            err << QString::fromUtf8(PrintFailureMessage) << '\n';
        return false;
    });
}
