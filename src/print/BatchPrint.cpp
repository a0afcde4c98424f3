#include "print/BatchPrint.h"

#include "app/CommandLine.h"
#include "app/Module1.h"
#include "merge/BatchMerge.h"
#include "platform/QPrinterSurface.h"
#include "platform/QtPictureLoader.h"
#include "platform/StreamMessageBoxes.h"
#include "print/BatchInputs.h"
#include "print/BatchOutput.h"
#include "print/CalibrationPage.h"
#include "print/CardDrawing.h"
#include "print/DecoupeLignes.h"
#include "print/PdfOutput.h"
#include "print/PrintJobs.h"
#include "print/PrintProgress.h"
#include "qrcode/ContactCodeWarnings.h"

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
        output = PdfOutput::check(r.pdfPath, {cardPath, r.layoutPath, r.mergePath}, r.force);
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
    if (r.calibration) {
        auto surface = QPrinterSurface::pdfFile(r.pdfPath);
        surface->setJobTitle(QStringLiteral("Calibration"));
        NoPrintProgress progress;
        const PrintContext context{m, *surface, messages, progress};
        if (!runPrintJob(context, calibration::LineDots,
                         [&] { calibration::drawPage(*surface, m.layout); })) {
            err << QStringLiteral("Le fichier %1 n'a pas pu être écrit.").arg(r.pdfPath) << '\n';
            return 1;
        }
        return 0;
    }
    if (!r.mergePath.isEmpty())
        return runBatchMerge(r, m, output, err, calls);
    int zone = 0;
    if (!DecoupeLignes(m.card, m.zonePrintLines, &zone)) {
        messages.error(zoneTooLongMessage(zone));
        return 1;
    }
    // Printed all the same, as after a "Oui" to the window's warned question.
    for (const QString& warning : codewarning::forCard(m.card))
        err << QStringLiteral("Attention : ") << warning << '\n';
    // A page of no card sends nothing; say so rather than let it pass for a print.
    if (r.toSpooler && r.position == 0 && (r.copies >= 0 ? r.copies : m.layout.cardCount) == 0) {
        err << QStringLiteral("Aucune carte à imprimer (--copies 0) : rien n'a été envoyé à l'imprimante.")
            << '\n';
        return 1;
    }
    return sendBatchOutput(r, output, m.card.FilePath, calls, err, false,
                           [&](PrinterSurface& surface) { return runJob(m, r, surface, messages); });
}
