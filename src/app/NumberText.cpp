#include "app/NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace numtext {
namespace {

// Drops the zero of "0.x" and "-0.x" and writes exponents as "E".
QString tidy(QString s) {
    s.replace(QLatin1Char('e'), QLatin1Char('E'));
    if (s.startsWith(QLatin1String("0.")))
        s.remove(0, 1);
    else if (s.startsWith(QLatin1String("-0.")))
        s.remove(1, 1);
    return s;
}

QString formatDouble(double value) {
    if (value == 0.0)
        return QStringLiteral("0"); // also turns -0 into 0
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", value);
    return tidy(QString::fromLatin1(buf));
}

// Single-precision values carry 7 significant digits: 10.1f gives 10.1, not 10.1000003814697.
QString formatFloat(float value) {
    if (value == 0.0f)
        return QStringLiteral("0");
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.7G", static_cast<double>(value));
    return tidy(QString::fromLatin1(buf));
}

QString withSign(const QString& digits) {
    return digits.startsWith(QLatin1Char('-')) ? digits : QLatin1Char(' ') + digits;
}

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r');
}

} // namespace

QString signedText(double value) {
    return withSign(formatDouble(value));
}
QString signedText(float value) {
    return withSign(formatFloat(value));
}
QString plainText(double value) {
    return formatDouble(value);
}
QString plainText(float value) {
    return formatFloat(value);
}
QString decimalText(double value) {
    if (value == 0.0 || !std::isfinite(value))
        return QStringLiteral("0");
    // The 15 significant digits and the power of ten, then the point put back by hand.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14E", value);
    const QString text = QString::fromLatin1(buf);
    const qsizetype e = text.indexOf(QLatin1Char('E'));
    const bool negative = text.startsWith(QLatin1Char('-'));
    QString digits = text.mid(negative ? 1 : 0, e - (negative ? 1 : 0)).remove(QLatin1Char('.'));
    const int exponent = text.mid(e + 1).toInt();
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);
    QString out;
    if (exponent < 0)
        out = QLatin1Char('.') + QString(-exponent - 1, QLatin1Char('0')) + digits;
    else if (exponent + 1 >= digits.size())
        out = digits + QString(exponent + 1 - digits.size(), QLatin1Char('0'));
    else
        out = digits.left(exponent + 1) + QLatin1Char('.') + digits.mid(exponent + 1);
    return negative ? QLatin1Char('-') + out : out;
}

QString signedText(int value) {
    return withSign(QString::number(value));
}

bool parseNumber(const QString& text, double* value) {
    // Gather the longest number at the start, skipping blanks wherever they stand.
    std::string s;
    enum { Sign, Int, Frac, ExpSign, Exp } state = Sign;
    bool digits = false;
    bool expDigits = false;
    for (QChar c : text) {
        if (isBlank(c))
            continue;
        const char ch = c.toLatin1();
        if (state == Sign && (ch == '-' || ch == '+')) {
            s += ch;
            state = Int;
        } else if (ch >= '0' && ch <= '9') {
            if (state == ExpSign)
                state = Exp;
            if (state == Sign)
                state = Int;
            if (state == Exp)
                expDigits = true;
            else
                digits = true;
            s += ch;
        } else if (ch == '.' && (state == Sign || state == Int)) {
            s += ch;
            state = Frac;
        } else if ((ch == 'E' || ch == 'e' || ch == 'D' || ch == 'd') && digits &&
                   (state == Int || state == Frac)) {
            s += 'E';
            state = ExpSign;
        } else if (state == ExpSign && (ch == '-' || ch == '+') && s.back() == 'E') {
            s += ch;
        } else {
            break;
        }
    }
    if (!digits) {
        *value = 0.0;
        return false;
    }
    if ((state == ExpSign || state == Exp) && !expDigits) {
        // "5E" or "5E-": the exponent never came, the number ends before it.
        s.erase(s.find('E'));
    }
    const double v = std::strtod(s.c_str(), nullptr);
    if (!std::isfinite(v)) {
        *value = 0.0;
        return false;
    }
    *value = v;
    return true;
}

double toNumber(const QString& text) {
    double v = 0.0;
    parseNumber(text, &v);
    return v;
}

double roundHalfEven(double value) {
    return std::nearbyint(value);
}

} // namespace numtext
