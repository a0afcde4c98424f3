#include "viewer/PreviewLoading.h"

#include "platform/PictureLoader.h"

namespace viewer {

std::optional<Picture> loadPreview(PictureLoader& loader, const QString& path, const QSize& shownPixels) {
    return loader.loadScaled(path, shownPixels);
}

} // namespace viewer
