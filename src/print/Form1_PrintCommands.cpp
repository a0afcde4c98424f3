// The print command, its cancel, the preview and the PDF export.
#include "app/Form1.h"
#include "app/Module1.h"
#include "platform/Platform.h"
#include "platform/QPrinterSurface.h"
#include "platform/SaveChoice.h"
#include "print/CalibrationPage.h"
#include "print/DecoupeLignes.h"
#include "print/FrameProgress.h"
#include "print/PrintConfirmation.h"
#include "print/PrintJobs.h"
#include "print/SpoolWatcher.h"
#include "qrcode/ContactCodeWarnings.h"
#include "setup/Form2.h"
#include "setup/PrintSetupMenus.h"

#include <QAction>
#include <QCoreApplication>
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

// The page goes to the spooler off the interface thread; Frame2 stays up while it does and
// its cancel withdraws the job. Only a result that is no plain print is worth a message.
void sendToSpooler(Form1& w, std::shared_ptr<SpoolDocument> document) {
    auto* watcher = new SpoolWatcher(*w.platform().spooler, std::move(document), &w);
    watcher->setObjectName(QStringLiteral("SpoolWatcher"));
    QGroupBox* frame = w.Frame2;
    QObject::connect(watcher, &SpoolWatcher::progressed, frame,
                     [frame](const QString& state) { frame->setTitle(state); });
    QObject::connect(watcher, &SpoolWatcher::finished, &w, [&w, watcher, frame](const SpoolOutcome& o) {
        frame->setTitle(QStringLiteral("Impression en cours"));
        watcher->setObjectName(QString()); // no longer sending
        if (w.findChildren<SpoolWatcher*>(QStringLiteral("SpoolWatcher")).isEmpty())
            frame->hide();
        watcher->deleteLater();
        MessageBoxes& messages = *w.platform().messages;
        if (o.kind == SpoolOutcome::Kind::Failed)
            messages.error(o.message);
        else if (o.kind == SpoolOutcome::Kind::Waiting)
            messages.show({o.message, QStringLiteral("Impression"), MsgButtons::Ok, MsgIcon::Exclamation, 1});
    });
    frame->show();
    watcher->start();
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

// The job of the current request on the application's printer, then off to the spooler.
static void printOnPrinter(Form1& w) {
    if (w.module().request.mode == 1)
        w.Imprim10Cartes();
    else
        w.Imprim1Carte();
    std::shared_ptr<SpoolDocument> document = w.platform().printer->takeDocument();
    afterJob(w);
    if (document)
        sendToSpooler(w, std::move(document));
}

void Form1::Mnu_Imprimer_Click() {
    if (!askPrintSetup(*this))
        return;
    const MessageRequest question = printConfirmation(m_.request, m_.layout);
    if (p_.messages->show(codewarning::withWarnings(question, m_.card)) != MsgAnswer::Yes)
        return;
    if (!prepareLines(*this))
        return;
    printOnPrinter(*this);
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
    for (SpoolWatcher* sending : findChildren<SpoolWatcher*>())
        sending->cancel();
    Frame2->hide();
}

void Form1::Mnu_Apercu_Click() {
    if (!askPrintSetup(*this) || !prepareLines(*this))
        return;
    // The preview paints the very page the PDF export writes: a PDF printer has no hardware
    // margins, whatever the current queue's are.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
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
    // Its print button runs the program's own job on the current printer; its page set-up,
    // which would only change the preview, goes.
    bool print = false;
    const auto translated = [](const char* text) {
        return QCoreApplication::translate("QPrintPreviewDialog", text);
    };
    for (QAction* action : preview.findChildren<QAction*>()) {
        if (action->text() == translated("Page setup")) {
            action->setVisible(false);
        } else if (action->text() == translated("Print")) {
            action->setObjectName(QStringLiteral("ApercuImprimer"));
            QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, &preview, [&preview, &print] {
                print = true;
                preview.accept();
            });
        }
    }
    preview.exec();
    afterJob(*this);
    if (print && prepareLines(*this))
        printOnPrinter(*this);
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

void printCalibrationPage(Form1& w) {
    Platform& p = w.platform();
    const MessageRequest ask{QStringLiteral("Imprimer la page de calibration des paramètres en cours ?"),
                             QStringLiteral("Calibration"), MsgButtons::YesNo, MsgIcon::Question, 1};
    if (p.messages->show(ask) != MsgAnswer::Yes)
        return;
    FrameProgress progress(w.Frame2);
    const PrintContext context{w.module(), *p.printer, *p.messages, progress};
    runPrintJob(context, calibration::LineDots,
                [&] { calibration::drawPage(*p.printer, w.module().layout); });
    std::shared_ptr<SpoolDocument> document = p.printer->takeDocument();
    w.Frame2->hide();
    if (document)
        sendToSpooler(w, std::move(document));
}
