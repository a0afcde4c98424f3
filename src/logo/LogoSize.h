#pragma once

#include "platform/MessageBoxes.h"

#include <QString>
#include <array>
#include <optional>

// The rules of the logo size dialog that need no widget: preset sizes, size limits and
// bar positions.
namespace logosize {

struct Preset {
    const char* text; // the list text, blanks included
    int width;        // millimetres; 0 for the custom entry
    int height;
};

inline constexpr std::array<Preset, 12> Presets{{
    {" 8 x  8 mm", 8, 8},
    {"10 x 10 mm", 10, 10},
    {"12 x 12 mm", 12, 12},
    {"14 x 14 mm", 14, 14},
    {"15 x 15 mm", 15, 15},
    {"18 x 18 mm", 18, 18},
    {"20 x 20 mm", 20, 20},
    {" 8 x 12 mm", 8, 12},
    {"10 x 15 mm", 10, 15},
    {"10 x 20 mm", 10, 20},
    {"15 x 20 mm", 15, 20},
    {"Personnalisé", 0, 0},
}};

QString customText(); // "Personnalisé"
QString presetText(const Preset& preset);
// The preset named by a list text; nullopt for the custom entry and for any other text.
std::optional<Preset> presetFor(const QString& text);

enum class Dimension { Width, Height };

// A width or height as the dialog accepts it: above the card it becomes 80 (width) or
// 50 (height), below 0 it becomes 1, each time with the message that says why.
struct Checked {
    double value = 0;
    std::optional<MessageRequest> message;
};
Checked checkSize(Dimension dimension, double value, double cardLength);

// A bar position for a value in millimetres: the nearest whole number, halves to even.
int barPosition(double value);

} // namespace logosize
