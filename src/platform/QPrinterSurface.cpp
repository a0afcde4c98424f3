#include "platform/QPrinterSurface.h"

#include "app/Colour.h"
#include "card/SafeFileWrite.h"
#include "platform/Spooler.h"

#include <QBuffer>
#include <QDir>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryFile>
#include <cups/cups.h>

namespace {

// Lines break at CR (a CR LF pair counts once); an LF alone is never drawn.
QStringList printedLines(const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\r"));
    t.remove(QLatin1Char('\n'));
    return t.split(QLatin1Char('\r'));
}

constexpr double PageDpi = 600;

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

QFont QPrinterSurface::deviceFont() const {
    // The painter draws in device pixels, so the point size keeps its size on paper.
    QFont f(font_, paintDevice_);
    return f;
}

QPen QPrinterSurface::pen(quint32 colour) const {
    const double widthMm = lineWidthDots_ * 25.4 / 600;
    QPen p(colour::resolve(colour, QGuiApplication::palette()));
    p.setWidthF(std::max(widthMm, 0.0) * dotsPerMm());
    switch (drawStyle_) {
    case 1:
        p.setStyle(Qt::DashLine);
        break;
    case 2:
        p.setStyle(Qt::DotLine);
        break;
    case 3: {
        // Dash, gap, dot, gap in millimetres, so that the pattern shows at any line width.
        const double w = std::max(widthMm, 0.01);
        p.setDashPattern({1.6 / w, 0.8 / w, 0.3 / w, 0.8 / w});
        p.setCapStyle(Qt::FlatCap);
        break;
    }
    case 4:
        p.setStyle(Qt::DashDotDotLine);
        break;
    case 5:
        p.setStyle(Qt::NoPen);
        break;
    default:
        p.setStyle(Qt::SolidLine);
        break;
    }
    return p;
}

void QPrinterSurface::line(double x1, double y1, double x2, double y2, quint32 colour) {
    open();
    const double k = dotsPerMm();
    painter_.setPen(pen(colour));
    painter_.drawLine(QPointF(x1 * k, y1 * k), QPointF(x2 * k, y2 * k));
    x_ = x2;
    y_ = y2;
}

void QPrinterSurface::paintPicture(const Picture& picture, double x, double y, double width, double height) {
    open();
    const double k = dotsPerMm();
    picture.paint(painter_, QRectF(x * k, y * k, width * k, height * k));
}

void QPrinterSurface::print(const QString& text) {
    open();
    const double k = dotsPerMm();
    const QFont f = deviceFont();
    const QFontMetricsF metrics(f, paintDevice_);
    painter_.setFont(f);
    painter_.setPen(colour::resolve(foreColor_, QGuiApplication::palette()));
    double top = y_ * k;
    for (const QString& line : printedLines(text)) {
        if (!transparentText_)
            painter_.fillRect(QRectF(x_ * k, top, metrics.horizontalAdvance(line), metrics.lineSpacing()),
                              Qt::white);
        if (!line.isEmpty())
            painter_.drawText(QPointF(x_ * k, top + metrics.ascent()), line);
        top += metrics.lineSpacing();
    }
    // As after a printed line: the next one starts at the left edge, one line lower.
    x_ = 0;
    y_ = top / k;
}

double QPrinterSurface::textWidth(const QString& text) {
    open();
    const QFontMetricsF metrics(deviceFont(), paintDevice_);
    double widest = 0;
    QString t = text;
    t.replace(QLatin1Char('\n'), QLatin1Char('\r'));
    for (const QString& line : t.split(QLatin1Char('\r')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest / dotsPerMm();
}

double QPrinterSurface::textHeight(const QString& text) {
    open();
    const QFontMetricsF metrics(deviceFont(), paintDevice_);
    // Each CR ends a line: "a" CR measures two.
    return metrics.lineSpacing() * double(1 + text.count(QLatin1Char('\r'))) / dotsPerMm();
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

void QPrinterSurface::killDoc() {
    if (painter_.isActive())
        painter_.end();
    reset();
}

void QPrinterSurface::reset() {
    if (painter_.isActive())
        painter_.end();
    writer_.reset();
    pdfFile_.reset();
    spoolFile_.reset();
    paintDevice_ = nullptr;
    queue_.clear();
}
