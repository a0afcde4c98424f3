#pragma once

#include "platform/PrinterSurface.h"

#include <QFont>

class QPainter;

// The printer surface on a screen: millimetres mapped to the pixels of a painter, k pixels
// per millimetre from the painter's origin. Without a painter it only measures, for laying
// out what a drawing will cover. The text is laid out exactly as on paper; lines are never
// thinner than one pixel so that a frame stays visible at screen scale.
class ScreenSurface : public PrinterSurface {
public:
    ScreenSurface(QPainter* painter, double pixelsPerMm);

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

    // The screen has no document: nothing to hand on or abandon.
    void endDoc() override {}
    void killDoc() override {}

private:
    QPainter* painter_;
    double k_;
    int orientation_ = 1;
    bool transparentText_ = false;
    int lineWidthDots_ = 1;
    QFont font_;
    quint32 foreColor_ = 0;
    int drawStyle_ = 0;
    double x_ = 0;
    double y_ = 0;
};
