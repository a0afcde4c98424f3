#pragma once

#include "platform/PictureLoader.h"

// Icons, cursors, bitmaps, GIF, JPEG and PNG through Qt's image plugins; Windows metafiles
// through our own player; SVG drawings through Qt SVG.
class QtPictureLoader : public PictureLoader {
public:
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

    std::optional<Picture> load(const QString& path) override;
    std::optional<Picture> loadScaled(const QString& path, const QSize& size) override;
};
