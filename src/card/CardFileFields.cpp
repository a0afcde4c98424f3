#include "card/CardFileFields.h"

#include "app/NumberText.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace cardfield {

std::optional<double> toDouble(const QString& field) {
    static const QRegularExpression number(
        QStringLiteral("^[ \\t]*[+-]?(\\d+\\.?\\d*|\\.\\d+)([eEdD][+-]?\\d+)?[ \\t]*$"));
    double value = 0;
    if (!number.match(field).hasMatch() || !numtext::parseNumber(field, &value))
        return std::nullopt;
    return value;
}

std::optional<float> toSingle(const QString& field) {
    const auto value = toDouble(field);
    if (!value || std::fabs(*value) > double(std::numeric_limits<float>::max()))
        return std::nullopt;
    return float(*value);
}

std::optional<bool> toBoolean(const QString& field) {
    const QString word = field.trimmed();
    if (word.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (word.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    const auto value = toDouble(field);
    if (!value)
        return std::nullopt;
    return *value != 0.0;
}

namespace {

template <typename Int> std::optional<Int> toWhole(const QString& field) {
    const auto value = toDouble(field);
    if (!value)
        return std::nullopt;
    const double rounded = numtext::roundHalfEven(*value);
    if (rounded < double(std::numeric_limits<Int>::min()) ||
        rounded > double(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return Int(rounded);
}

} // namespace

std::optional<qint32> toLong(const QString& field) {
    return toWhole<qint32>(field);
}

std::optional<qint16> toInteger(const QString& field) {
    return toWhole<qint16>(field);
}

} // namespace cardfield
