#include "app/Colour.h"

namespace colour {

QColor resolve(quint32 value, const QPalette& palette) {
    if (!isSystem(value))
        return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
    switch (value - SystemBase) {
    case 1:  // desktop
    case 12: // application workspace
        return palette.color(QPalette::Dark);
    case 2:  // active caption
    case 13: // highlight
        return palette.color(QPalette::Highlight);
    case 3: // inactive caption
        return palette.color(QPalette::Inactive, QPalette::Highlight);
    case 0:  // scroll bars
    case 4:  // menu bar
    case 15: // button face
        return palette.color(QPalette::Button);
    case 5: // window background
        return palette.color(QPalette::Base);
    case 6:  // window frame
    case 21: // 3D dark shadow
        return palette.color(QPalette::Shadow);
    case 7: // menu text
    case 8: // window text
        return palette.color(QPalette::Text);
    case 9:  // caption text
    case 14: // highlight text
        return palette.color(QPalette::HighlightedText);
    case 10: // active border
    case 11: // inactive border
    case 22: // 3D light
        return palette.color(QPalette::Midlight);
    case 16: // button shadow
        return palette.color(QPalette::Mid);
    case 17: // grey text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 19: // inactive caption text
        return palette.color(QPalette::Inactive, QPalette::HighlightedText);
    case 20: // button highlight
        return palette.color(QPalette::Light);
    case 23: // tooltip text
        return palette.color(QPalette::ToolTipText);
    case 24: // tooltip background
        return palette.color(QPalette::ToolTipBase);
    default:
        return palette.color(QPalette::Text);
    }
}

} // namespace colour

namespace colour {

QColor onCard(quint32 value) {
    if (!isSystem(value))
        return resolve(value, QPalette());
    // The classic light scheme, by system colour number.
    static constexpr quint32 classic[] = {
        0xC8D0D4, // 0 scroll bars
        0xA56E3A, // 1 desktop
        0x6A240A, // 2 active caption
        0x808080, // 3 inactive caption
        0xC8D0D4, // 4 menu bar
        0xFFFFFF, // 5 window background
        0x000000, // 6 window frame
        0x000000, // 7 menu text
        0x000000, // 8 window text
        0xFFFFFF, // 9 caption text
        0xC8D0D4, // 10 active border
        0xC8D0D4, // 11 inactive border
        0x808080, // 12 application workspace
        0x6A240A, // 13 highlight
        0xFFFFFF, // 14 highlight text
        0xC8D0D4, // 15 button face
        0x808080, // 16 button shadow
        0x808080, // 17 grey text
        0x000000, // 18 button text
        0xC8D0D4, // 19 inactive caption text
        0xFFFFFF, // 20 button highlight
        0x404040, // 21 3D dark shadow
        0xC8D0D4, // 22 3D light
        0x000000, // 23 tooltip text
        0xE1FFFF, // 24 tooltip background
    };
    const quint32 k = value - SystemBase;
    // A number the platform does not know draws as window text.
    const quint32 rgb = k < sizeof classic / sizeof classic[0] ? classic[k] : 0x000000;
    return resolve(rgb, QPalette());
}

} // namespace colour
