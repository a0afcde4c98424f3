#include "platform/QtPictureLoader.h"

#include <QFile>
#include <QImageReader>
#include <QSet>

namespace {

// The raster kinds a logo may be; anything else a plugin happens to read is refused.
bool acceptedFormat(const QByteArray& format) {
    static const QSet<QByteArray> accepted{"ico", "cur", "bmp", "dib", "gif", "jpeg", "jpg", "png"};
    return accepted.contains(format.toLower());
}

std::optional<QImage> readRaster(const QString& path, const QSize& fit) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead() || !acceptedFormat(reader.format()))
        return std::nullopt;
    // Icon files hold several sizes: keep the largest.
    if (reader.imageCount() > 1 && (reader.format() == "ico" || reader.format() == "cur")) {
        QImage best;
        for (int i = 0; i < reader.imageCount(); ++i) {
            if (!reader.jumpToImage(i))
                break;
            QImage img = reader.read();
            if (!img.isNull() && qint64(img.width()) * img.height() > qint64(best.width()) * best.height())
                best = img;
        }
        if (best.isNull())
            return std::nullopt;
        return best;
    }
    if (fit.isValid() && reader.size().isValid() && reader.supportsOption(QImageIOHandler::ScaledSize)) {
        const QSize natural = reader.size();
        if (natural.width() > fit.width() * 2 || natural.height() > fit.height() * 2)
            reader.setScaledSize(natural.scaled(fit, Qt::KeepAspectRatioByExpanding));
    }
    QImage img = reader.read();
    if (img.isNull())
        return std::nullopt;
    return img;
}

} // namespace

std::optional<Picture> QtPictureLoader::load(const QString& path) {
    return loadScaled(path, QSize());
}

std::optional<Picture> QtPictureLoader::loadScaled(const QString& path, const QSize& size) {
    if (path.isEmpty())
        return Picture();
    if (!QFile::exists(path))
        return std::nullopt;
    if (auto img = readRaster(path, size))
        return Picture(*img);
    return std::nullopt;
}
