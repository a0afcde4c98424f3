#pragma once

#include <QString>

// The program's one way of turning numbers into text and back: every file, caption and
// message goes through these, so that "." is the separator whatever the locale.
namespace numtext {

// " 12", " .5", "-.5", " 8.25": a blank stands for the sign of a non-negative number,
// at most 15 significant digits, no zero before the point, no trailing zeros.
QString signedText(double value);
// The same for a single-precision value, written from its float value (10.1f gives " 10.1").
QString signedText(float value);
// The same forms without the blank of a non-negative number ("12", ".5", "-.5").
QString plainText(double value);
QString plainText(float value);
// The plain form written out in full, never with an exponent: "12345678901234600", ".00001".
// At most 15 significant digits, like the other forms.
QString decimalText(double value);
// Whole numbers in the signed form (" 0", "-3").
QString signedText(int value);
inline QString signedText(qint64 value) {
    return signedText(static_cast<double>(value));
}

// The number at the start of the text, blanks ignored, "." as separator; 0 when there is none.
double toNumber(const QString& text);
// Like toNumber, but tells whether the text started with a number at all and whether
// it is finite; used by the file readers, which must refuse a field that is not one.
bool parseNumber(const QString& text, double* value);

// Round half to even, as the card and logo dialogs do.
double roundHalfEven(double value);

} // namespace numtext
