#pragma once

#include "platform/PictureLoader.h"

// Icons, cursors, bitmaps, GIF, JPEG and PNG through Qt's image plugins; Windows metafiles
// through our own player; SVG drawings through Qt SVG.
class QtPictureLoader : public PictureLoader {
public:
    // Larger files are refused before anything is decoded; so are pictures of more pixels.
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;
    static constexpr qint64 MaxPixels = 64 * 1024 * 1024;

    // The picture in data; path only tells a damaged metafile by its name.
    static std::optional<Picture> fromData(const QByteArray& data, const QString& path, const QSize& size);

    std::optional<Picture> load(const QString& path) override;
    std::optional<Picture> loadScaled(const QString& path, const QSize& size) override;
};
