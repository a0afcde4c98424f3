#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Environment;
class Spooler;

// What the program's own system-information window shows when no system-information tool is
// installed: the system, Qt, the print server and its printers, and the faces the usual card
// fonts come out in.
struct SummaryRow {
    QString label;
    QStringList values;
    bool operator==(const SummaryRow& o) const { return label == o.label && values == o.values; }
};

// The families a card uses most, whose substitutes on Linux decide how a card looks.
inline const QStringList CardFontFamilies{QStringLiteral("Arial"), QStringLiteral("Times New Roman"),
                                          QStringLiteral("Courier New")};

QList<SummaryRow> systemSummary(const Environment& environment, Spooler& spooler);
// The rows as text, one "label : values" line each, for the clipboard.
QString summaryText(const QList<SummaryRow>& rows);
