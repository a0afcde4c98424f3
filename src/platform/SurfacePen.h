#pragma once

#include <QPen>

// The pen of a surface's Line: the colour on the card, the width in dots at 600 dpi and the
// draw style (0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none), for a device of
// k pixels per millimetre. Lines never get thinner than minimumPixels.
QPen surfacePen(quint32 colour, int drawStyle, int lineWidthDots, double k, double minimumPixels = 0);
