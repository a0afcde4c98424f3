#include "logo/LogoSize.h"

#include "app/NumberText.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace logosize {

QString customText() {
    return QString::fromUtf8(Presets.back().text);
}

QString presetText(const Preset& preset) {
    return QString::fromUtf8(preset.text);
}

std::optional<Preset> presetFor(const QString& text) {
    for (const Preset& p : Presets)
        if (p.width > 0 && presetText(p) == text)
            return p;
    return std::nullopt;
}

Checked checkSize(Dimension dimension, double value, double cardLength) {
    const QString word =
        dimension == Dimension::Width ? QStringLiteral("Largeur") : QStringLiteral("Hauteur");
    const auto limitBox = [&word](const QString& tail) {
        return MessageRequest{word + tail, QStringLiteral("Erreur"), MsgButtons::Ok, MsgIcon::Exclamation, 1};
    };
    Checked out{value, std::nullopt};
    if (out.value > cardLength) {
        out.message = limitBox(QStringLiteral(" maximum de l'image = ") + numtext::signedText(cardLength) +
                               QStringLiteral(" mm !"));
        out.value = dimension == Dimension::Width ? 80 : 50;
    }
    if (out.value < 0) {
        out.message = limitBox(QStringLiteral(" minimum de l'image = 1 mm !"));
        out.value = 1;
    }
    return out;
}

int barPosition(double value) {
    const double r = numtext::roundHalfEven(value);
    if (std::isnan(r))
        return 0;
    return int(std::clamp(r, double(INT_MIN), double(INT_MAX)));
}

} // namespace logosize
