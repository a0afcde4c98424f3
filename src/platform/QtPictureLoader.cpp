#include "platform/QtPictureLoader.h"

#include "platform/BoundedRead.h"
#include "platform/RasterCompleteness.h"
#include "platform/SvgPicture.h"
#include "platform/wmf/WmfFile.h"
#include "platform/wmf/WmfPicture.h"

#include <QBuffer>
#include <QImageReader>
#include <QSet>

namespace {

// The raster kinds a logo may be; anything else a plugin happens to read is refused.
bool acceptedFormat(const QByteArray& format) {
    static const QSet<QByteArray> accepted{"ico", "cur", "bmp", "dib", "gif", "jpeg", "jpg", "png"};
    return accepted.contains(format.toLower());
}

std::optional<QImage> readRaster(const QByteArray& data, const QSize& fit) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead())
        return std::nullopt;
    // Taken once: the reader forgets it after counting the images.
    const QByteArray format = reader.format().toLower();
    if (!acceptedFormat(format) || !rasterComplete(format, data))
        return std::nullopt;
    // Icon files hold several sizes: keep the largest.
    if ((format == "ico" || format == "cur") && reader.imageCount() > 1) {
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
    // A small file may unpack into a huge picture: the size is known before decoding.
    const QSize natural = reader.size();
    if (natural.isValid() && qint64(natural.width()) * natural.height() > QtPictureLoader::MaxPixels)
        return std::nullopt;
    if (fit.isValid() && natural.isValid() && reader.supportsOption(QImageIOHandler::ScaledSize)) {
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
    const boundedread::Result file = boundedread::readFile(path, MaxFileSize);
    if (!file.bytes)
        return std::nullopt;
    return fromData(*file.bytes, path, size);
}

std::optional<Picture> QtPictureLoader::fromData(const QByteArray& data, const QString& path,
                                                 const QSize& size) {
    // Metafiles are known by their first bytes, or by their name when those are damaged.
    const bool metafileContent = WmfFile::looksLikeWmf(data);
    if (metafileContent || path.endsWith(QLatin1String(".wmf"), Qt::CaseInsensitive)) {
        if (auto wmf = WmfPicture::fromData(data))
            return Picture(std::shared_ptr<const VectorPicture>(wmf));
        if (metafileContent)
            return std::nullopt;
    }
    // SVG drawings stay vectors. Known by their text, or by their name when compressed.
    const bool svgContent = SvgPicture::looksLikeSvg(data);
    if (svgContent || path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive) ||
        path.endsWith(QLatin1String(".svgz"), Qt::CaseInsensitive)) {
        if (auto svg = SvgPicture::fromData(data))
            return Picture(std::shared_ptr<const VectorPicture>(svg));
        if (svgContent)
            return std::nullopt;
    }
    if (auto img = readRaster(data, size))
        return Picture(*img);
    return std::nullopt;
}
