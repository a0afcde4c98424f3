#pragma once

#include "platform/Picture.h"
#include "platform/wmf/WmfFile.h"

#include <QStringList>
#include <memory>

// A Windows metafile as a picture: the records are replayed at every paint, so the picture is
// as sharp on a printer as on the screen.
class WmfPicture : public VectorPicture {
public:
    // Nothing when the data is not a sound metafile.
    static std::shared_ptr<const WmfPicture> fromData(const QByteArray& data);

    QSize naturalSize() const override { return natural_; }
    void paint(QPainter& painter, const QRectF& target) const override;

    // The picture's rectangle in its own units.
    QRectF frame() const { return frame_; }
    // The text the picture writes, decoded, in file order.
    QStringList texts() const { return file_.texts(); }

private:
    static constexpr int ScreenDpi = 96;
    static constexpr int MaxNaturalSide = 4096;
    static constexpr int PlainNaturalSide = 1024;

    explicit WmfPicture(WmfFile file) : file_(std::move(file)) {}
    double onePixel() const { return frame_.width() / natural_.width(); }

    WmfFile file_;
    QRectF frame_;
    QSize natural_;
    double unitsPerInch_ = ScreenDpi;
};
