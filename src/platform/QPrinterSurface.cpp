#include "platform/QPrinterSurface.h"

#include "app/Colour.h"
#include "card/SafeFileWrite.h"
#include "platform/Spooler.h"
#include "platform/SurfacePen.h"

#include <QBuffer>
#include <QDir>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryFile>

namespace {

constexpr double PageDpi = 600;

// Qt's PDF writer gives the page box in whole points (595 x 842); A4 is 595.28 x 841.89.
// Its drawing counts from the top of that box, so the exact box keeps the top at 842 and
// starts 0.11 pt higher. Written in as many bytes as Qt's, so that the file's cross-reference
// offsets stay right.
QByteArray exactA4(QByteArray pdf) {
    pdf.replace("[0 0 595.000000 842.000000]", "[0 .1102 595.2756 842.0000]");
    pdf.replace("[0 0 842.000000 595.000000]", "[0 -.276 841.8898 595.0000]");
    return pdf;
}

} // namespace

QPrinterSurface::QPrinterSurface(Target target) : target_(target) {
    font_.setPointSizeF(8.25);
}

QPrinterSurface::QPrinterSurface(Spooler& spooler) : QPrinterSurface(Target::Spooler) {
    spooler_ = &spooler;
}

std::unique_ptr<QPrinterSurface> QPrinterSurface::pdfFile(const QString& path, FileWrites& calls) {
    return pdfOutput([path, &calls](const QByteArray& pdf) { return replaceFileContent(path, pdf, calls); });
}

std::unique_ptr<QPrinterSurface> QPrinterSurface::pdfOutput(std::function<bool(const QByteArray&)> deliver) {
    std::unique_ptr<QPrinterSurface> s(new QPrinterSurface(Target::PdfFile));
    s->deliverPdf_ = std::move(deliver);
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

void QPrinterSurface::openPdf(QIODevice&) {
    // The page is made in memory and written out whole at EndDoc, once its box is exact.
    pdfBytes_.setData(QByteArray());
    pdfBytes_.open(QIODevice::WriteOnly);
    writer_ = std::make_unique<QPdfWriter>(&pdfBytes_);
    writer_->setResolution(int(PageDpi));
    writer_->setCreator(QStringLiteral("Kalimo"));
    writer_->setTitle(jobTitle_);
    paintDevice_ = writer_.get();
    resolution_ = PageDpi;
}

void QPrinterSurface::open() {
    if (painter_.isActive())
        return;
    finished_.reset();
    // The whole sheet is the program's: a queue's hardware margins never refuse or move it.
    QPageLayout page(QPageSize(QPageSize::A4),
                     orientation_ == 2 ? QPageLayout::Landscape : QPageLayout::Portrait,
                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter, QMarginsF(0, 0, 0, 0));
    page.setMode(QPageLayout::FullPageMode);
    switch (target_) {
    case Target::Spooler:
        // Empty: the default printer, found (or missed, with its reason) when the page is sent.
        queue_ = spooler_->currentPrinter();
        spoolFile_ =
            std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/kalimo-XXXXXX.pdf"));
        if (!spoolFile_->open())
            throw PrinterError("cannot create the spool file");
        openPdf(*spoolFile_);
        break;
    case Target::PdfFile:
        // The page is kept in memory and written out whole when the job ends.
        pdfFile_ = std::make_unique<QBuffer>();
        pdfFile_->open(QIODevice::WriteOnly);
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

void QPrinterSurface::fillBox(double x1, double y1, double x2, double y2, quint32 colour) {
    open();
    const double k = dotsPerMm();
    // A filled path, not a stroke: the page keeps it as a vector.
    painter_.fillRect(QRectF(QPointF(x1 * k, y1 * k), QPointF(x2 * k, y2 * k)).normalized(),
                      colour::onCard(colour));
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
    if (writer_) {
        writer_.reset();
        pdfBytes_.close();
        const QByteArray pdf = exactA4(pdfBytes_.data());
        QIODevice* file =
            target_ == Target::Spooler ? static_cast<QIODevice*>(spoolFile_.get()) : pdfFile_.get();
        if (file->write(pdf) != pdf.size()) {
            reset();
            throw PrinterError("cannot write the page");
        }
    }
    switch (target_) {
    case Target::Spooler: {
        if (!spoolFile_->flush()) {
            reset();
            throw PrinterError("cannot write the page");
        }
        spoolFile_->close();
        auto document = std::make_shared<SpoolDocument>();
        document->queue = queue_;
        document->title = jobTitle_;
        document->orientation = orientation_;
        document->path = spoolFile_->fileName();
        document->keepFile = std::shared_ptr<QTemporaryFile>(std::move(spoolFile_));
        reset();
        finished_ = std::move(document);
        break;
    }
    case Target::PdfFile: {
        const QByteArray pdf = pdfFile_->data();
        reset();
        const bool written = deliverPdf_(pdf);
        if (!written)
            throw PrinterError("cannot write the PDF file");
        break;
    }
    case Target::Device:
        reset();
        break;
    }
}

void QPrinterSurface::newPage() {
    open();
    if (!paintDevice_->newPage())
        throw PrinterError("cannot start a new page");
}

void QPrinterSurface::killDoc() {
    if (painter_.isActive())
        painter_.end();
    reset();
}

void QPrinterSurface::reset() {
    if (painter_.isActive())
        painter_.end();
    writer_.reset();
    pdfBytes_.close();
    pdfBytes_.setData(QByteArray());
    pdfFile_.reset();
    spoolFile_.reset();
    paintDevice_ = nullptr;
    queue_.clear();
}
