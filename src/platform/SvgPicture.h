#pragma once

#include "platform/Picture.h"

#include <QByteArray>
#include <memory>

class QSvgRenderer;

// An SVG drawing, replayed as vectors on whatever surface paints it: a logo prints as sharp
// lines and fills, not as pixels.
class SvgPicture : public VectorPicture {
public:
    ~SvgPicture() override;
    // The drawing in data (SVG text, or gzip-compressed SVG); nullptr when it does not parse.
    static std::shared_ptr<SvgPicture> fromData(const QByteArray& data);
    // Whether the bytes begin as an SVG document does (compressed or not).
    static bool looksLikeSvg(const QByteArray& data);

    QSize naturalSize() const override;
    void paint(QPainter& painter, const QRectF& target) const override;

private:
    SvgPicture();
    std::unique_ptr<QSvgRenderer> renderer_;
};
