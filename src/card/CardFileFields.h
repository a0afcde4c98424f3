#pragma once

#include <QString>
#include <optional>

// The conversions of the card file's fields. A field converts only when all of it is a
// value of the target type; anything else is refused, never read as 0.
namespace cardfield {

std::optional<double> toDouble(const QString& field);
std::optional<float> toSingle(const QString& field);
// "True" and "False" in any case, or a number (true when it is not 0).
std::optional<bool> toBoolean(const QString& field);
// Rounded half to even, refused outside the type's range.
std::optional<qint32> toLong(const QString& field);
std::optional<qint16> toInteger(const QString& field);

} // namespace cardfield
