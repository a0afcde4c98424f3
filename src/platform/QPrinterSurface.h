#pragma once

#include "platform/CardText.h"
#include "platform/FileWrites.h"
#include "platform/PrinterSurface.h"

#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPainter>
#include <QPen>
#include <functional>
#include <memory>

class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;
class QBuffer;
class QTemporaryFile;
class Spooler;

// The printer surface over QPainter: one A4 page addressed in millimetres from the paper's
// corner, with no printer margins. The page is painted as PDF and only leaves the program
// at EndDoc, so KillDoc abandons a job without a trace. Three destinations:
// - the application's current printer: EndDoc finishes the PDF for that queue, and the
//   caller sends it (takeDocument);
// - a PDF file, replaced only when the job ends;
// - a QPrinter handed over by the caller (the print preview), painted and nothing more.
class QPrinterSurface : public PrinterSurface {
public:
    explicit QPrinterSurface(Spooler& spooler);
    // The file is replaced by replaceFileContent() through calls.
    static std::unique_ptr<QPrinterSurface> pdfFile(const QString& path,
                                                    FileWrites& calls = systemFileWrites());
    // The finished PDF goes to deliver, which says whether it got there (standard output).
    static std::unique_ptr<QPrinterSurface> pdfOutput(std::function<bool(const QByteArray&)> deliver);
    static std::unique_ptr<QPrinterSurface> device(QPrinter& printer);
    ~QPrinterSurface() override;

    // The job's name in the spooler's queue.
    void setJobTitle(const QString& title) { jobTitle_ = title; }

    int orientation() override { return orientation_; }
    void setOrientation(int value) override;
    void setScaleMode(int value) override;
    void setTransparentText(bool value) override { transparentText_ = value; }
    void setLineWidthDots(int dots) override { lineWidthDots_ = dots; }

    void setFontName(const QString& name) override { font_.setFamily(name); }
    void setFontSize(float points) override;
    void setFontBold(bool value) override { font_.setBold(value); }
    void setFontItalic(bool value) override { font_.setItalic(value); }
    void setForeColor(quint32 value) override { foreColor_ = value; }

    void setCurrentX(double mm) override { x_ = mm; }
    void setCurrentY(double mm) override { y_ = mm; }
    double currentX() const override { return x_; }
    double currentY() const override { return y_; }
    void setDrawStyle(int style) override { drawStyle_ = style; }

    void line(double x1, double y1, double x2, double y2, quint32 colour) override;
    void fillBox(double x1, double y1, double x2, double y2, quint32 colour) override;
    void paintPicture(const Picture& picture, double x, double y, double width, double height) override;
    void print(const QString& text) override;
    double textWidth(const QString& text) override;
    double textHeight(const QString& text) override;

    void endDoc() override;
    void killDoc() override;
    void newPage() override;
    std::shared_ptr<SpoolDocument> takeDocument() override { return std::move(finished_); }

private:
    enum class Target { Spooler, PdfFile, Device };
    explicit QPrinterSurface(Target target);

    // Opens the document at the first call that needs the page.
    void open();
    void openPdf(QIODevice& file);
    // Ends the painting; the document is then handed on or dropped by the caller.
    void finishPainting();
    void reset();
    double dotsPerMm() const { return resolution_ / 25.4; }

    Target target_;
    Spooler* spooler_ = nullptr;
    std::function<bool(const QByteArray&)> deliverPdf_;
    QPrinter* printer_ = nullptr;
    QString jobTitle_ = QStringLiteral("Kalimo");

    // The open document.
    QString queue_;
    std::unique_ptr<QTemporaryFile> spoolFile_;
    std::shared_ptr<SpoolDocument> finished_; // the last page finished for the queue
    std::unique_ptr<QBuffer> pdfFile_;
    std::unique_ptr<QPdfWriter> writer_;
    QBuffer pdfBytes_; // the PDF page, until EndDoc writes it out
    QPagedPaintDevice* paintDevice_ = nullptr;
    QPainter painter_;
    double resolution_ = 600;

    int orientation_ = 1;
    bool transparentText_ = false;
    int lineWidthDots_ = 1;
    QFont font_;
    quint32 foreColor_ = 0;
    int drawStyle_ = 0;
    double x_ = 0;
    double y_ = 0;
};
