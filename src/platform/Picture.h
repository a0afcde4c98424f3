#pragma once

#include <QImage>
#include <QRectF>
#include <memory>

class QPainter;

// A picture drawn by replaying commands (a Windows metafile) rather than from pixels, so
// that it prints sharp at any size.
class VectorPicture {
public:
    virtual ~VectorPicture() = default;
    virtual QSize naturalSize() const = 0;
    virtual void paint(QPainter& painter, const QRectF& target) const = 0;
};

// What LoadPicture gives: pixels or a vector picture, or nothing (the empty picture).
class Picture {
public:
    Picture() = default;
    explicit Picture(QImage image) : image_(std::move(image)) {}
    explicit Picture(std::shared_ptr<const VectorPicture> vector) : vector_(std::move(vector)) {}

    bool isNull() const { return !vector_ && image_.isNull(); }
    bool isVector() const { return bool(vector_); }
    QSize naturalSize() const;
    const QImage& image() const { return image_; }

    // Draws the picture stretched to fill target.
    void paint(QPainter& painter, const QRectF& target) const;
    // The picture rendered at the given size, for the screen's small previews.
    QImage toImage(const QSize& size) const;

private:
    QImage image_;
    std::shared_ptr<const VectorPicture> vector_;
};
