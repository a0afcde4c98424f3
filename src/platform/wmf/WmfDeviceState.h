#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <optional>
#include <variant>

struct WmfPen {
    int style = 0;    // low bits: solid, dash, dot, dash-dot, dash-dot-dot, none, inside frame
    int flags = 0;    // end cap and join
    double width = 0; // logical units; 0 draws one pixel wide
    QColor colour = Qt::black;
};

struct WmfBrush {
    int style = 0; // solid, none, hatched, pattern
    int hatch = 0;
    QColor colour = Qt::white;
    QImage pattern;
};

struct WmfFont {
    int height = 0; // logical units; negative for the character height, positive for the cell
    int width = 0;
    int escapement = 0; // tenths of a degree
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charSet = 0;
    int pitchAndFamily = 0;
    QString face;
};

// Palettes, regions and other objects take a place in the table but draw nothing here.
struct WmfOtherObject {};

// An empty slot of the object table is std::monostate.
using WmfObject = std::variant<std::monostate, WmfPen, WmfBrush, WmfFont, WmfOtherObject>;

namespace WmfMapMode {
constexpr int Text = 1;
constexpr int LoMetric = 2;
constexpr int HiMetric = 3;
constexpr int LoEnglish = 4;
constexpr int HiEnglish = 5;
constexpr int Twips = 6;
constexpr int Isotropic = 7;
constexpr int Anisotropic = 8;
} // namespace WmfMapMode

// What a save keeps and a restore brings back.
struct WmfDeviceState {
    WmfPen pen;
    WmfBrush brush;
    WmfFont font;
    QColor textColour = Qt::black;
    QColor backColour = Qt::white;
    bool opaqueBackground = true;
    int textAlign = 0;
    bool winding = false;
    int mapMode = WmfMapMode::Anisotropic;
    QPointF windowOrg;
    QSizeF windowExt{1, 1};
    QPointF viewportOrg;
    QSizeF viewportExt{1, 1};
    QPointF position;                 // logical units
    std::optional<QPainterPath> clip; // frame units
};
