#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

class QPainter;

// Text laid out in millimetres, the same on every device. The font is loaded at one large
// pixel size and scaled down when drawn, so a point size reaches the page unrounded and the
// screen, the preview and the PDF put every line at the same place.
class CardText {
public:
    CardText(const QString& family, double points, bool bold, bool italic);
    // From a surface's current font: its family, point size, bold and italic.
    explicit CardText(const QFont& current)
        : CardText(current.family(), current.pointSizeF(), current.bold(), current.italic()) {}

    double lineHeight() const;               // millimetres
    double width(const QString& line) const; // millimetres, one line without CR or LF
    // A surface's TextWidth: the widest line of the string, CR and LF only separating lines.
    double textWidth(const QString& text) const;
    // A surface's TextHeight: one line height per line, each CR ending a line.
    double textHeight(const QString& text) const;
    // Draws the lines from a top-left corner in millimetres, k device pixels per millimetre;
    // an opaque background is white behind each line's advance.
    void draw(QPainter& painter, double k, double xMm, double yMm, const QStringList& lines,
              const QColor& colour, bool opaqueBackground) const;

    // A string's printed lines: lines break at CR (a CR LF pair counts once); an LF alone is
    // never drawn.
    static QStringList printedLines(const QString& text);
    // Its measured lines: CR and LF both end a line.
    static QStringList measuredLines(const QString& text);

private:
    QFont font_;
    double mmPerPixel_;
};
