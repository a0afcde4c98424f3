#include "qrcode/VCard.h"

#include "qrcode/ContactDetails.h"

#include <QStringList>

namespace {

// Text values keep their commas, semicolons and backslashes only escaped.
QString escaped(QString text) {
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char(','), QLatin1String("\\,"));
    text.replace(QLatin1Char(';'), QLatin1String("\\;"));
    text.replace(QLatin1String("\r\n"), QLatin1String("\\n"));
    text.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return text;
}

// A line of more than 75 bytes goes on in lines that start with a blank, never inside a
// character's bytes.
QByteArray folded(const QByteArray& line) {
    constexpr int Limit = 75;
    QByteArray out;
    qsizetype start = 0;
    int room = Limit;
    while (line.size() - start > room) {
        qsizetype cut = start + room;
        while (cut > start && (uchar(line.at(cut)) & 0xC0) == 0x80)
            --cut;
        out += line.mid(start, cut - start) + "\r\n ";
        start = cut;
        room = Limit - 1;
    }
    return out + line.mid(start) + "\r\n";
}

QString phoneTypes(const contact::Phone& phone) {
    QStringList types;
    if (phone.cell)
        types << QStringLiteral("CELL");
    else
        types << QStringLiteral("WORK");
    if (phone.voice)
        types << QStringLiteral("VOICE");
    if (phone.fax)
        types << QStringLiteral("FAX");
    return types.join(QLatin1Char(','));
}

} // namespace

QByteArray vcardOf(const ContactDetails& d) {
    QStringList lines{QStringLiteral("BEGIN:VCARD"), QStringLiteral("VERSION:3.0")};
    lines
        << QStringLiteral("N:%1;%2;;%3;").arg(escaped(d.familyName), escaped(d.givenName), escaped(d.prefix));
    // A card without a name still shows as its organisation in a phone's contacts.
    lines << QStringLiteral("FN:") + escaped(d.fullName.isEmpty() ? d.organisation : d.fullName);
    if (!d.title.isEmpty())
        lines << QStringLiteral("TITLE:") + escaped(d.title);
    if (!d.organisation.isEmpty())
        lines << QStringLiteral("ORG:") + escaped(d.organisation);
    for (const contact::Phone& phone : d.phones)
        lines << QStringLiteral("TEL;TYPE=%1:%2").arg(phoneTypes(phone), phone.number);
    for (const QString& email : d.emails)
        lines << QStringLiteral("EMAIL;TYPE=INTERNET:") + email;
    for (const QString& url : d.urls)
        lines << QStringLiteral("URL:") + url;
    lines << QStringLiteral("END:VCARD");
    QByteArray out;
    for (const QString& line : lines)
        out += folded(line.toUtf8());
    return out;
}
