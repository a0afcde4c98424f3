#pragma once

#include "platform/Picture.h"

#include <QString>
#include <optional>

// LoadPicture: icon, cursor, bitmap, GIF, JPEG and Windows metafile files. An empty path
// gives the empty picture; anything that does not decode gives nullopt.
class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    virtual std::optional<Picture> load(const QString& path) = 0;
    // The picture decoded to fit the given size, for previews of large photographs.
    virtual std::optional<Picture> loadScaled(const QString& path, const QSize& size) {
        (void)size;
        return load(path);
    }
};
