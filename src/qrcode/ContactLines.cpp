#include "qrcode/ContactLines.h"

#include <QRegularExpression>

namespace contact {
namespace {

// Blanks between digit groups: spaces (the no-break ones too), points or hyphens.
#define KALIMO_GAP "[ \\x{00A0}\\x{202F}.\\-]?"

const QRegularExpression& phonePattern() {
    static const QRegularExpression re(QStringLiteral(
        // French: 0X or +33 X / 0033 X, "(0)" allowed after the country, then four pairs.
        "(?<![\\d+])(?:(?:\\+|00)[ \\x{00A0}\\x{202F}]?33" KALIMO_GAP "(?:(?:\\(0\\)|0)" KALIMO_GAP
        ")?|0)[1-9](?:" KALIMO_GAP "\\d{2}){4}(?!\\d)"
        // From abroad: a country code, then groups of digits.
        "|(?<![\\d+])(?:\\+|00)(?!33)\\d{1,3}(?:" KALIMO_GAP "(?:\\(0\\))?" KALIMO_GAP
        "\\d{1,4}){2,6}(?!\\d)"));
    return re;
}

#undef KALIMO_GAP

const QRegularExpression& emailPattern() {
    static const QRegularExpression re(QStringLiteral("[\\w.%+\\-]+@[\\w\\-]+(?:\\.[\\w\\-]+)+"),
                                       QRegularExpression::UseUnicodePropertiesOption);
    return re;
}

const QRegularExpression& linkPattern() {
    static const QRegularExpression re(QStringLiteral("(?:https?://|www\\.)[^\\s<>\"«»]+"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

// A site written without "www." is taken only under a top-level domain a card commonly shows.
const QRegularExpression& domainPattern() {
    static const QRegularExpression re(
        QStringLiteral("(?<![\\w.@/\\-])(?:[\\w\\-]+\\.)+(?:fr|com|net|org|eu|info|biz|pro|io|be|ch|ca|lu|mc|"
                       "re|bzh|paris|alsace|corsica|tech|app|dev|shop|store|online|site|xyz|co)"
                       "(?![\\w\\-])(?:/[^\\s<>\"«»]*)?"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    return re;
}

// Punctuation that ends the sentence rather than the address.
QString withoutTrailingPunctuation(QString text) {
    while (!text.isEmpty() && QStringLiteral(".,;:!?)»").contains(text.back()))
        text.chop(1);
    return text;
}

// Lower case without accents, for the words in front of a number.
QString plainWords(const QString& text) {
    QString out;
    for (const QChar c : text.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing)
            out += c.toLower();
    return out;
}

// The words between the previous number (or the line's start) and this one say what it is.
void classify(Phone& phone, const QString& label) {
    QString words = plainWords(label);
    const bool telecopie = words.contains(QLatin1String("telecopie"));
    words.remove(QLatin1String("telecopie"));
    phone.fax = telecopie || words.contains(QLatin1String("fax"));
    phone.cell = words.contains(QLatin1String("port")) || words.contains(QLatin1String("mob")) ||
                 words.contains(QLatin1String("gsm")) || words.contains(QLatin1String("cell"));
    phone.voice =
        !phone.cell && (words.contains(QLatin1String("tel")) || words.contains(QLatin1String("phone")) ||
                        words.contains(QLatin1String("fixe")) || words.contains(QLatin1String("bureau")) ||
                        words.contains(QLatin1String("standard")) || words.contains(QLatin1String("ligne")) ||
                        words.contains(QLatin1String("direct")));
    if (phone.fax || phone.cell || phone.voice)
        return;
    // No word: French mobile numbers begin with 6 or 7.
    const bool mobile =
        phone.number.startsWith(QLatin1String("+336")) || phone.number.startsWith(QLatin1String("+337"));
    phone.cell = mobile;
    phone.voice = !mobile;
}

// Takes every match out of the line (blanked, so that what stands around keeps its place).
QStringList takeAll(const QRegularExpression& re, QString& line) {
    QStringList found;
    QRegularExpressionMatchIterator it = re.globalMatch(line);
    QList<QPair<qsizetype, qsizetype>> spans;
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const QString text = withoutTrailingPunctuation(m.captured());
        if (text.isEmpty())
            continue;
        found << text;
        spans.append({m.capturedStart(), text.size()});
    }
    for (const auto& span : spans)
        line.replace(span.first, span.second, QString(span.second, QLatin1Char(' ')));
    return found;
}

} // namespace

QString internationalNumber(const QString& written) {
    QString digits;
    QString text = written;
    text.remove(QLatin1String("(0)"));
    for (const QChar c : text)
        if (c.isDigit())
            digits += c;
    const QString start = text.trimmed();
    if (start.startsWith(QLatin1Char('+')) || digits.startsWith(QLatin1String("00"))) {
        QString international = start.startsWith(QLatin1Char('+')) ? digits : digits.mid(2);
        // "+33 01 23 45 67 89": the national 0 written after the country code too.
        if (international.startsWith(QLatin1String("330")) && international.size() == 12)
            international.remove(2, 1);
        return international.size() >= 8 && international.size() <= 15 ? QLatin1Char('+') + international
                                                                       : QString();
    }
    if (digits.size() == 10 && digits.startsWith(QLatin1Char('0')) && digits.at(1) != QLatin1Char('0'))
        return QStringLiteral("+33") + digits.mid(1);
    return QString();
}

LineFindings recogniseLine(const QString& text) {
    LineFindings f;
    QString line = text;
    // Addresses first: their digits are no telephone numbers.
    f.emails = takeAll(emailPattern(), line);
    for (const QString& link : takeAll(linkPattern(), line))
        f.urls << (link.contains(QLatin1String("://")) ? link : QStringLiteral("http://") + link);
    for (const QString& domain : takeAll(domainPattern(), line))
        f.urls << QStringLiteral("http://") + domain;

    qsizetype labelStart = 0;
    QRegularExpressionMatchIterator it = phonePattern().globalMatch(line);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        Phone phone;
        phone.written = m.captured();
        phone.number = internationalNumber(phone.written);
        const QString label = line.mid(labelStart, m.capturedStart() - labelStart);
        labelStart = m.capturedEnd();
        if (phone.number.isEmpty())
            continue;
        classify(phone, label);
        f.phones << phone;
    }
    return f;
}

} // namespace contact
