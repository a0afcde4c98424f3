#include "qrcode/ContactCode.h"

#include "platform/PrinterSurface.h"
#include "qrcode/ContactDetails.h"
#include "qrcode/VCard.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr quint32 White = 0xFFFFFF;
} // namespace

bool showsContactCode(const CardLogo& logo) {
    // As for a picture, what the logo shows decides: a path left empty by a cancelled choice, or
    // naming a picture that did not load, still draws it. No logo leaves nothing recorded.
    return logo.RecordedPath == QLatin1String(ContactCodeLogo);
}

void useContactCode(CardLogo& logo) {
    logo.Path = QString::fromLatin1(ContactCodeLogo);
    logo.RecordedPath = logo.Path;
    logo.picture = Picture();
}

ContactCode contactCodeOf(const CardDocument& card) {
    const ContactDetails details = contactDetailsOf(card);
    ContactCode code;
    code.vcard = vcardOf(details);
    code.matrix = encodeQr(code.vcard);
    code.empty = details.isEmpty();
    return code;
}

CodePlacement placeCode(const CardLogo& logo, int modules, CardOrigin at) {
    const QRectF box = QRectF(at.X + logo.Left, at.Y + logo.Top, logo.Width, logo.Height).normalized();
    const double side = std::min(box.width(), box.height());
    CodePlacement p;
    p.square = QRectF(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
    p.moduleMm = modules > 0 ? side / (modules + 2 * QuietModules) : 0;
    return p;
}

void drawContactCode(PrinterSurface& s, const CardDocument& card, CardOrigin at, DrawnCard* drawn) {
    const ContactCode code = contactCodeOf(card);
    const int modules = code.matrix ? code.matrix->size : 0;
    const CodePlacement place = placeCode(card.Logo, modules, at);
    if (drawn) {
        drawn->code = DrawnCode{place.square, place.moduleMm, code.matrix.has_value(), code.empty};
        drawn->logo = place.square;
    }
    if (!code.matrix || !(place.moduleMm > 0))
        return;
    // The quiet zone stays blank, as a picture covers what lies under its rectangle.
    s.fillBox(place.square.left(), place.square.top(), place.square.right(), place.square.bottom(), White);
    const QrMatrix& m = *code.matrix;
    const double unit = place.moduleMm;
    const double x0 = place.square.left(), y0 = place.square.top();
    for (int row = 0; row < m.size; ++row) {
        const double top = y0 + (QuietModules + row) * unit;
        const double bottom = y0 + (QuietModules + row + 1) * unit;
        for (int column = 0; column < m.size;) {
            if (!m.isDark(row, column)) {
                ++column;
                continue;
            }
            const int first = column;
            while (column < m.size && m.isDark(row, column))
                ++column;
            // Black whatever the zones' colours: a reader needs the strongest contrast.
            s.fillBox(x0 + (QuietModules + first) * unit, top, x0 + (QuietModules + column) * unit, bottom,
                      colour::Black);
        }
    }
}
