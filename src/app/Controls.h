#pragma once

#include "app/CardModel.h"

#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QWidget>
#include <type_traits>

// Building a window's controls at their places in twips, named as the program names them so
// that code and tests find them. A twip is a fifteenth of a pixel with the font the layout
// was drawn for; with a larger font the whole layout grows (see fitToFont), as dialog units do.
namespace controls {

// A place in twips; it stands for its pixels at the drawn scale where a QRect is wanted. In a
// namespace of its own, so that a window's own helpers of the same names stay unambiguous.
namespace units {
struct Twips {
    QRect rect;
    operator QRect() const {
        return {rect.x() / TwipsPerPixel, rect.y() / TwipsPerPixel, rect.width() / TwipsPerPixel,
                rect.height() / TwipsPerPixel};
    }
};
} // namespace units
using units::Twips;

inline Twips twips(int left, int top, int width, int height) {
    return {QRect(left, top, width, height)};
}

// Twips to pixels at a window's scale; exactly the drawn pixels at scale 1.
int pixels(double twips, double scale);
QRect pixels(const QRect& twips, double scale);

// Puts a control at its place in twips, kept so that a new scale moves it.
void place(QWidget* w, const Twips& geometry);
// A window (or a fixed area within one) of a fixed size in twips.
void setFixedTwipsSize(QWidget* w, int width, int height);
// The scale of the window that holds w: 1 until the window's font asks for more.
double scaleOf(const QWidget* w);

// Scales the window's layout so that every caption of its controls fits with the window's
// font, and again whenever the font, the style or the texts shown at opening change it.
// Never below 1: the layout as drawn is the smallest.
void fitToFont(QWidget* window);
// The scale at which every caption of the window fits, from 1 up.
double fittingScale(const QWidget* window);
// Lays the window out at a scale.
void applyScale(QWidget* window, double scale);

// A fixed background for a control, with a text colour that reads on it whatever the desktop's
// theme: black on light colours, white on dark ones (greyed while the control is disabled).
// role: Base for a box one types in, Window for a label or a panel.
void paintFixed(QWidget* w, QPalette::ColorRole role, const QColor& background);
// The text colour that reads on a background.
QColor inkOn(const QColor& background);

// A font a number of points larger (or smaller) than base, so that a window's own faces follow
// the desktop's size.
QFont relativeFont(const QFont& base, double points);

template <typename W> W* make(QWidget* parent, const char* name, const QRect& geometry) {
    auto* w = new W(parent);
    w->setObjectName(QLatin1String(name));
    w->setGeometry(geometry);
    return w;
}

template <typename W> W* make(QWidget* parent, const char* name, const Twips& geometry) {
    auto* w = new W(parent);
    w->setObjectName(QLatin1String(name));
    place(w, geometry);
    return w;
}

// A control with its caption (a frame's title).
template <typename W>
W* captioned(QWidget* parent, const char* name, const QString& caption, const Twips& geometry) {
    auto* w = make<W>(parent, name, geometry);
    if constexpr (std::is_base_of_v<QGroupBox, W>)
        w->setTitle(caption);
    else
        w->setText(caption);
    return w;
}

inline QLabel* label(QWidget* parent, const char* name, const QString& caption, const Twips& geometry) {
    return captioned<QLabel>(parent, name, caption, geometry);
}

inline QPushButton* button(QWidget* parent, const char* name, const QString& caption, const Twips& geometry) {
    return captioned<QPushButton>(parent, name, caption, geometry);
}

// A desktop theme icon, or the program's own (":/resources/icons/NAME.svg", else .png) when the
// desktop has none. Without a desktop theme (only the bare "hicolor") a look-up finds nothing
// and costs start-up time.
QIcon themeIcon(const char* themeName, const char* ownName);

} // namespace controls
