#include "merge/CsvTable.h"

#include "app/Windows1252.h"
#include "platform/BoundedRead.h"

#include <QStringDecoder>
#include <utility>

namespace {

const QChar Quote(u'"');
// A team's list is a few kilobytes; this leaves room for any real one.
constexpr qint64 LargestFile = 64 * 1024 * 1024;

bool isLineEnd(QChar c) {
    return c == u'\r' || c == u'\n';
}

// Reads one record from text at pos; pos ends after its line end. Counts the lines it crosses.
struct Cursor {
    const QString& text;
    qsizetype pos = 0;
    int line = 1;

    bool atEnd() const { return pos >= text.size(); }

    // Past a CR LF, a lone CR or a lone LF.
    void skipLineEnd() {
        if (text.at(pos) == u'\r' && pos + 1 < text.size() && text.at(pos + 1) == u'\n')
            ++pos;
        ++pos;
        ++line;
    }
};

// A quoted value from just after its opening quote; false when the file ends inside it.
bool readQuoted(Cursor& c, QString& value) {
    for (;;) {
        if (c.atEnd())
            return false;
        const QChar ch = c.text.at(c.pos);
        if (ch == Quote) {
            if (c.pos + 1 < c.text.size() && c.text.at(c.pos + 1) == Quote) {
                value += Quote;
                c.pos += 2;
                continue;
            }
            ++c.pos;
            return true;
        }
        if (isLineEnd(ch)) {
            value += QLatin1String("\r\n");
            c.skipLineEnd();
            continue;
        }
        value += ch;
        ++c.pos;
    }
}

enum class Read { Record, Unclosed };

// One record's values. Text after a closing quote belongs to the value, as spreadsheets read it;
// that, or a quote inside an unquoted value, makes the record not clean (when asked).
Read readRecord(Cursor& c, QChar separator, QStringList& values, bool* clean = nullptr) {
    QString value;
    for (;;) {
        if (c.atEnd()) {
            values << value;
            return Read::Record;
        }
        const QChar ch = c.text.at(c.pos);
        if (ch == separator) {
            values << value;
            value.clear();
            ++c.pos;
        } else if (isLineEnd(ch)) {
            values << value;
            c.skipLineEnd();
            return Read::Record;
        } else if (ch == Quote && value.isEmpty()) {
            ++c.pos;
            if (!readQuoted(c, value))
                return Read::Unclosed;
            if (clean && !c.atEnd() && c.text.at(c.pos) != separator && !isLineEnd(c.text.at(c.pos)))
                *clean = false;
        } else {
            if (clean && ch == Quote)
                *clean = false;
            value += ch;
            ++c.pos;
        }
    }
}

bool isBlank(const QStringList& values) {
    for (const QString& v : values)
        if (!v.trimmed().isEmpty())
            return false;
    return true;
}

} // namespace

int CsvTable::column(const QString& field) const {
    const QString wanted = field.trimmed();
    for (int i = 0; i < fields.size(); ++i)
        if (fields.at(i).compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

namespace csv {

QString decode(const QByteArray& bytes) {
    // The decoder drops a leading byte-order mark itself.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? cp1252::decode(bytes) : text;
}

QChar findSeparator(const QString& text) {
    // The heading read with each separator, as the file will be read: the one that splits it
    // cleanly (quotes only around whole values) into most fields wins, ";" first on a tie.
    QChar best = u';';
    std::pair<bool, qsizetype> most{false, 0};
    for (const QChar separator : {QChar(u';'), QChar(u','), QChar(u'\t')}) {
        Cursor c{text};
        QStringList values;
        bool clean = true;
        while (!c.atEnd()) {
            values.clear();
            clean = true;
            if (readRecord(c, separator, values, &clean) == Read::Unclosed || !isBlank(values))
                break;
        }
        const std::pair<bool, qsizetype> score{clean, values.size()};
        if (score > most) {
            most = score;
            best = separator;
        }
    }
    return best;
}

CsvTable parse(const QByteArray& bytes) {
    CsvTable table;
    const QString text = decode(bytes);
    table.separator = findSeparator(text);
    Cursor c{text};
    bool header = true;
    while (!c.atEnd()) {
        const int line = c.line;
        QStringList values;
        if (readRecord(c, table.separator, values) == Read::Unclosed) {
            CsvTable failed;
            failed.separator = table.separator;
            failed.error = QStringLiteral("ligne %1 : un guillemet ouvert n'est jamais fermé.").arg(line);
            return failed;
        }
        if (isBlank(values))
            continue;
        if (header) {
            for (QString& name : values)
                name = name.trimmed();
            table.fields = values;
            table.headerLine = line;
            header = false;
        } else {
            table.rows.push_back({line, values});
        }
    }
    if (header)
        table.error =
            QStringLiteral("ligne 1 : le fichier est vide, sa première ligne doit nommer les champs.");
    return table;
}

} // namespace csv

CsvTable csv::readFile(const QString& path) {
    using boundedread::Refusal;
    const boundedread::Result read = boundedread::readFile(path, LargestFile);
    CsvTable table;
    switch (read.refusal) {
    case Refusal::None:
        break;
    case Refusal::Missing:
        table.error = QStringLiteral("Fichier ") + path + QStringLiteral(" non trouvé !");
        return table;
    case Refusal::NotOrdinary:
        table.error = path + QStringLiteral(" n'est pas un fichier ordinaire.");
        return table;
    case Refusal::TooLarge:
        table.error = path + QStringLiteral(" est trop grand pour un fichier de données (64 Mo au plus).");
        return table;
    case Refusal::Unreadable:
        table.error = QStringLiteral("Le fichier ") + path + QStringLiteral(" n'a pas pu être lu.");
        return table;
    }
    table = parse(*read.bytes);
    if (!table.ok())
        table.error = path + QStringLiteral(", ") + table.error;
    return table;
}
