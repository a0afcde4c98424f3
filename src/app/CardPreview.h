#pragma once

#include "app/CardModel.h"
#include "app/CardTroubles.h"
#include "app/PressableLabel.h"
#include "print/CardDrawing.h"
#include "setup/PrintLayout.h"

#include <QWidget>

class PrinterSurface;

// What a click on a zone of the card selects. It shows nothing itself: the card's drawing
// shows the zone. The zone's text stays its accessible text. Its highlight (opaque, with a
// colour) tells which zone is being edited; the card shows it as a band behind the lines.
// Space or Enter selects it as a click does.
class ZoneLabel : public PressableLabel {
    Q_OBJECT
public:
    explicit ZoneLabel(int zone, QWidget* parent = nullptr);
    void showZone(const TextZone& zone);
    void setHighlight(bool opaque, quint32 backColour);
    bool isOpaque() const { return opaque_; }
    quint32 backColour() const { return backColour_; }
    // The tooltip as it shows: the zone's own, then what will not come out right on paper.
    QString shownToolTip() const;

signals:
    void highlightChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    int zone_;
    bool opaque_ = false;
    quint32 backColour_ = colour::WindowBackground;
};

// What a double click on the logo loads a picture through. The card's drawing shows the
// picture; the box keeps it for the commands that read it back. Space or Enter on it does
// what the double click does.
class LogoBox : public PressableLabel {
    Q_OBJECT
public:
    explicit LogoBox(QWidget* parent = nullptr);
    void setPicture(const Picture& picture);
    const Picture& picture() const { return picture_; }
    // Places the box from twips within the card area, scaled as the card is.
    void placeTwips(const QRectF& twips, double scale = 1);

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    Picture picture_;
};

// The card area: the card drawn by the very drawing that prints it, at the card's true
// proportions (1 mm is 56.7 twips, less when a large card would not fit), with its outline,
// the selected zone's band, a grey name in empty zones and red marks where paper will
// disagree. Holds the three zone boxes and the logo box, which it lays out over the drawing.
class CardView : public QWidget {
    Q_OBJECT
public:
    CardView(const CardDocument& card, const PrintLayout& layout, QWidget* parent = nullptr);
    ZoneLabel* zoneLabel(int n) const { return labels_[n - 1]; }
    LogoBox* logoBox() const { return logo_; }

    // After any change of the card or the layout: lays out the zone boxes and repaints.
    void refresh();
    // The card's scale on screen: 1 at 56.7 twips per millimetre, as the window's layout at most.
    double scale() const;
    double pixelsPerMm() const;
    // The zone whose box is highlighted; 0 for none.
    int selectedZone() const;
    // What the card's drawing covers, in millimetres from the card's corner.
    DrawnCard measure() const;
    std::vector<CardTrouble> troubles() const;
    // The card as this view shows it, on any painter, k pixels per millimetre.
    void paintCard(QPainter& painter, double k) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    DrawnCard drawOn(PrinterSurface& surface) const;
    std::vector<CardTrouble> troublesOf(const DrawnCard& drawn) const;
    void paintBand(QPainter& painter, double k, const DrawnCard& drawn) const;
    void paintPlaceholders(QPainter& painter, double k, const DrawnCard& drawn) const;
    void paintTroubles(QPainter& painter, double k, const DrawnCard& drawn) const;

    const CardDocument& card_;
    const PrintLayout& layout_;
    ZoneLabel* labels_[3];
    LogoBox* logo_;
};
