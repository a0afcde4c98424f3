#include "platform/SvgPicture.h"

#include <QPainter>
#include <QSvgRenderer>

SvgPicture::SvgPicture() : renderer_(std::make_unique<QSvgRenderer>()) {}
SvgPicture::~SvgPicture() = default;

bool SvgPicture::looksLikeSvg(const QByteArray& data) {
    if (data.startsWith("\x1f\x8b")) // gzip: only an SVG reader is offered such a file by name
        return false;
    // The root element comes after an XML declaration, comments or a document type.
    const QByteArray head = data.left(4096);
    const int root = head.indexOf("<svg");
    return root >= 0 && !head.left(root).contains("<html");
}

std::shared_ptr<SvgPicture> SvgPicture::fromData(const QByteArray& data) {
    std::shared_ptr<SvgPicture> picture(new SvgPicture);
    if (!picture->renderer_->load(data) || !picture->renderer_->isValid())
        return nullptr;
    // Stretched to the logo's box, as every logo is.
    picture->renderer_->setAspectRatioMode(Qt::IgnoreAspectRatio);
    return picture;
}

QSize SvgPicture::naturalSize() const {
    const QSize size = renderer_->defaultSize();
    return size.isEmpty() ? QSize(100, 100) : size;
}

void SvgPicture::paint(QPainter& painter, const QRectF& target) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    renderer_->render(&painter, target);
    painter.restore();
}
