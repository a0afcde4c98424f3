#pragma once

#include "app/CardModel.h"

#include <cmath>

// Millimetres and twips, with the one factor the whole program uses.
inline double TwipsEnMM(double ValeurTW) {
    return ValeurTW / TwipsPerMm;
}
inline double MMenTwips(double ValeurMM) {
    return ValeurMM * TwipsPerMm;
}

// Two decimals, cut rather than rounded: 630 twips read back as 11.11 mm.
inline double truncateTwoDecimals(double value) {
    return std::floor(value * 100) / 100;
}

// Each placement of the logo box sets one coordinate, in single precision, from millimetres;
// the others stay where they are.
namespace logobox {
inline void setLeftMm(CardLogo& logo, double mm) {
    logo.boxTwips.moveLeft(float(MMenTwips(mm)));
}
inline void setTopMm(CardLogo& logo, double mm) {
    logo.boxTwips.moveTop(float(MMenTwips(mm)));
}
inline void setWidthMm(CardLogo& logo, double mm) {
    logo.boxTwips.setWidth(float(MMenTwips(mm)));
}
inline void setHeightMm(CardLogo& logo, double mm) {
    logo.boxTwips.setHeight(float(MMenTwips(mm)));
}
} // namespace logobox
