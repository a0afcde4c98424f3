#include "setup/ParameterFile.h"

#include "app/NumberText.h"
#include "card/SafeFileWrite.h"
#include "platform/BoundedRead.h"
#include "platform/FileNames.h"

#include <QFile>
#include <QRegularExpression>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

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

// The start of a file over the bound; it is known to be an ordinary file.
QByteArray firstBytes(const QString& path) {
    QFile file;
    const int fd = ::open(filename::toBytes(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0)
            ::close(fd);
        return {};
    }
    return file.read(MaxBytes);
}

} // namespace

QByteArray encode(const PrintLayout& l) {
    const double measures[] = {l.leftMargin,        l.topMargin, l.horizontalSeparator,
                               l.verticalSeparator, l.cardWidth, l.cardHeight};
    QByteArray out;
    for (double m : measures) {
        if (!out.isEmpty())
            out += ',';
        out += numtext::decimalText(m).toLatin1();
    }
    out += "\r\n";
    out += l.printFrame ? TrueToken : FalseToken;
    out += ',';
    out += l.printCutMarks ? TrueToken : FalseToken;
    out += "\r\n";
    return out;
}

bool apply(const QByteArray& data, PrintLayout& layout, bool truncated, int* stoppedAt) {
    static const QByteArray bom("\xEF\xBB\xBF");
    const QByteArray content = data.startsWith(bom) ? data.mid(bom.size()) : data;
    FieldReader reader(content, truncated);
    int fieldNumber = 0;
    const auto stop = [&] {
        if (stoppedAt)
            *stoppedAt = fieldNumber;
        return false;
    };
    double* const measures[] = {&layout.leftMargin,        &layout.topMargin, &layout.horizontalSeparator,
                                &layout.verticalSeparator, &layout.cardWidth, &layout.cardHeight};
    for (double* measure : measures) {
        ++fieldNumber;
        const auto field = reader.next();
        if (!field)
            return stop();
        const auto value = number(*field);
        if (!value)
            return stop();
        *measure = *value;
    }
    ++fieldNumber;
    const auto frameField = reader.next();
    if (!frameField)
        return stop();
    const auto frame = flag(*frameField);
    if (!frame)
        return stop();
    ++fieldNumber;
    const auto cutField = reader.next();
    if (!cutField)
        return stop();
    const auto cut = flag(*cutField);
    if (!cut)
        return stop();
    layout.printFrame = *frame;
    layout.printCutMarks = *cut;
    return true;
}

bool read(const QString& path, PrintLayout& layout, int* stoppedAt) {
    if (stoppedAt)
        *stoppedAt = 0;
    // Only ordinary files: a pipe or a device could block or never end. A longer file is
    // read up to the bound, as far as its fields go.
    const boundedread::Result file = boundedread::readFile(path, MaxBytes);
    if (file.bytes)
        return apply(*file.bytes, layout, false, stoppedAt);
    if (file.refusal != boundedread::Refusal::TooLarge)
        return false;
    return apply(firstBytes(path), layout, true, stoppedAt);
}

bool write(const QString& path, const PrintLayout& layout, FileWrites& calls) {
    return replaceFileContent(path, encode(layout), calls);
}

} // namespace parameterfile
