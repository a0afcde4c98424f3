// Feeds arbitrary bytes to the logo picture loader, under each of the names a logo may have.
// A picture it accepts is drawn; a raster one is saved as a bitmap and loaded again, which
// must give a picture of the same size.
#include "platform/QtPictureLoader.h"

#include "OffscreenApplication.h"

#include <QBuffer>
#include <QPainter>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    (void)argc;
    startOffscreenApplication(argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    // The name matters only to a metafile whose first bytes are damaged.
    const QString name = size > 0 && data[0] % 2 ? QStringLiteral("logo.wmf") : QStringLiteral("logo.bmp");
    const auto picture =
        QtPictureLoader::fromData(bytes, name, size > 1 && data[1] % 2 ? QSize(32, 32) : QSize());
    if (!picture || picture->isNull())
        return 0;
    QImage canvas(40, 30, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    picture->paint(painter, QRectF(2, 2, 36, 26));
    painter.end();
    const QSize natural = picture->naturalSize();
    if (picture->isVector() || qint64(natural.width()) * natural.height() > 1024 * 1024)
        return 0;
    QByteArray bitmap;
    QBuffer out(&bitmap);
    out.open(QIODevice::WriteOnly);
    if (!picture->image().save(&out, "BMP"))
        return 0; // a format the bitmap writer does not take
    const auto again = QtPictureLoader::fromData(bitmap, QStringLiteral("again.bmp"), QSize());
    if (!again || again->naturalSize() != natural)
        std::abort();
    return 0;
}
