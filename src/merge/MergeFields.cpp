#include "merge/MergeFields.h"

#include <functional>

namespace {

const QChar OpenGuillemet(0x00AB);
const QChar CloseGuillemet(0x00BB);
constexpr int LongestName = 100;

bool isName(QStringView name) {
    if (name.isEmpty() || name.size() > LongestName || name.front().isSpace() || name.back().isSpace())
        return false;
    for (const QChar c : name)
        if (c == u'\r' || c == u'\n' || c == OpenGuillemet || c == CloseGuillemet || c == u'{' || c == u'}')
            return false;
    return true;
}

// Calls found(start, length, name) for each field of text, in order.
void eachField(const QString& text, const std::function<void(qsizetype, qsizetype, const QString&)>& found) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar open = text.at(i);
        if (open != OpenGuillemet && open != u'{')
            continue;
        const QChar close = open == u'{' ? QChar(u'}') : CloseGuillemet;
        const qsizetype end = text.indexOf(close, i + 1);
        if (end < 0)
            return;
        const QStringView name = QStringView(text).mid(i + 1, end - i - 1);
        if (isName(name)) {
            found(i, end - i + 1, name.toString());
            i = end;
        }
    }
}

QString withCrLf(QString value) {
    value.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    value.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    value.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return value;
}

} // namespace

namespace mergefields {

QStringList fieldsIn(const QString& text) {
    QStringList out;
    eachField(text, [&out](qsizetype, qsizetype, const QString& name) {
        if (!out.contains(name))
            out << name;
    });
    return out;
}

QStringList fieldsIn(const CardDocument& card) {
    QStringList out;
    for (const TextZone& zone : card.Zones)
        for (const QString& name : fieldsIn(zone.Text))
            if (!out.contains(name))
                out << name;
    return out;
}

QStringList missingFields(const CardDocument& card, const CsvTable& table) {
    QStringList out;
    for (const QString& name : fieldsIn(card))
        if (table.column(name) < 0)
            out << name;
    return out;
}

QString substitute(const QString& text, const CsvTable& table, const CsvRow& row) {
    QString out;
    qsizetype copied = 0;
    eachField(text, [&](qsizetype start, qsizetype length, const QString& name) {
        const int column = table.column(name);
        if (column < 0)
            return;
        out += QStringView(text).mid(copied, start - copied);
        if (column < row.values.size())
            out += withCrLf(row.values.at(column));
        copied = start + length;
    });
    out += QStringView(text).mid(copied);
    return out;
}

CardDocument cardForRow(const CardDocument& card, const CsvTable& table, const CsvRow& row) {
    CardDocument filled = card;
    for (TextZone& zone : filled.Zones)
        zone.Text = substitute(zone.Text, table, row);
    return filled;
}

} // namespace mergefields
