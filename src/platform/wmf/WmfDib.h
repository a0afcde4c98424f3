#pragma once

#include "platform/wmf/WmfBytes.h"

#include <QImage>

// Device-independent bitmaps as metafiles embed them: an info header, a colour table, then the
// rows, bottom row first unless the height is negative.
namespace WmfDib {

constexpr qint64 MaxPixels = 32 * 1024 * 1024;

struct Decoded {
    QImage image; // top row first
    bool bottomUp = true;
};

// A null image when the bitmap is damaged or of a kind not drawn (compressed, palette indices).
Decoded decode(const WmfBytes& dib);

} // namespace WmfDib
