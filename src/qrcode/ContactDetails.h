#pragma once

#include "qrcode/ContactLines.h"

#include <QString>
#include <QStringList>

struct CardDocument;

// What the contact code says, read from the card's own text each time it is needed: the
// name from zone 1's first line, the title and organisation from zone 2, the ways to reach
// the owner from zone 3. Nothing of it is stored apart from the card.
struct ContactDetails {
    QString fullName;
    // The name's parts: a civility in front, a family name in capitals or else the last word.
    QString prefix;
    QString givenName;
    QString familyName;
    QString title;
    QString organisation;
    QList<contact::Phone> phones;
    QStringList emails;
    QStringList urls;
    // Lines of the card the code does not carry, as the card writes them.
    QStringList unusedLines;

    bool isEmpty() const {
        return fullName.isEmpty() && title.isEmpty() && organisation.isEmpty() && phones.isEmpty() &&
               emails.isEmpty() && urls.isEmpty();
    }
};

ContactDetails contactDetailsOf(const CardDocument& card);

// Splits a full name into prefix, given name and family name (see ContactDetails).
void splitName(ContactDetails& details);
