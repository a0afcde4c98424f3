#include "card/CardFileCursor.h"

namespace {

bool isLineBreak(QChar c) {
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

QString withoutTrailingSpaces(QString s) {
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1) == QLatin1Char(' '))
        --n;
    s.truncate(n);
    return s;
}

} // namespace

std::optional<qsizetype> CardFileCursor::lineEnd() const {
    if (atEnd())
        return std::nullopt;
    const qsizetype limit = std::min<qsizetype>(text_.size(), pos_ + MaxLineLength + 1);
    for (qsizetype i = pos_; i < limit; ++i)
        if (isLineBreak(text_.at(i)))
            return i;
    if (text_.size() - pos_ > MaxLineLength)
        return std::nullopt;
    return text_.size();
}

void CardFileCursor::consumeLineEnd(qsizetype end) {
    pos_ = end;
    if (pos_ < text_.size() && text_.at(pos_) == QLatin1Char('\r'))
        ++pos_;
    if (pos_ < text_.size() && text_.at(pos_) == QLatin1Char('\n'))
        ++pos_;
}

qsizetype CardFileCursor::find(QChar c, qsizetype from, qsizetype end) const {
    const qsizetype i = QStringView(text_).mid(from, end - from).indexOf(c);
    return i < 0 ? end : from + i;
}

void CardFileCursor::skipBlanks(qsizetype end) {
    while (pos_ < end && (text_.at(pos_) == QLatin1Char(' ') || text_.at(pos_) == QLatin1Char('\t')))
        ++pos_;
}

std::optional<QString> CardFileCursor::readLine() {
    const std::optional<qsizetype> lineEnds = lineEnd();
    if (!lineEnds)
        return std::nullopt;
    const qsizetype end = *lineEnds;
    QString line = text_.mid(pos_, end - pos_);
    consumeLineEnd(end);
    return line;
}

std::optional<QString> CardFileCursor::readItem() {
    const std::optional<qsizetype> lineEnds = lineEnd();
    if (!lineEnds)
        return std::nullopt;
    const qsizetype end = *lineEnds;
    skipBlanks(end);
    QString field;
    if (pos_ < end && text_.at(pos_) == QLatin1Char('"')) {
        const qsizetype fieldEnd = find(QLatin1Char('"'), pos_ + 1, end);
        field = text_.mid(pos_ + 1, fieldEnd - pos_ - 1);
        // Anything between the closing quote and the next comma is not part of the field.
        pos_ = find(QLatin1Char(','), std::min(fieldEnd + 1, end), end);
    } else {
        const qsizetype fieldEnd = find(QLatin1Char(','), pos_, end);
        field = withoutTrailingSpaces(text_.mid(pos_, fieldEnd - pos_));
        pos_ = fieldEnd;
    }
    if (pos_ < end)
        ++pos_; // the comma
    else
        consumeLineEnd(end);
    return field;
}

std::optional<QString> CardFileCursor::readRestOfLine() {
    const std::optional<qsizetype> lineEnds = lineEnd();
    if (!lineEnds)
        return std::nullopt;
    const qsizetype end = *lineEnds;
    skipBlanks(end);
    QString rest = withoutTrailingSpaces(text_.mid(pos_, end - pos_));
    consumeLineEnd(end);
    return rest;
}

bool CardFileCursor::nextItemIsQuoted() const {
    for (qsizetype i = pos_; i < text_.size(); ++i) {
        const QChar c = text_.at(i);
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t'))
            return c == QLatin1Char('"');
    }
    return false;
}
