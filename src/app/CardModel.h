#pragma once

#include "app/Colour.h"
#include "platform/Picture.h"

#include <QByteArray>
#include <QRectF>
#include <QString>
#include <array>

// The card being edited. The preview widgets only show it; every command reads and
// writes it here.

enum class ZoneAlignment : qint16 { Left = 0, Right = 1, Centre = 2 };

inline constexpr double TwipsPerMm = 56.7;
inline constexpr int TwipsPerPixel = 15;
inline constexpr const char* NoLogo = "AUCUN";
// The logo path that makes the logo the card's contact code; it is never a file's name.
inline constexpr const char* ContactCodeLogo = "QRCODE";

struct TextZone {
    QString Text;
    QString FontName = QStringLiteral("Arial");
    float FontSize = 8.25f;
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    bool FontStrikethru = false;
    quint32 ForeColor = colour::WindowText;
    qint16 Alignment = 0; // a ZoneAlignment code; the card file may hold other values
};

struct CardLogo {
    QString Path;         // "AUCUN" for no logo; empty shows the built-in picture
    QString RecordedPath; // what the card file records
    double Width = 0.0;   // millimetres
    double Height = 0.0;
    double Left = 0.0;
    double Top = 0.0;
    // The picture the preview shows and printing draws, at full resolution.
    Picture picture;
    // The preview box of the logo in twips, within the card area: placing it is what the
    // commands do, and the logo dialog reads its size back from here.
    QRectF boxTwips{240, 240, 630, 630};
};

struct CardDocument {
    std::array<TextZone, 3> Zones;
    CardLogo Logo;
    QString FilePath;
    // What the card held at the last open, save or "Nouveau" (card/CardChanges.h). The card
    // counts as modified while it differs; empty until the first of them.
    QByteArray CleanContent;

    TextZone& zone(int n) { return Zones.at(std::size_t(n - 1)); }
    const TextZone& zone(int n) const { return Zones.at(std::size_t(n - 1)); }
};
