#pragma once

#include <QImage>

// The donation button's picture, 100 x 44 pixels (times the density), drawn rather than shipped so that it
// follows the About box's font.
QImage donationPicture(const QFont& font, qreal devicePixelRatio = 1);
