#include "print/BatchOutput.h"

#include "platform/CupsSpooler.h"
#include "platform/QPrinterSurface.h"
#include "print/BatchPrint.h"
#include "print/PdfOutput.h"
#include "print/SpoolHandOff.h"

#include <QFileInfo>
#include <QTextStream>

int sendBatchOutput(const BatchPrintRequest& r, const PdfOutput& output, const QString& cardPath,
                    FileWrites& calls, QTextStream& err, bool severalPages,
                    const std::function<bool(PrinterSurface&)>& draw) {
    const QString title = cardPath.isEmpty() ? QStringLiteral("Kalimo") : QFileInfo(cardPath).fileName();
    if (!r.toSpooler) {
        auto surface = output.kind == PdfOutput::Kind::StandardOutput
                           ? QPrinterSurface::pdfOutput(writeToStandardOutput)
                           : QPrinterSurface::pdfFile(r.pdfPath, calls);
        surface->setJobTitle(title);
        if (draw(*surface))
            return 0;
        if (output.kind != PdfOutput::Kind::StandardOutput)
            err << QStringLiteral("Le fichier %1 n'a pas pu être écrit.").arg(r.pdfPath) << '\n';
        else if (severalPages)
            err << QStringLiteral("Les pages n'ont pas pu être écrites sur la sortie standard.") << '\n';
        else
            err << QStringLiteral("La page n'a pas pu être écrite sur la sortie standard.") << '\n';
        return 1;
    }
    CupsSpooler spooler;
    // Empty: the default printer, whose absence the hand-off explains.
    spooler.setCurrentPrinter(r.printer);
    QPrinterSurface surface(spooler);
    surface.setJobTitle(title);
    if (!draw(surface))
        return 1;
    const std::shared_ptr<SpoolDocument> document = surface.takeDocument();
    if (!document) // an empty page: nothing to send
        return 0;
    const std::atomic<bool> never{false};
    const SpoolOutcome outcome = SpoolHandOff(spooler).run(*document, never);
    if (!outcome.message.isEmpty())
        err << outcome.message << '\n';
    return exitCodeFor(outcome);
}
