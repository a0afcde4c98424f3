#include "qrcode/ContactDetails.h"

#include "app/CardModel.h"

namespace {

// The zone's lines, blanks at their ends and repeated blanks inside removed; empty lines left out.
QStringList linesOf(const QString& text) {
    QStringList lines;
    for (const QString& line :
         QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")).split(QLatin1Char('\n'))) {
        const QString simple = line.simplified();
        if (!simple.isEmpty())
            lines << simple;
    }
    return lines;
}

bool isCivility(const QString& word) {
    static const QStringList civilities{
        QStringLiteral("M."),  QStringLiteral("Mr"),        QStringLiteral("Mr."),
        QStringLiteral("Mme"), QStringLiteral("Mme."),      QStringLiteral("Mlle"),
        QStringLiteral("Dr"),  QStringLiteral("Dr."),       QStringLiteral("Docteur"),
        QStringLiteral("Me"),  QStringLiteral("Maître"),    QStringLiteral("Pr"),
        QStringLiteral("Pr."), QStringLiteral("Professeur")};
    return civilities.contains(word);
}

// "DUPONT", "DE", "LE-GALL": a word in capitals, of more than one letter.
bool isCapitals(const QString& word) {
    int letters = 0;
    for (const QChar c : word) {
        if (c.isLower())
            return false;
        if (c.isLetter())
            ++letters;
    }
    return letters > 1;
}

} // namespace

void splitName(ContactDetails& d) {
    QStringList words = d.fullName.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    d.prefix.clear();
    d.givenName.clear();
    d.familyName.clear();
    if (words.size() > 1 && isCivility(words.front()))
        d.prefix = words.takeFirst();
    QStringList family, given;
    for (const QString& word : words)
        (isCapitals(word) ? family : given) << word;
    // No word in capitals, or only such words: the last word is the family name.
    if (family.isEmpty() || given.isEmpty()) {
        family = words.isEmpty() ? QStringList() : QStringList{words.takeLast()};
        given = words;
    }
    d.familyName = family.join(QLatin1Char(' '));
    d.givenName = given.join(QLatin1Char(' '));
}

ContactDetails contactDetailsOf(const CardDocument& card) {
    ContactDetails d;
    const QStringList zone1 = linesOf(card.zone(1).Text);
    if (!zone1.isEmpty())
        d.fullName = zone1.front();
    d.unusedLines << zone1.mid(1);
    splitName(d);

    const QStringList zone2 = linesOf(card.zone(2).Text);
    if (!zone2.isEmpty())
        d.title = zone2.at(0);
    if (zone2.size() > 1)
        d.organisation = zone2.at(1);
    d.unusedLines << zone2.mid(2);

    for (const QString& line : linesOf(card.zone(3).Text)) {
        const contact::LineFindings found = contact::recogniseLine(line);
        if (found.isEmpty()) {
            d.unusedLines << line;
            continue;
        }
        for (const contact::Phone& phone : found.phones)
            if (!d.phones.contains(phone))
                d.phones << phone;
        for (const QString& email : found.emails)
            if (!d.emails.contains(email))
                d.emails << email;
        for (const QString& url : found.urls)
            if (!d.urls.contains(url))
                d.urls << url;
    }
    return d;
}
