#pragma once

#include "platform/Picture.h"

#include <QWidget>

// An image box that stretches its picture to fill the box.
class PicturePreview : public QWidget {
    Q_OBJECT
public:
    explicit PicturePreview(QWidget* parent = nullptr);
    const Picture& picture() const { return picture_; }
    void setPicture(const Picture& picture);
    // The box's size in device pixels: the size worth decoding a picture at.
    QSize pixelSize() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Picture picture_;
};
