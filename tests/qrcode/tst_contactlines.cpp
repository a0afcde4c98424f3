// What the contact code reads from a card's text: the French card lines it recognises, the
// fields it takes from each zone, and the vCard it writes from them.
#include "app/CardModel.h"
#include "qrcode/ContactDetails.h"
#include "qrcode/ContactLines.h"
#include "qrcode/VCard.h"

#include <QtTest>

namespace {

// "+33123456789 v", "c", "f", "vf": the number and what it is.
QString described(const contact::Phone& p) {
    return p.number + QLatin1Char(' ') + (p.voice ? "v" : "") + (p.cell ? "c" : "") + (p.fax ? "f" : "");
}

QString described(const contact::LineFindings& f) {
    QStringList phones;
    for (const contact::Phone& p : f.phones)
        phones << described(p);
    return phones.join(", ") + " | " + f.emails.join(", ") + " | " + f.urls.join(", ");
}

CardDocument card(const QString& zone1, const QString& zone2, const QString& zone3) {
    CardDocument c;
    c.zone(1).Text = zone1;
    c.zone(2).Text = zone2;
    c.zone(3).Text = zone3;
    return c;
}

} // namespace

class ContactLinesTest : public QObject {
    Q_OBJECT
private slots:
    // A line as a card writes it; expected: "phones | e-mails | sites".
    void line_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const QString& line, const char* expected) {
            QTest::newRow(name) << line << QString::fromUtf8(expected);
        };
        row("Tél. and blanks", "Tél. 01 23 45 67 89", "+33123456789 v |  | ");
        row("Port.", "Port. 06 12 34 56 78", "+33612345678 c |  | ");
        row("Mob. with points", "Mob. : 07.12.34.56.78", "+33712345678 c |  | ");
        row("Mobile with hyphens", "Mobile 06-12-34-56-78", "+33612345678 c |  | ");
        row("international", "+33 1 23 45 67 89", "+33123456789 v |  | ");
        row("international with (0)", "+33 (0)6 12 34 56 78", "+33612345678 c |  | ");
        row("international without blanks", "+33123456789", "+33123456789 v |  | ");
        row("0033", "Tél : 0033 1 23 45 67 89", "+33123456789 v |  | ");
        row("+33 and the national 0", "Port. +33 06 12 34 56 78", "+33612345678 c |  | ");
        row("all digits together", "Tel 0123456789", "+33123456789 v |  | ");
        row("no-break spaces", "Tél.\u00A001\u00A023\u00A045\u00A067\u00A089", "+33123456789 v |  | ");
        row("mobile without a word", "06 12 34 56 78", "+33612345678 c |  | ");
        row("fixed line without a word", "04 78 90 12 34", "+33478901234 v |  | ");
        row("two numbers, two words", "Tél. 01 23 45 67 89 - Port. 06 12 34 56 78",
            "+33123456789 v, +33612345678 c |  | ");
        row("two mobiles, one word", "Mob. 06 12 34 56 78 / 07 98 76 54 32",
            "+33612345678 c, +33798765432 c |  | ");
        row("a fixed line after a mobile", "Port. 06 12 34 56 78 Tél. 05 61 00 00 00",
            "+33612345678 c, +33561000000 v |  | ");
        row("Tél./Fax", "Tél./Fax : 04-56-78-90-12", "+33456789012 vf |  | ");
        row("Fax", "Fax 01 23 45 67 80", "+33123456780 f |  | ");
        row("Télécopie", "Télécopie : 0123456780", "+33123456780 f |  | ");
        row("Tél. portable", "Tél. portable : 06 11 22 33 44", "+33611223344 c |  | ");
        row("from abroad", "Tel : +32 2 123 45 67", "+3221234567 v |  | ");
        row("an address", "12 rue des Lilas", " |  | ");
        row("a postal code", "75001 Paris", " |  | ");
        row("a SIRET", "SIRET 123 456 789 00012", " |  | ");
        row("a date", "Le 01.02.2024", " |  | ");
        row("too few digits", "Tél. 01 23 45 67", " |  | ");
        row("a capital", "SAS au capital de 10 000 €", " |  | ");
        row("e-mail", "marie.dupont@exemple.fr", " | marie.dupont@exemple.fr | ");
        row("e-mail with a word and a full stop", "Courriel : contact@exemple.fr.",
            " | contact@exemple.fr | ");
        row("e-mail with digits", "E-mail : jean.dupont0123456789@exemple.fr",
            " | jean.dupont0123456789@exemple.fr | ");
        row("accented e-mail", "Mél : hélène@café-exemple.fr", " | hélène@café-exemple.fr | ");
        row("www", "www.exemple.fr", " |  | http://www.exemple.fr");
        row("https with a path and digits", "https://exemple.fr/contact/0123456789",
            " |  | https://exemple.fr/contact/0123456789");
        row("a site named without www", "Site : exemple.com", " |  | http://exemple.com");
        row("a site in parentheses", "(www.exemple.fr)", " |  | http://www.exemple.fr");
        row("everything on one line", "contact@exemple.fr - www.exemple.fr - Tél. 01 23 45 67 89",
            "+33123456789 v | contact@exemple.fr | http://www.exemple.fr");
        row("initials are no site", "M. J.-P. Martin", " |  | ");
    }
    void line() {
        QFETCH(QString, line);
        QFETCH(QString, expected);
        QCOMPARE(described(contact::recogniseLine(line)), expected);
    }

    void number_data() {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("number");
        QTest::newRow("national") << "01 23 45 67 89"
                                  << "+33123456789";
        QTest::newRow("+33 (0)") << "+33 (0)1 23 45 67 89"
                                 << "+33123456789";
        QTest::newRow("0033") << "0033 6 12 34 56 78"
                              << "+33612345678";
        QTest::newRow("abroad with 00") << "0041 22 123 45 67"
                                        << "+41221234567";
        QTest::newRow("abroad with (0)") << "+44 (0)20 7946 0958"
                                         << "+442079460958";
        QTest::newRow("0033 and (0)") << "0033 (0)1 23 45 67 89"
                                      << "+33123456789";
        QTest::newRow("+33 and 0") << "+33 01 23 45 67 89"
                                   << "+33123456789";
        QTest::newRow("0033 and 0") << "0033 0123456789"
                                    << "+33123456789";
        QTest::newRow("nine digits") << "01 23 45 67 8"
                                     << "";
        QTest::newRow("a plus and too few digits") << "+33 1 23"
                                                   << "";
    }
    void number() {
        QFETCH(QString, written);
        QFETCH(QString, number);
        QCOMPARE(contact::internationalNumber(written), number);
    }

    // A card's three zones; expected: the fields, "|" between them, then the lines left out.
    void details_data() {
        QTest::addColumn<QString>("zone1");
        QTest::addColumn<QString>("zone2");
        QTest::addColumn<QString>("zone3");
        QTest::addColumn<QString>("expected"); // full|prefix|given|family|title|org|phones|emails|urls|unused
        QTest::newRow("the usual card")
            << "Marie Dupont"
            << "Directrice commerciale\r\nSociété Exemple"
            << "12 rue des Lilas\r\n75001 Paris\r\nTél. 01 23 45 67 89\r\nmarie@exemple.fr\r\nwww.exemple.fr"
            << "Marie Dupont||Marie|Dupont|Directrice commerciale|Société Exemple|+33123456789 v|"
               "marie@exemple.fr|http://www.exemple.fr|12 rue des Lilas, 75001 Paris";
        QTest::newRow("family name in capitals first, more lines in zones 1 and 2")
            << "  DUPONT   Jean  \r\nGérant"
            << "Plombier\r\nDupont et Fils\r\nDepuis 1950"
            << "Port. 06 12 34 56 78"
            << "DUPONT Jean||Jean|DUPONT|Plombier|Dupont et Fils|+33612345678 c|||Gérant, Depuis 1950";
        QTest::newRow("civility and a family name of three words")
            << "Dr Jean-Pierre DE LA TOUR"
            << ""
            << ""
            << "Dr Jean-Pierre DE LA TOUR|Dr|Jean-Pierre|DE LA TOUR||||||";
        QTest::newRow("all in capitals") << "JEAN DUPONT"
                                         << ""
                                         << ""
                                         << "JEAN DUPONT||JEAN|DUPONT||||||";
        QTest::newRow("one word") << "Kalimo"
                                  << ""
                                  << ""
                                  << "Kalimo|||Kalimo||||||";
        QTest::newRow("blank first line, one line in zone 2") << "\r\n  \r\nLéa Martin"
                                                              << "Architecte"
                                                              << ""
                                                              << "Léa Martin||Léa|Martin|Architecte|||||";
        QTest::newRow("empty card") << ""
                                    << ""
                                    << ""
                                    << "|||||||||";
        QTest::newRow("a number written twice is carried once")
            << "A B"
            << ""
            << "Tél. 01 23 45 67 89\r\nTél. 01.23.45.67.89"
            << "A B||A|B|||+33123456789 v|||";
        QTest::newRow("contact lines in zones 1 and 2 are not read as such")
            << "Marie Dupont\r\nTél. 01 23 45 67 89"
            << "marie@exemple.fr"
            << ""
            << "Marie Dupont||Marie|Dupont|marie@exemple.fr|||||Tél. 01 23 45 67 89";
    }
    void details() {
        QFETCH(QString, zone1);
        QFETCH(QString, zone2);
        QFETCH(QString, zone3);
        QFETCH(QString, expected);
        const ContactDetails d = contactDetailsOf(card(zone1, zone2, zone3));
        QStringList phones;
        for (const contact::Phone& p : d.phones)
            phones << described(p);
        const QStringList fields{d.fullName,        d.prefix,
                                 d.givenName,       d.familyName,
                                 d.title,           d.organisation,
                                 phones.join(", "), d.emails.join(", "),
                                 d.urls.join(", "), d.unusedLines.join(", ")};
        QCOMPARE(fields.join('|'), expected);
        QCOMPARE(d.isEmpty(), zone1.isEmpty() && zone2.isEmpty() && zone3.isEmpty());
    }

    void vcardWhole() {
        const ContactDetails d =
            contactDetailsOf(card("M. Jérôme Lefèvre", "Gérant\r\nLefèvre; Martin, \\ Fils",
                                  "Tél. 01 23 45 67 89 - Port. 06 12 34 56 78\r\nFax 01 23 45 67 80\r\n"
                                  "jerome@exemple.fr\r\nhttps://exemple.fr"));
        QCOMPARE(vcardOf(d), QByteArray("BEGIN:VCARD\r\n"
                                        "VERSION:3.0\r\n"
                                        "N:Lefèvre;Jérôme;;M.;\r\n"
                                        "FN:M. Jérôme Lefèvre\r\n"
                                        "TITLE:Gérant\r\n"
                                        "ORG:Lefèvre\\; Martin\\, \\\\ Fils\r\n"
                                        "TEL;TYPE=WORK,VOICE:+33123456789\r\n"
                                        "TEL;TYPE=CELL:+33612345678\r\n"
                                        "TEL;TYPE=WORK,FAX:+33123456780\r\n"
                                        "EMAIL;TYPE=INTERNET:jerome@exemple.fr\r\n"
                                        "URL:https://exemple.fr\r\n"
                                        "END:VCARD\r\n"));
    }

    void vcardWithoutName() {
        const ContactDetails d =
            contactDetailsOf(card("", "Gérante\r\nAtelier Dupont", "Tél. 01 23 45 67 89"));
        const QByteArray v = vcardOf(d);
        // A phone shows a contact by its FN: the organisation stands in for the missing name.
        QVERIFY2(v.contains("\r\nN:;;;;\r\nFN:Atelier Dupont\r\nTITLE:Gérante\r\nORG:Atelier Dupont\r\n"),
                 v.constData());
    }

    // Lines past 75 bytes go on after CR LF and a blank, never inside a character.
    void vcardFolding_data() {
        QTest::addColumn<QString>("title");
        QTest::newRow("ASCII") << QString(200, QLatin1Char('x'));
        QTest::newRow("two-byte letters across every cut") << QString(150, QChar(0xE9));
        QTest::newRow("mixed") << QStringLiteral(
            "Responsable des équipes de maintenance électrique et "
            "électronique de la région Île-de-France et chargée d'études");
        QTest::newRow("exactly 75 bytes") << QString(75 - 6, QLatin1Char('y'));
    }
    void vcardFolding() {
        QFETCH(QString, title);
        ContactDetails d;
        d.title = title;
        const QByteArray v = vcardOf(d);
        QVERIFY(v.endsWith("END:VCARD\r\n"));
        for (const QByteArray& line : v.split('\n')) {
            QVERIFY2(line.size() <= 76, line.constData());     // 75 and the CR
            QVERIFY(QString::fromUtf8(line).toUtf8() == line); // no character cut in two
        }
        QByteArray unfolded = v;
        unfolded.replace("\r\n ", "");
        QVERIFY(unfolded.contains("\r\nTITLE:" + title.toUtf8() + "\r\n"));
        if (title.toUtf8().size() + 6 <= 75)
            QCOMPARE(unfolded, v);
    }
};

QTEST_APPLESS_MAIN(ContactLinesTest)
#include "tst_contactlines.moc"
