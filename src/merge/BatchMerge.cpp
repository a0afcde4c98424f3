#include "merge/BatchMerge.h"

#include "app/Module1.h"
#include "merge/MergeJob.h"
#include "merge/RowCheck.h"
#include "platform/CupsSpooler.h"
#include "platform/QPrinterSurface.h"
#include "print/BatchPrint.h"
#include "print/PdfOutput.h"
#include "print/PrintJobs.h"
#include "print/SpoolHandOff.h"

#include <QFileInfo>
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
    const QString title =
        m.card.FilePath.isEmpty() ? QStringLiteral("Kalimo") : QFileInfo(m.card.FilePath).fileName();
    if (!r.toSpooler) {
        auto surface = output.kind == PdfOutput::Kind::StandardOutput
                           ? QPrinterSurface::pdfOutput(writeToStandardOutput)
                           : QPrinterSurface::pdfFile(r.pdfPath, calls);
        surface->setJobTitle(title);
        if (runMergeJob(*surface, job) != MergeOutcome::Done) {
            err << (output.kind == PdfOutput::Kind::StandardOutput
                        ? QStringLiteral("Les pages n'ont pas pu être écrites sur la sortie standard.")
                        : QStringLiteral("Le fichier %1 n'a pas pu être écrit.").arg(r.pdfPath))
                << '\n';
            return 1;
        }
        return 0;
    }
    CupsSpooler spooler;
    spooler.setCurrentPrinter(r.printer);
    QPrinterSurface surface(spooler);
    surface.setJobTitle(title);
    if (runMergeJob(surface, job) != MergeOutcome::Done) {
        err << QString::fromUtf8(PrintFailureMessage) << '\n';
        return 1;
    }
    const std::shared_ptr<SpoolDocument> document = surface.takeDocument();
    if (!document)
        return 0;
    const std::atomic<bool> never{false};
    const SpoolOutcome outcome = SpoolHandOff(spooler).run(*document, never);
    if (!outcome.message.isEmpty())
        err << outcome.message << '\n';
    return exitCodeFor(outcome);
}
