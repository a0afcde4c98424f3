#pragma once

#include <QColor>
#include <QPalette>
#include <QtGlobal>

// Colour values as the card keeps them: below 0x80000000 an RGB value with red in the
// low byte, 0x80000000 + k the desktop's system colour k, resolved when drawn.
namespace colour {

inline constexpr quint32 SystemBase = 0x80000000u;
inline constexpr quint32 WindowBackground = SystemBase + 5;
inline constexpr quint32 WindowText = SystemBase + 8;
inline constexpr quint32 Silver = 0xC0C0C0u;
inline constexpr quint32 Black = 0u;

inline bool isSystem(quint32 value) {
    return value >= SystemBase;
}
inline quint32 fromRgb(int r, int g, int b) {
    return quint32(r & 0xFF) | (quint32(g & 0xFF) << 8) | (quint32(b & 0xFF) << 16);
}
inline quint32 fromQColor(const QColor& c) {
    return fromRgb(c.red(), c.green(), c.blue());
}

// The colour to draw on a window: system colours through the palette, the rest as they are.
QColor resolve(quint32 value, const QPalette& palette);
// The colour on the card, on screen and on paper. The card is paper: its system colours are
// the classic light ones (window text black, window background white), whatever the theme.
QColor onCard(quint32 value);
// The signed 32-bit form that the card file stores (0x80000008 is -2147483640).
inline qint32 toSigned(quint32 value) {
    return static_cast<qint32>(value);
}
inline quint32 fromSigned(qint32 value) {
    return static_cast<quint32>(value);
}

} // namespace colour
