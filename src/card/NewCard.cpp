#include "card/NewCard.h"

void resetToNewCard(CardDocument& card) {
    card.Logo.RecordedPath.clear();
    card.Logo.Path = QString::fromLatin1(NoLogo);
    card.FilePath.clear();
    for (TextZone& z : card.Zones) {
        z.Text.clear();
        z.Alignment = qint16(ZoneAlignment::Left);
        z.ForeColor = colour::Black;
        z.FontName = QStringLiteral("arial");
        z.FontSize = 8;
        z.FontBold = false;
        z.FontItalic = false;
    }
    const double boxTwips = 630;
    const double offsetMm = 5;
    // Not cut to two decimals: the size is the box's own, in millimetres.
    card.Logo.Width = boxTwips / TwipsPerMm;
    card.Logo.Height = boxTwips / TwipsPerMm;
    card.Logo.Left = offsetMm;
    card.Logo.Top = offsetMm;
    card.Logo.boxTwips = QRectF(offsetMm * TwipsPerMm, offsetMm * TwipsPerMm, boxTwips, boxTwips);
    card.Logo.picture = Picture();
}
