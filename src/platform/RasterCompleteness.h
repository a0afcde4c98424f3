#pragma once

#include <QByteArray>

// Some image plugins hand back whatever part of a cut-off file they could decode, filled out
// with grey. A logo that is only partly there is refused: this says whether the file reaches
// its format's end marker.
bool rasterComplete(const QByteArray& format, const QByteArray& data);
