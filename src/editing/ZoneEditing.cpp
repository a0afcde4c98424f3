#include "editing/ZoneEditing.h"

#include <cmath>

namespace zoneediting {

QString editorCaption(int zone) {
    return QStringLiteral("Edition du texte zone ") + QString::number(zone);
}

QString frameCaption(int zone) {
    return QStringLiteral("Aligner texte ") + QString::number(zone);
}

int optionForAlignment(qint16 code) {
    switch (code) {
    case qint16(ZoneAlignment::Left):
        return 1;
    case qint16(ZoneAlignment::Right):
        return 2;
    case qint16(ZoneAlignment::Centre):
        return 3;
    default:
        return 0;
    }
}

FontChoice fontOf(const TextZone& zone) {
    FontChoice f;
    f.name = zone.FontName;
    f.size = zone.FontSize;
    f.bold = zone.FontBold;
    f.italic = zone.FontItalic;
    f.strikethru = zone.FontStrikethru;
    f.underline = zone.FontUnderline;
    return f;
}

void applyFont(TextZone& zone, const FontChoice& choice) {
    if (!choice.name.trimmed().isEmpty())
        zone.FontName = choice.name;
    if (std::isfinite(choice.size) && choice.size > 0)
        zone.FontSize = choice.size;
    zone.FontBold = choice.bold;
    zone.FontItalic = choice.italic;
    zone.FontStrikethru = choice.strikethru;
    zone.FontUnderline = choice.underline;
}

quint32 colourForDialog(quint32 value) {
    return colour::isSystem(value) ? colour::fromQColor(colour::onCard(value)) : value;
}

} // namespace zoneediting
