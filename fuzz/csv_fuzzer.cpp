// Feeds arbitrary bytes to the spreadsheet reader. A table it reads is written again with
// every value quoted and read back: the fields and the rows must come back the same (when its
// heading, written again, still tells the separator). The fields found in the text are filled
// from its first row: a text without fields is left as it is.
#include "merge/CsvTable.h"
#include "merge/MergeFields.h"

#include <cstdint>
#include <cstdlib>

namespace {

QString quoted(const QStringList& values, QChar separator) {
    QStringList out;
    for (QString v : values)
        out << QLatin1Char('"') + v.replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
    return out.join(separator) + QLatin1String("\r\n");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const CsvTable table = csv::parse(bytes);
    if (!table.ok()) {
        if (!table.rows.empty() || !table.fields.isEmpty())
            std::abort(); // a refused file must not look half read
        return 0;
    }
    int line = table.headerLine;
    for (const CsvRow& row : table.rows) {
        if (row.line <= line)
            std::abort(); // rows out of the file's order
        line = row.line;
    }
    // A heading of one field written again names no separator: the rows could not say theirs.
    if (table.fields.size() < 2 && table.separator != u';')
        return 0;
    QString written = quoted(table.fields, table.separator);
    for (const CsvRow& row : table.rows)
        written += quoted(row.values, table.separator);
    const CsvTable again = csv::parse(written.toUtf8());
    if (!again.ok() || again.fields != table.fields || again.rows.size() != table.rows.size())
        std::abort();
    for (std::size_t i = 0; i < table.rows.size(); ++i)
        if (again.rows[i].values != table.rows[i].values)
            std::abort(); // a value changed on its way through the file

    const QString text = csv::decode(bytes);
    const CsvRow none;
    const QString filled =
        mergefields::substitute(text, table, table.rows.empty() ? none : table.rows.front());
    if (mergefields::fieldsIn(text).isEmpty() && filled != text)
        std::abort(); // text changed where it holds no field
    return 0;
}
