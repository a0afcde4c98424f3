#include "print/CalibrationPage.h"

#include "platform/PrinterSurface.h"
#include "setup/PrintLayout.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <tuple>

namespace calibration {
namespace {

constexpr double PageWidth = 210;
constexpr double PageHeight = 297;
constexpr quint32 Black = 0;

void label(PrinterSurface& s, double x, double y, int value) {
    s.setCurrentX(x);
    s.setCurrentY(y);
    s.print(QString::number(value));
}

} // namespace

double tickLength(int k) {
    return k % 10 == 0 ? 5 : k % 5 == 0 ? 3.5 : 2;
}

void drawPage(PrinterSurface& s, const PrintLayout& layout) {
    s.setDrawStyle(0);
    s.setFontName(QStringLiteral("Arial"));
    s.setFontSize(6);
    s.setFontBold(false);
    s.setFontItalic(false);
    s.setForeColor(Black);

    // The horizontal ruler, edge to edge, with its numbers under the long ticks.
    s.line(0, RulerY, PageWidth, RulerY, Black);
    for (int k = 0; k <= int(PageWidth); ++k) {
        s.line(k, RulerY, k, RulerY + tickLength(k), Black);
        if (k % 10 == 0 && k > 0 && k < PageWidth)
            label(s, k + 0.4, RulerY + 6, k);
    }
    // The vertical ruler, top to bottom, numbers right of the long ticks.
    s.line(RulerX, 0, RulerX, PageHeight, Black);
    for (int k = 0; k <= int(PageHeight); ++k) {
        s.line(RulerX, k, RulerX + tickLength(k), k, Black);
        if (k % 10 == 0 && k > 0 && k < PageHeight && std::abs(k - RulerY) > 8) // clear of the other ruler
            label(s, RulerX + 6, k + 0.3, k);
    }

    // Each cell's four corners, their arms pointing into the cell.
    const double w = layout.cardWidth, h = layout.cardHeight;
    const double arm = std::min({CornerArm, std::abs(w) / 2, std::abs(h) / 2});
    for (int n = 1; n <= 10; ++n) {
        const int c = (n - 1) % 2, r = (n - 1) / 2;
        const double x = layout.leftMargin + c * (w + layout.horizontalSeparator);
        const double y = layout.topMargin + r * (h + layout.verticalSeparator);
        for (const auto& [cx, cy, dx, dy] : {std::tuple{x, y, 1, 1}, std::tuple{x + w, y, -1, 1},
                                             std::tuple{x, y + h, 1, -1}, std::tuple{x + w, y + h, -1, -1}}) {
            s.line(cx, cy, cx + dx * arm, cy, Black);
            s.line(cx, cy, cx, cy + dy * arm, Black);
        }
    }
}

} // namespace calibration
