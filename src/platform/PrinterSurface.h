#pragma once

#include "platform/Picture.h"

#include <QString>
#include <memory>
#include <stdexcept>

struct SpoolDocument;

// Raised by a printer surface when it cannot go on (no printer, spooler error, bad font).
struct PrinterError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The printer object the print jobs draw on: millimetres from the paper's corner once
// ScaleMode is 6. The first drawing call opens the document; EndDoc hands it to the
// spooler, KillDoc abandons it. Every operation may throw PrinterError.
class PrinterSurface {
public:
    virtual ~PrinterSurface() = default;

    virtual int orientation() = 0; // 1 portrait, 2 landscape
    virtual void setOrientation(int value) = 0;
    virtual void setScaleMode(int value) = 0;
    // The job's two extra settings: text drawn on a transparent background, and the
    // width of lines in dots at 600 dpi.
    virtual void setTransparentText(bool value) = 0;
    virtual void setLineWidthDots(int dots) = 0;

    virtual void setFontName(const QString& name) = 0;
    virtual void setFontSize(float points) = 0;
    virtual void setFontBold(bool value) = 0;
    virtual void setFontItalic(bool value) = 0;
    virtual void setForeColor(quint32 value) = 0;

    virtual void setCurrentX(double mm) = 0;
    virtual void setCurrentY(double mm) = 0;
    virtual double currentX() const = 0;
    virtual double currentY() const = 0;
    virtual void setDrawStyle(int style) = 0; // 0 solid, 3 dash-dot

    virtual void line(double x1, double y1, double x2, double y2, quint32 colour) = 0;
    // A box filled with the colour, corners (x1, y1) and (x2, y2), without an outline.
    virtual void fillBox(double x1, double y1, double x2, double y2, quint32 colour) = 0;
    virtual void paintPicture(const Picture& picture, double x, double y, double width, double height) = 0;
    virtual void print(const QString& text) = 0;
    virtual double textWidth(const QString& text) = 0;
    virtual double textHeight(const QString& text) = 0;

    virtual void endDoc() = 0;
    virtual void killDoc() = 0;
    // Ends the page and starts the next one of the same document; a surface that makes
    // one page only refuses.
    virtual void newPage() { throw PrinterError("one page only"); }

    // On a surface that prints to a queue, the page the last EndDoc finished, once: the
    // caller sends it to the spooler off the interface thread. Null otherwise.
    virtual std::shared_ptr<SpoolDocument> takeDocument() { return nullptr; }
};
