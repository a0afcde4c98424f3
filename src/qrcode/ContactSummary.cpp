#include "qrcode/ContactSummary.h"

#include "qrcode/ContactCode.h"
#include "qrcode/ContactDetails.h"

namespace {

QString phoneLabel(const contact::Phone& phone) {
    if (phone.voice && phone.fax)
        return QStringLiteral("Téléphone et fax :");
    if (phone.fax)
        return QStringLiteral("Fax :");
    if (phone.cell)
        return QStringLiteral("Portable :");
    return QStringLiteral("Téléphone :");
}

QString millimetres(double mm) {
    return QString::number(mm, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','));
}

} // namespace

QList<SummaryRow> summaryRows(const ContactDetails& d) {
    const QString none = QStringLiteral("(aucun)");
    QList<SummaryRow> rows;
    rows << SummaryRow{QStringLiteral("Nom complet :"), d.fullName.isEmpty() ? none : d.fullName};
    if (!d.prefix.isEmpty())
        rows << SummaryRow{QStringLiteral("Civilité :"), d.prefix};
    rows << SummaryRow{QStringLiteral("Prénom :"), d.givenName.isEmpty() ? none : d.givenName};
    rows << SummaryRow{QStringLiteral("Nom de famille :"), d.familyName.isEmpty() ? none : d.familyName};
    rows << SummaryRow{QStringLiteral("Fonction :"),
                       d.title.isEmpty() ? QStringLiteral("(aucune)") : d.title};
    rows << SummaryRow{QStringLiteral("Organisation :"),
                       d.organisation.isEmpty() ? QStringLiteral("(aucune)") : d.organisation};
    if (d.phones.isEmpty())
        rows << SummaryRow{QStringLiteral("Téléphone :"), none};
    for (const contact::Phone& phone : d.phones)
        rows << SummaryRow{phoneLabel(phone), QStringLiteral("%1 (%2)").arg(phone.written, phone.number)};
    if (d.emails.isEmpty())
        rows << SummaryRow{QStringLiteral("E-mail :"), none};
    for (const QString& email : d.emails)
        rows << SummaryRow{QStringLiteral("E-mail :"), email};
    if (d.urls.isEmpty())
        rows << SummaryRow{QStringLiteral("Site web :"), none};
    for (const QString& url : d.urls)
        rows << SummaryRow{QStringLiteral("Site web :"), url};
    for (const QString& line : d.unusedLines)
        rows << SummaryRow{QStringLiteral("Non repris :"), line};
    return rows;
}

QString codeDescription(const CardDocument& card) {
    const ContactCode code = contactCodeOf(card);
    if (!code.matrix)
        return QStringLiteral("Les coordonnées (%1 octets) ne tiennent dans aucun code QR.")
            .arg(code.vcard.size());
    const CodePlacement place = placeCode(card.Logo, code.matrix->size);
    return QStringLiteral("Code de %1 × %1 modules, dans un carré de %2 mm (marge comprise) : chaque module "
                          "mesure %3 mm.")
        .arg(code.matrix->size)
        .arg(millimetres(place.square.width()), millimetres(place.moduleMm));
}
