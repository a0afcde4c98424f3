#pragma once

#include <QtGlobal>

// Function numbers of the metafile records this player knows.
namespace WmfRecordType {
constexpr quint16 Eof = 0x0000;
constexpr quint16 SaveDC = 0x001E;
constexpr quint16 CreatePalette = 0x00F7;
constexpr quint16 SetBkMode = 0x0102;
constexpr quint16 SetMapMode = 0x0103;
constexpr quint16 SetRop2 = 0x0104;
constexpr quint16 SetPolyFillMode = 0x0106;
constexpr quint16 RestoreDC = 0x0127;
constexpr quint16 SelectObject = 0x012D;
constexpr quint16 SetTextAlign = 0x012E;
constexpr quint16 DibCreatePatternBrush = 0x0142;
constexpr quint16 DeleteObject = 0x01F0;
constexpr quint16 CreatePatternBrush = 0x01F9;
constexpr quint16 SetBkColor = 0x0201;
constexpr quint16 SetTextColor = 0x0209;
constexpr quint16 SetWindowOrg = 0x020B;
constexpr quint16 SetWindowExt = 0x020C;
constexpr quint16 SetViewportOrg = 0x020D;
constexpr quint16 SetViewportExt = 0x020E;
constexpr quint16 OffsetWindowOrg = 0x020F;
constexpr quint16 OffsetViewportOrg = 0x0211;
constexpr quint16 LineTo = 0x0213;
constexpr quint16 MoveTo = 0x0214;
constexpr quint16 CreatePenIndirect = 0x02FA;
constexpr quint16 CreateFontIndirect = 0x02FB;
constexpr quint16 CreateBrushIndirect = 0x02FC;
constexpr quint16 Polygon = 0x0324;
constexpr quint16 Polyline = 0x0325;
constexpr quint16 ScaleWindowExt = 0x0410;
constexpr quint16 ScaleViewportExt = 0x0412;
constexpr quint16 ExcludeClipRect = 0x0415;
constexpr quint16 IntersectClipRect = 0x0416;
constexpr quint16 Ellipse = 0x0418;
constexpr quint16 Rectangle = 0x041B;
constexpr quint16 SetPixel = 0x041F;
constexpr quint16 TextOut = 0x0521;
constexpr quint16 PolyPolygon = 0x0538;
constexpr quint16 RoundRect = 0x061C;
constexpr quint16 PatBlt = 0x061D;
constexpr quint16 CreateRegion = 0x06FF;
constexpr quint16 Arc = 0x0817;
constexpr quint16 Pie = 0x081A;
constexpr quint16 Chord = 0x0830;
constexpr quint16 ExtTextOut = 0x0A32;
constexpr quint16 DibBitBlt = 0x0940;
constexpr quint16 DibStretchBlt = 0x0B41;
constexpr quint16 SetDibToDev = 0x0D33;
constexpr quint16 StretchDib = 0x0F43;
} // namespace WmfRecordType
