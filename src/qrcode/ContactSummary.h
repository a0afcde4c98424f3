#pragma once

#include <QList>
#include <QString>

struct CardDocument;
struct ContactDetails;

// What the contact code dialog shows, field by field, in French.
struct SummaryRow {
    QString label; // "Téléphone :", "E-mail :" ...
    QString value;
};

// The recognised fields, then the card's lines the code leaves out ("Non repris :").
QList<SummaryRow> summaryRows(const ContactDetails& details);

// The code's size on the card as the logo's rectangle gives it.
QString codeDescription(const CardDocument& card);
