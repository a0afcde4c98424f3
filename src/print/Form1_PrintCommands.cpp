// The print command, its cancel, the preview and the PDF export.
#include "app/Form1.h"
#include "app/Module1.h"
#include "platform/Platform.h"
#include "platform/QPrinterSurface.h"
#include "platform/SaveChoice.h"
#include "print/DecoupeLignes.h"
#include "print/FrameProgress.h"
#include "print/PrintConfirmation.h"
#include "print/PrintJobs.h"
#include "setup/Form2.h"

#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <exception>

namespace {

// The set-up dialog, modal. False when the person cancelled it or chose no card to print.
bool askPrintSetup(Form1& w) {
    Module1& m = w.module();
    w.form2().exec();
    if (m.request.cancelled == 1) {
        m.request.cancelled = 0;
        return false;
    }
    // The single card prints at the origin its click stored: without a click there is none.
    if (positionMissing(m.request)) {
        w.platform().messages->show(positionMissingMessage());
        return false;
    }
    return true;
}

// The print lines of the three zones; a zone too long to print stops here, before any job.
bool prepareLines(Form1& w) {
    Module1& m = w.module();
    int zone = 0;
    if (DecoupeLignes(m.card, m.zonePrintLines, &zone))
        return true;
    w.platform().messages->show(
        {zoneTooLongMessage(zone), QStringLiteral("Impression"), MsgButtons::Ok, MsgIcon::Exclamation, 1});
    return false;
}

void runJob(Form1& w, PrinterSurface& surface) {
    FrameProgress progress(w.Frame2);
    const PrintContext context{w.module(), surface, *w.platform().messages, progress};
    if (w.module().request.mode == 1)
        Imprim10Cartes(context);
    else
        Imprim1Carte(context);
}

// Done after every job, failed ones included.
void afterJob(Form1& w) {
    w.Frame2->hide();
    CardLogo& logo = w.module().card.Logo;
    logo.boxTwips.setHeight(TwipsPerMm * logo.Height);
    logo.boxTwips.setWidth(TwipsPerMm * logo.Width);
    w.placeLogoBox();
}

// Beside the card, named after it.
QString pdfNameFor(const QString& cardPath) {
    const QFileInfo card(cardPath);
    const QString base = card.completeBaseName();
    if (base.isEmpty())
        return QStringLiteral("Cartes.pdf");
    const QString name = base + QStringLiteral(".pdf");
    return card.isAbsolute() ? card.dir().filePath(name) : name;
}

} // namespace

void Form1::Imprim10Cartes() {
    FrameProgress progress(Frame2);
    ::Imprim10Cartes({m_, *p_.printer, *p_.messages, progress});
}

void Form1::Imprim1Carte() {
    FrameProgress progress(Frame2);
    ::Imprim1Carte({m_, *p_.printer, *p_.messages, progress});
}

void Form1::Mnu_Imprimer_Click() {
    if (!askPrintSetup(*this))
        return;
    if (p_.messages->show(printConfirmation(m_.request, m_.layout)) != MsgAnswer::Yes)
        return;
    if (!prepareLines(*this))
        return;
    if (m_.request.mode == 1)
        Imprim10Cartes();
    else
        Imprim1Carte();
    afterJob(*this);
}

void Form1::Command5_Click() {
    Mnu_Imprimer_Click();
}

void Form1::Command8_Click() {
    // Abandoning a job that is already gone is no error.
    try {
        p_.printer->killDoc();
    } catch (const std::exception&) {
    }
    Frame2->hide();
}

void Form1::Mnu_Apercu_Click() {
    if (!askPrintSetup(*this) || !prepareLines(*this))
        return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName(QStringLiteral("Apercu"));
    preview.setWindowTitle(QStringLiteral("Aperçu avant impression"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) {
        // Every repaint prints the page again from the card's lines.
        if (!DecoupeLignes(m_.card, m_.zonePrintLines))
            return;
        auto surface = QPrinterSurface::device(*target);
        runJob(*this, *surface);
    });
    preview.exec();
    afterJob(*this);
}

void Form1::Mnu_ExportPdf_Click() {
    if (!askPrintSetup(*this))
        return;
    FileDialogRequest request;
    request.title = QStringLiteral("Exporter en PDF");
    request.filter = QStringLiteral("Documents PDF (*.pdf)|*.pdf");
    request.initialName = pdfNameFor(m_.card.FilePath);
    request.askBeforeReplacing = true;
    request.defaultSuffix = QStringLiteral("pdf");
    // The replace question is asked for the name the PDF will have, ".pdf" included.
    const FileDialogResult chosen = chooseSavePath(*p_.files, *p_.messages, request);
    if (chosen.cancelled)
        return;
    const QString path = chosen.path;
    if (!prepareLines(*this))
        return;
    auto surface = QPrinterSurface::pdfFile(path);
    surface->setJobTitle(QFileInfo(path).fileName());
    runJob(*this, *surface);
    afterJob(*this);
}
