#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What a line of a French business card says about how to reach its owner: telephone
// numbers (with their "Tél.", "Port.", "Mob." or "Fax" words), e-mail addresses and web sites.
namespace contact {

struct Phone {
    QString number;  // international form, digits only after the "+": "+33123456789"
    QString written; // as the card writes it
    bool voice = false;
    bool cell = false;
    bool fax = false;

    bool operator==(const Phone& other) const {
        return number == other.number && voice == other.voice && cell == other.cell && fax == other.fax;
    }
};

struct LineFindings {
    QList<Phone> phones;
    QStringList emails;
    QStringList urls; // as a link: a site written without its scheme gets "http://"

    bool isEmpty() const { return phones.isEmpty() && emails.isEmpty() && urls.isEmpty(); }
};

LineFindings recogniseLine(const QString& line);

// "01 23 45 67 89", "+33 (0)1 23 45 67 89" or "0033 1 23 45 67 89" as "+33123456789"; a
// number from abroad ("+32 2 123 45 67") as "+3221234567". Empty when it is no number.
QString internationalNumber(const QString& written);

} // namespace contact
