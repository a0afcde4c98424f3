#pragma once

#include "app/CardModel.h"

#include <QLabel>
#include <QWidget>

// One zone of the card preview: the zone's text in its font, colour and alignment. Opaque
// with a highlight colour while its zone is being edited, transparent otherwise.
class ZoneLabel : public QLabel {
    Q_OBJECT
public:
    explicit ZoneLabel(QWidget* parent = nullptr);
    void showZone(const TextZone& zone);
    void setHighlight(bool opaque, quint32 backColour);
    bool isOpaque() const { return opaque_; }
    quint32 backColour() const { return backColour_; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool opaque_ = false;
    quint32 backColour_ = colour::WindowBackground;
};

// The logo preview: the picture stretched to fill the box, whatever its own size.
class LogoBox : public QWidget {
    Q_OBJECT
public:
    explicit LogoBox(QWidget* parent = nullptr);
    void setPicture(const Picture& picture);
    const Picture& picture() const { return picture_; }
    // Places the box from twips within the card area.
    void placeTwips(const QRectF& twips);

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Picture picture_;
    QImage scaled_; // the picture rendered at the box's size, kept until either changes
};
