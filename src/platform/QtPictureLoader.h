#pragma once

#include "platform/PictureLoader.h"

// Icons, cursors, bitmaps, GIF, JPEG and PNG through Qt's image plugins.
class QtPictureLoader : public PictureLoader {
public:
    std::optional<Picture> load(const QString& path) override;
    std::optional<Picture> loadScaled(const QString& path, const QSize& size) override;
};
