// Feeds arbitrary bytes to the metafile player and to the raster completeness checks.
// Built and run by fuzz/run with clang's libFuzzer and sanitizers.
#include "platform/RasterCompleteness.h"
#include "platform/wmf/WmfDib.h"
#include "platform/wmf/WmfPicture.h"

#include "OffscreenApplication.h"

#include <QImage>
#include <QPainter>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    (void)argc;
    startOffscreenApplication(argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const auto picture = WmfPicture::fromData(bytes)) {
        (void)picture->texts();
        (void)picture->naturalSize();
        QImage image(64, 48, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        picture->paint(painter, QRectF(0, 0, 64, 48));
    }
    (void)WmfDib::decode(WmfBytes(bytes.constData(), bytes.size()));
    for (const char* format : {"png", "jpeg", "gif", "bmp", "ico"})
        (void)rasterComplete(format, bytes);
    return 0;
}
