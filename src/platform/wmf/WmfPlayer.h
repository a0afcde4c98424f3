#pragma once

#include "platform/wmf/WmfDeviceState.h"
#include "platform/wmf/WmfFile.h"

#include <QBrush>
#include <QPen>
#include <QRectF>
#include <vector>

class QPainter;
struct WmfText;

// Replays a metafile's records. It draws in frame units: the picture's own rectangle, which
// the caller maps onto the page. Records that do not fit their own size are skipped.
class WmfPlayer {
public:
    // onePixel: the size, in frame units, of one pixel of the picture at its natural size.
    WmfPlayer(const WmfFile& file, const QRectF& frame, double unitsPerInch, double onePixel);

    void play(QPainter& painter);
    // The bounds of everything the records would draw, in frame units.
    QRectF measure();

private:
    static constexpr int MaxSavedStates = 1024;
    static constexpr int MaxObjects = 65535;
    // Work a hostile file could ask for without end; real pictures stay far below.
    static constexpr int MaxClipChanges = 2000;
    static constexpr int MaxClipElements = 512;
    static constexpr qsizetype MaxTextCharacters = 200000;
    // How many frame sizes away from the frame drawing is still followed exactly.
    static constexpr double FarAway = 8;

    void run();
    void record(quint16 function, const WmfBytes& p);
    void stateRecord(quint16 function, const WmfBytes& p);
    void mappingRecord(quint16 function, const WmfBytes& p);
    void objectRecord(quint16 function, const WmfBytes& p);
    void drawingRecord(quint16 function, const WmfBytes& p);
    void bitmapRecord(quint16 function, const WmfBytes& p);

    // The object table and the saved states.
    void createObject(WmfObject object);
    void selectObject(int index);
    void deleteObject(int index);
    void saveState();
    void restoreState(int which);
    void clipRect(const WmfBytes& p, bool exclude);
    void applyClip();

    // Logical units to frame units.
    double scaleX() const;
    double scaleY() const;
    QPointF toFrame(double x, double y) const;
    QPointF toFrame(const QPointF& p) const { return toFrame(p.x(), p.y()); }
    QRectF rectToFrame(double left, double top, double right, double bottom) const;

    // Drawing in frame units.
    QPen pen() const;
    QBrush brush() const;
    void drawShape(QPainterPath path, bool filled);
    void fillRect(const QRectF& rect, const QBrush& brush);
    void drawPoints(const WmfBytes& p, bool closed);
    void drawPolyPolygon(const WmfBytes& p);
    void drawArc(const WmfBytes& p, int kind);
    void drawText(const WmfText& text);
    void drawBitmap(const WmfBytes& dib, QRectF source, bool sourceFromBottom, const QRectF& dest,
                    quint32 rop);
    void patternBlit(quint32 rop, const QRectF& dest);

    const WmfFile& file_;
    QRectF frame_;
    double unitsPerInch_;
    double onePixel_;
    QPainter* painter_ = nullptr;
    QRectF measured_;
    WmfDeviceState state_;
    std::vector<WmfDeviceState> saved_;
    std::vector<WmfObject> objects_;
    int clipChanges_ = 0;
    qsizetype textCharacters_ = 0;
};
