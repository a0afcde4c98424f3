#include "print/DecoupeLignes.h"

#include "app/SharedProcedures.h"

namespace {

const QLatin1String LineBreak("\r\n");

enum class Blanks { TrimLast, TrimWhole, Keep };

ZonePrintLines cut(QString text, Blanks blanks) {
    if (blanks == Blanks::TrimWhole)
        text = trimSpaces(text);
    ZonePrintLines out;
    int i = 1;
    qsizetype p;
    while ((p = text.indexOf(LineBreak)) >= 0) {
        // The line with its CR; the LF stays at the start of what follows.
        out.Lines[std::size_t(i)] = text.left(p + 1);
        text.remove(0, p + 1);
        ++i;
    }
    out.Lines[std::size_t(i)] = blanks == Blanks::TrimLast ? trimSpaces(text) : text;
    out.Count = qint16(i);
    return out;
}

} // namespace

bool DecoupeLignes(const CardDocument& card, std::array<ZonePrintLines, 3>& lines, int* tooLongZone) {
    for (int n = 1; n <= 3; ++n) {
        if (card.zone(n).Text.count(LineBreak) + 1 > ZonePrintLines::MaxLines) {
            if (tooLongZone)
                *tooLongZone = n;
            return false;
        }
    }
    lines[0] = cut(card.zone(1).Text, Blanks::TrimLast);
    lines[1] = cut(card.zone(2).Text, Blanks::TrimWhole);
    lines[2] = cut(card.zone(3).Text, Blanks::Keep);
    return true;
}

QString zoneTooLongMessage(int zone) {
    return QStringLiteral("La zone de texte %1 compte plus de %2 lignes : elle ne peut pas être imprimée.\r"
                          "Réduisez-la à %2 lignes au plus, puis relancez l'impression.")
        .arg(zone)
        .arg(ZonePrintLines::MaxLines);
}
