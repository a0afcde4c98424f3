#pragma once

#include <QString>
#include <optional>

// Walks the decoded text of a card file in its two ways of reading: whole lines, and
// items (comma-separated fields, quoted or not). Every read refuses a line longer than
// the bound, so a file that is not a card cannot make a field grow without limit.
class CardFileCursor {
public:
    static constexpr int MaxLineLength = 65535;

    explicit CardFileCursor(QString text) : text_(std::move(text)) {}

    bool atEnd() const { return pos_ >= text_.size(); }
    // The line without its end (CR LF, CR or LF); nullopt at the end of the text or on a
    // line over the bound.
    std::optional<QString> readLine();
    // Skips spaces and tabs, then takes a quoted field up to its closing quote, or an
    // unquoted one up to a comma or the line end without its trailing spaces; what ends
    // the field (comma or line end) is consumed. nullopt at the end of the text.
    std::optional<QString> readItem();
    // True when the next item, past its blanks, opens with a double quote.
    bool nextItemIsQuoted() const;
    // The rest of the line, without its leading blanks and trailing spaces; commas kept.
    std::optional<QString> readRestOfLine();

private:
    // Index of the end of the current line (its CR or LF, or the text's end); nothing at the
    // end of the text or when the line is longer than the bound.
    std::optional<qsizetype> lineEnd() const;
    // Moves past the line end at index end.
    void consumeLineEnd(qsizetype end);
    void skipBlanks(qsizetype end);
    // Index of c within [from, end), or end when it is not there.
    qsizetype find(QChar c, qsizetype from, qsizetype end) const;

    QString text_;
    qsizetype pos_ = 0;
};
