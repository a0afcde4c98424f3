#include "platform/QPrinterSurface.h"

#include "app/Colour.h"
#include "platform/Spooler.h"
#include "platform/SurfacePen.h"

#include <QDir>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cups/cups.h>

namespace {

constexpr double PageDpi = 600;

} // namespace

QPrinterSurface::QPrinterSurface(Target target) : target_(target) {
    font_.setPointSizeF(8.25);
}

QPrinterSurface::QPrinterSurface(Spooler& spooler) : QPrinterSurface(Target::Spooler) {
    spooler_ = &spooler;
}

std::unique_ptr<QPrinterSurface> QPrinterSurface::pdfFile(const QString& path) {
    std::unique_ptr<QPrinterSurface> s(new QPrinterSurface(Target::PdfFile));
    s->pdfPath_ = path;
    return s;
}

std::unique_ptr<QPrinterSurface> QPrinterSurface::device(QPrinter& printer) {
    std::unique_ptr<QPrinterSurface> s(new QPrinterSurface(Target::Device));
    s->printer_ = &printer;
    return s;
}

QPrinterSurface::~QPrinterSurface() {
    reset();
}

void QPrinterSurface::setOrientation(int value) {
    if (value != 1 && value != 2)
        throw PrinterError("unknown orientation");
    // The page is laid out when the document opens; a job changes it before drawing.
    orientation_ = value;
}

void QPrinterSurface::setScaleMode(int value) {
    if (value != 6)
        throw PrinterError("only millimetres are supported");
}

void QPrinterSurface::setFontSize(float points) {
    if (!(points > 0))
        throw PrinterError("font size");
    font_.setPointSizeF(points);
}

void QPrinterSurface::openPdf(QIODevice& file) {
    writer_ = std::make_unique<QPdfWriter>(&file);
    writer_->setResolution(int(PageDpi));
    writer_->setCreator(QStringLiteral("Kalimo"));
    writer_->setTitle(jobTitle_);
    paintDevice_ = writer_.get();
    resolution_ = PageDpi;
}

void QPrinterSurface::open() {
    if (painter_.isActive())
        return;
    const QPageLayout page(QPageSize(QPageSize::A4),
                           orientation_ == 2 ? QPageLayout::Landscape : QPageLayout::Portrait,
                           QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter, QMarginsF(0, 0, 0, 0));
    switch (target_) {
    case Target::Spooler:
        queue_ = spooler_->currentPrinter();
        if (queue_.isEmpty())
            throw PrinterError("no printer");
        spoolFile_ =
            std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/kalimo-XXXXXX.pdf"));
        if (!spoolFile_->open())
            throw PrinterError("cannot create the spool file");
        openPdf(*spoolFile_);
        break;
    case Target::PdfFile:
        pdfFile_ = std::make_unique<QSaveFile>(pdfPath_);
        if (!pdfFile_->open(QIODevice::WriteOnly))
            throw PrinterError("cannot write the PDF file");
        openPdf(*pdfFile_);
        break;
    case Target::Device:
        printer_->setFullPage(true);
        paintDevice_ = printer_;
        resolution_ = printer_->resolution();
        break;
    }
    if (!paintDevice_->setPageLayout(page))
        throw PrinterError("page layout refused");
    if (!painter_.begin(paintDevice_))
        throw PrinterError("cannot start the page");
    painter_.setRenderHint(QPainter::Antialiasing);
}

void QPrinterSurface::line(double x1, double y1, double x2, double y2, quint32 colour) {
    open();
    const double k = dotsPerMm();
    painter_.setPen(surfacePen(colour, drawStyle_, lineWidthDots_, k));
    painter_.drawLine(QPointF(x1 * k, y1 * k), QPointF(x2 * k, y2 * k));
    x_ = x2;
    y_ = y2;
}

void QPrinterSurface::paintPicture(const Picture& picture, double x, double y, double width, double height) {
    open();
    const double k = dotsPerMm();
    picture.paint(painter_, QRectF(x * k, y * k, width * k, height * k));
}

void QPrinterSurface::print(const QString& line) {
    open();
    const CardText t = CardText(font_);
    const QStringList lines = CardText::printedLines(line);
    t.draw(painter_, dotsPerMm(), x_, y_, lines, colour::onCard(foreColor_), !transparentText_);
    // As after a printed line: the next one starts at the left edge, one line lower.
    x_ = 0;
    y_ += t.lineHeight() * double(lines.size());
}

double QPrinterSurface::textWidth(const QString& text) {
    open();
    return CardText(font_).textWidth(text);
}

double QPrinterSurface::textHeight(const QString& text) {
    open();
    return CardText(font_).textHeight(text);
}

void QPrinterSurface::finishPainting() {
    if (painter_.isActive() && !painter_.end()) {
        reset();
        throw PrinterError("the page could not be finished");
    }
}

void QPrinterSurface::endDoc() {
    // A PDF file is always written, even for a job that drew nothing; a printer gets
    // nothing to print then.
    if (!painter_.isActive() && target_ == Target::PdfFile)
        open();
    if (!painter_.isActive()) {
        reset();
        return;
    }
    finishPainting();
    switch (target_) {
    case Target::Spooler: {
        spoolFile_->close();
        // The page is the sheet itself: never scaled, never turned by the queue's own defaults.
        cups_option_t* options = nullptr;
        int count = 0;
        count = cupsAddOption("media", "iso_a4_210x297mm", count, &options);
        count = cupsAddOption("print-scaling", "none", count, &options);
        count = cupsAddOption("orientation-requested", orientation_ == 2 ? "4" : "3", count, &options);
        const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, queue_.toUtf8().constData(),
                                       spoolFile_->fileName().toLocal8Bit().constData(),
                                       jobTitle_.toUtf8().constData(), count, options);
        cupsFreeOptions(count, options);
        const QByteArray reason = cupsLastErrorString();
        reset();
        if (job == 0)
            throw PrinterError(reason.toStdString());
        break;
    }
    case Target::PdfFile: {
        const bool written = pdfFile_->commit();
        reset();
        if (!written)
            throw PrinterError("cannot write the PDF file");
        break;
    }
    case Target::Device:
        reset();
        break;
    }
}

void QPrinterSurface::killDoc() {
    if (painter_.isActive())
        painter_.end();
    if (pdfFile_)
        pdfFile_->cancelWriting();
    reset();
}

void QPrinterSurface::reset() {
    if (painter_.isActive())
        painter_.end();
    if (pdfFile_ && pdfFile_->isOpen())
        pdfFile_->cancelWriting();
    writer_.reset();
    pdfFile_.reset();
    spoolFile_.reset();
    paintDevice_ = nullptr;
    queue_.clear();
}
