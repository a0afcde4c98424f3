#pragma once

#include "platform/Picture.h"

#include <QSize>
#include <QString>
#include <optional>

class PictureLoader;

// The viewer's two image boxes, in twips.
namespace viewer {
inline constexpr int LargePreviewTwips = 3615;
inline constexpr int SmallPreviewTwips = 735;

// The picture decoded at the size it is shown, not at its own: a large photograph then
// previews in a fraction of the time a full decode takes. nullopt when it does not load.
std::optional<Picture> loadPreview(PictureLoader& loader, const QString& path, const QSize& shownPixels);
} // namespace viewer
