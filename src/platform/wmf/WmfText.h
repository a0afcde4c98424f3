#pragma once

#include "platform/wmf/WmfBytes.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <optional>
#include <vector>

// One text record (plain or extended), read and checked against its record.
struct WmfText {
    static constexpr quint16 Opaque = 0x0002;
    static constexpr quint16 Clipped = 0x0004;

    QString text;
    QPoint position; // logical units
    quint16 options = 0;
    std::optional<QRect> rect;    // the opaque or clipping box, logical units
    std::vector<qint16> advances; // one per character when the record gives them

    // Nothing when the record is not a text record or does not hold what it says.
    static std::optional<WmfText> read(quint16 function, const WmfBytes& params);
};
