#include "app/CardTroubles.h"

#include "print/PrintState.h"
#include "qrcode/ContactCode.h"
#include "qrcode/ContactCodeWarnings.h"

namespace {

// Lines that only touch, as consecutive lines of one zone do, do not meet.
constexpr double Tolerance = 0.01;

bool hasInk(const QRectF& line) {
    return line.width() > 0;
}

QString edgeName(const QRectF& line, const QRectF& card) {
    if (line.right() > card.right() + Tolerance)
        return QStringLiteral("droit");
    if (line.left() < card.left() - Tolerance)
        return QStringLiteral("gauche");
    if (line.bottom() > card.bottom() + Tolerance)
        return QStringLiteral("bas");
    if (line.top() < card.top() - Tolerance)
        return QStringLiteral("haut");
    return QString();
}

void pastEdge(const DrawnCard& d, int n, std::vector<CardTrouble>& out) {
    const std::vector<QRectF>& lines = d.zones[std::size_t(n - 1)].lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QString edge = hasInk(lines[i]) ? edgeName(lines[i], d.card) : QString();
        if (edge.isEmpty())
            continue;
        out.push_back({TroubleKind::PastEdge, n, lines[i],
                       QStringLiteral("La ligne %1 de la zone %2 dépasse le bord %3 de la carte.")
                           .arg(i + 1)
                           .arg(n)
                           .arg(edge)});
    }
}

void zonesMeet(const DrawnCard& d, int n, std::vector<CardTrouble>& out) {
    double bottom = -1e300;
    for (const QRectF& line : d.zones[std::size_t(n - 1)].lines)
        if (hasInk(line))
            bottom = std::max(bottom, line.bottom());
    for (int m = n + 1; m <= 3; ++m) {
        const std::vector<QRectF>& next = d.zones[std::size_t(m - 1)].lines;
        if (next.empty() || bottom <= next.front().top() + Tolerance)
            continue;
        const QRectF area(d.card.left(), next.front().top(), d.card.width(), bottom - next.front().top());
        out.push_back({TroubleKind::ZonesMeet, n, area,
                       QStringLiteral("Les lignes de la zone %1 atteignent la zone %2.").arg(n).arg(m)});
        return;
    }
}

void logoOverText(const DrawnCard& d, int n, std::vector<CardTrouble>& out) {
    if (!d.logo)
        return;
    for (const QRectF& line : d.zones[std::size_t(n - 1)].lines) {
        const QRectF common = line.intersected(*d.logo);
        if (hasInk(line) && common.width() > Tolerance && common.height() > Tolerance) {
            // The whole line is marked: the part under the logo may not show at all.
            out.push_back({TroubleKind::LogoOverText, n, line,
                           QStringLiteral("Le logo recouvre le texte de la zone %1.").arg(n)});
            return;
        }
    }
}

void contactCode(const DrawnCard& d, std::vector<CardTrouble>& out) {
    if (!d.code)
        return;
    const DrawnCode& code = *d.code;
    if (!code.encoded) {
        out.push_back({TroubleKind::CodeTooLong, 0, code.square, codewarning::tooLong()});
        return;
    }
    if (code.moduleMm < MinModuleMm)
        out.push_back({TroubleKind::CodeTooSmall, 0, code.square, codewarning::tooSmall(code.moduleMm)});
    if (code.empty)
        out.push_back({TroubleKind::CodeEmpty, 0, code.square, codewarning::empty()});
    // Cut along the card, a code loses the rows a reader needs.
    if (!d.card.adjusted(-Tolerance, -Tolerance, Tolerance, Tolerance).contains(code.square))
        out.push_back(
            {TroubleKind::CodePastEdge, 0, code.square,
             QStringLiteral("Le code QR dépasse le bord de la carte : il sera coupé à la découpe.")});
}

} // namespace

std::vector<CardTrouble> findTroubles(const DrawnCard& drawn) {
    std::vector<CardTrouble> out;
    for (int n = 1; n <= 3; ++n) {
        pastEdge(drawn, n, out);
        zonesMeet(drawn, n, out);
        logoOverText(drawn, n, out);
    }
    contactCode(drawn, out);
    return out;
}

CardTrouble tooManyLines(int zone, const DrawnCard& drawn) {
    const DrawnZone& z = drawn.zones[std::size_t(zone - 1)];
    const QRectF last = z.lines.empty() ? QRectF(drawn.card.left(), z.top, 0, 0) : z.lines.back();
    return {TroubleKind::TooManyLines, zone,
            QRectF(drawn.card.left(), last.top(), drawn.card.width(), last.height()),
            QStringLiteral("La zone %1 compte plus de %2 lignes : seules les %2 premières sont "
                           "montrées, et l'impression sera refusée.")
                .arg(zone)
                .arg(ZonePrintLines::MaxLines)};
}
