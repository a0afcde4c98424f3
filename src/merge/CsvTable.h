#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// A spreadsheet saved as text: a first line of field names, then one record per row.
struct CsvRow {
    int line = 0; // where the row starts in the file, from 1
    QStringList values;
};

struct CsvTable {
    QChar separator;
    QStringList fields; // the first line, blanks around each name removed
    int headerLine = 1;
    std::vector<CsvRow> rows; // blank lines left out
    // Set when the file cannot be used at all (French, names the line); the rest is then empty.
    QString error;
    bool ok() const { return error.isEmpty(); }
    // The column of a field, -1 when the file lacks it; case and blanks do not count.
    int column(const QString& field) const;
};

namespace csv {

// UTF-8 (its byte-order mark dropped) when the bytes are valid UTF-8, else Windows-1252.
QString decode(const QByteArray& bytes);
// ";" "," or a tab: whichever splits the first line that is not blank into most fields,
// quoted values whole before any other (";" on a tie).
QChar findSeparator(const QString& text);
// Reads the whole file's bytes. Quoted fields follow the usual rules: quotes doubled inside,
// separators and line breaks kept; a line break inside a value becomes CR LF.
CsvTable parse(const QByteArray& bytes);
// The file at path read and parsed; error says why it could not be, naming the file.
CsvTable readFile(const QString& path);

} // namespace csv
