#include "setup/ParameterFile.h"

#include "app/NumberText.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <optional>

namespace parameterfile {
namespace {

const char* const TrueToken = "#TRUE#";
const char* const FalseToken = "#FALSE#";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// Walks the fields: separated by commas or line ends, blanks and empty lines before a field
// skipped, blanks after it dropped.
class FieldReader {
public:
    FieldReader(const QByteArray& data, bool truncated) : data_(data), truncated_(truncated) {}

    std::optional<QByteArray> next() {
        while (pos_ < data_.size() && (isBlank(data_[pos_]) || isLineEnd(data_[pos_])))
            ++pos_;
        if (pos_ >= data_.size())
            return std::nullopt;
        const qsizetype start = pos_;
        while (pos_ < data_.size() && data_[pos_] != ',' && !isLineEnd(data_[pos_]))
            ++pos_;
        // A field cut off by the end of what was read may go on in the file.
        if (pos_ >= data_.size() && truncated_)
            return std::nullopt;
        QByteArray field = data_.mid(start, pos_ - start);
        while (!field.isEmpty() && isBlank(field.back()))
            field.chop(1);
        if (pos_ < data_.size() && data_[pos_] == ',')
            ++pos_;
        return field;
    }

private:
    const QByteArray& data_;
    bool truncated_;
    qsizetype pos_ = 0;
};

std::optional<double> number(const QByteArray& field) {
    // The whole field must be one number: "12.5", ".5", "-2", "1E-05".
    static const QRegularExpression shape(QStringLiteral("^[-+]?(\\d+\\.?\\d*|\\.\\d+)([eEdD][-+]?\\d+)?$"));
    const QString text = QString::fromLatin1(field);
    double value = 0;
    if (!shape.match(text).hasMatch() || !numtext::parseNumber(text, &value))
        return std::nullopt;
    return value;
}

std::optional<bool> flag(const QByteArray& field) {
    if (field.compare(TrueToken, Qt::CaseInsensitive) == 0)
        return true;
    if (field.compare(FalseToken, Qt::CaseInsensitive) == 0)
        return false;
    if (const auto value = number(field))
        return *value != 0;
    return std::nullopt;
}

} // namespace

QByteArray encode(const PrintLayout& l) {
    const double measures[] = {l.leftMargin,        l.topMargin, l.horizontalSeparator,
                               l.verticalSeparator, l.cardWidth, l.cardHeight};
    QByteArray out;
    for (double m : measures) {
        if (!out.isEmpty())
            out += ',';
        out += numtext::plainText(m).toLatin1();
    }
    out += "\r\n";
    out += l.printFrame ? TrueToken : FalseToken;
    out += ',';
    out += l.printCutMarks ? TrueToken : FalseToken;
    out += "\r\n";
    return out;
}

bool apply(const QByteArray& data, PrintLayout& layout, bool truncated, int* fieldsRead) {
    int taken = 0;
    if (!fieldsRead)
        fieldsRead = &taken;
    *fieldsRead = 0;
    FieldReader reader(data, truncated);
    double* const measures[] = {&layout.leftMargin,        &layout.topMargin, &layout.horizontalSeparator,
                                &layout.verticalSeparator, &layout.cardWidth, &layout.cardHeight};
    for (double* measure : measures) {
        const auto field = reader.next();
        if (!field)
            return false;
        const auto value = number(*field);
        if (!value)
            return false;
        *measure = *value;
        ++*fieldsRead;
    }
    const auto frameField = reader.next();
    if (!frameField)
        return false;
    const auto frame = flag(*frameField);
    if (!frame)
        return false;
    const auto cutField = reader.next();
    if (!cutField)
        return false;
    const auto cut = flag(*cutField);
    if (!cut)
        return false;
    layout.printFrame = *frame;
    layout.printCutMarks = *cut;
    *fieldsRead = 8;
    return true;
}

bool read(const QString& path, PrintLayout& layout, int* fieldsRead) {
    if (fieldsRead)
        *fieldsRead = 0;
    // Only ordinary files: a pipe or a device could block or never end.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray data = file.read(MaxBytes + 1);
    const bool truncated = data.size() > MaxBytes;
    if (truncated)
        data.truncate(MaxBytes);
    return apply(data, layout, truncated, fieldsRead);
}

bool write(const QString& path, const PrintLayout& layout) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = encode(layout);
    // The write is buffered: flushing here is what tells whether the bytes all went out
    // (commit alone would take a short write for a success).
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace parameterfile
