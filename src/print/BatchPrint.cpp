#include "print/BatchPrint.h"

#include "app/CommandLine.h"
#include "app/Module1.h"
#include "platform/CupsSpooler.h"
#include "platform/QPrinterSurface.h"
#include "platform/QtPictureLoader.h"
#include "platform/StreamMessageBoxes.h"
#include "print/BatchInputs.h"
#include "print/CardDrawing.h"
#include "print/DecoupeLignes.h"
#include "print/PdfOutput.h"
#include "print/PrintJobs.h"
#include "print/PrintProgress.h"

#include <QFileInfo>
#include <QTextStream>

namespace {

bool runJob(Module1& m, const BatchPrintRequest& r, PrinterSurface& surface, MessageBoxes& messages) {
    NoPrintProgress progress;
    const PrintContext context{m, surface, messages, progress};
    if (r.position > 0) {
        m.cardOrigin = cellOrigin(m.layout, r.position);
        return Imprim1Carte(context);
    }
    if (r.copies >= 0)
        m.layout.cardCount = qint16(r.copies);
    return Imprim10Cartes(context);
}

} // namespace

int runBatchPrint(const BatchPrintRequest& r, const QString& currentFolder, QTextStream& err,
                  FileWrites& calls) {
    StreamMessageBoxes messages(err);
    const QString cardPath =
        r.cardArgument.isEmpty() ? QString() : cardPathFromArgument(r.cardArgument, currentFolder);
    PdfOutput output;
    if (!r.toSpooler) {
        output = PdfOutput::check(r.pdfPath, {cardPath, r.layoutPath}, r.force);
        if (output.kind == PdfOutput::Kind::Refused) {
            err << output.refusal << '\n';
            return 1;
        }
    }
    Module1 m;
    useStartupCard(m.card);
    if (!r.cardArgument.isEmpty()) {
        QtPictureLoader pictures;
        if (!loadBatchCard(cardPath, m.card, pictures, messages))
            return 1;
    }
    if (!r.layoutPath.isEmpty() && !loadBatchLayout(r.layoutPath, m.layout, messages))
        return 1;
    int zone = 0;
    if (!DecoupeLignes(m.card, m.zonePrintLines, &zone)) {
        messages.error(zoneTooLongMessage(zone));
        return 1;
    }
    const QString title =
        m.card.FilePath.isEmpty() ? QStringLiteral("Kalimo") : QFileInfo(m.card.FilePath).fileName();

    if (!r.toSpooler) {
        auto surface = output.kind == PdfOutput::Kind::StandardOutput
                           ? QPrinterSurface::pdfOutput(writeToStandardOutput)
                           : QPrinterSurface::pdfFile(r.pdfPath, calls);
        surface->setJobTitle(title);
        if (!runJob(m, r, *surface, messages)) {
            err << (output.kind == PdfOutput::Kind::StandardOutput
                        ? QStringLiteral("La page n'a pas pu être écrite sur la sortie standard.")
                        : QStringLiteral("Le fichier %1 n'a pas pu être écrit.").arg(r.pdfPath))
                << '\n';
            return 1;
        }
        return 0;
    }
    CupsSpooler spooler;
    if (!r.printer.isEmpty()) {
        if (!spooler.printers().contains(r.printer)) {
            messages.error(QStringLiteral("Imprimante ") + r.printer + QStringLiteral(" non trouvée !"));
            return 1;
        }
        spooler.setCurrentPrinter(r.printer);
    } else if (spooler.currentPrinter().isEmpty()) {
        // The job fails with its own message; say also why.
        err << QStringLiteral("Aucune imprimante n'est installée.") << '\n';
    }
    QPrinterSurface surface(spooler);
    surface.setJobTitle(title);
    return runJob(m, r, surface, messages) ? 0 : 1;
}
