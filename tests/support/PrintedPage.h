#pragma once

#include "setup/PrintLayout.h"

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>

// A printed PDF looked at as a person looks at the sheet: one page (the first unless told) rasterised and its
// words with their boxes, in millimetres from the paper's top-left corner (poppler tools).
class PrintedPage {
public:
    struct Word {
        QString text;
        QRectF box;
    };

    // False when the file is not a PDF the tools can read, or has no such page.
    bool load(const QString& pdf, int page = 1);
    int pages() const { return pages_; }
    const QList<Word>& words() const { return words_; }

    // What is wrong with cell n (1 to 10) of the layout, as drawn from lookCard(): empty when the
    // card is there (present) with everything in its place, or when the cell is blank (!present).
    // logoOverFrame: the logo was drawn after the frame (the page job) or before it (a single card).
    QString cellProblems(const PrintLayout& layout, int n, bool present, bool logoOverFrame) const;

    // The card the checks above know: zone 1 "Alpha" left, zone 2 "Beta" right, zone 3 "Gamma"
    // centred, 10 points, and a red logo 12 x 8 mm at 1 mm from the left and 4 mm from the top,
    // so that it covers part of the frame's left side. Written into folder as carte.cdv (and
    // logo.bmp); returns false when it cannot be written.
    static bool writeLookCard(const QString& folder);

private:
    bool isDark(double xMm, double yMm) const;
    bool isRed(double xMm, double yMm) const;
    // Share of the points of a horizontal or vertical segment that are dark (within one pixel).
    double darkShare(bool vertical, double at, double from, double to) const;
    const Word* wordIn(const QString& text, const QRectF& cell) const;

    QImage image_;
    QList<Word> words_;
    int pages_ = 0;
};
