#include "platform/SurfacePen.h"

#include "app/Colour.h"

#include <algorithm>

QPen surfacePen(quint32 colour, int drawStyle, int lineWidthDots, double k, double minimumPixels) {
    const double widthMm = std::max(lineWidthDots * 25.4 / 600, 0.0);
    const double widthPx = std::max(widthMm * k, minimumPixels);
    QPen p(colour::onCard(colour));
    p.setWidthF(widthPx);
    switch (drawStyle) {
    case 1:
        p.setStyle(Qt::DashLine);
        break;
    case 2:
        p.setStyle(Qt::DotLine);
        break;
    case 3: {
        // Dash, gap, dot, gap in millimetres, so that the pattern shows at any line width.
        const double w = std::max(widthPx / k, 0.01);
        p.setDashPattern({1.6 / w, 0.8 / w, 0.3 / w, 0.8 / w});
        p.setCapStyle(Qt::FlatCap);
        break;
    }
    case 4:
        p.setStyle(Qt::DashDotDotLine);
        break;
    case 5:
        p.setStyle(Qt::NoPen);
        break;
    default:
        p.setStyle(Qt::SolidLine);
        break;
    }
    return p;
}
