#include "qrcode/QrMatrix.h"

#include <qrencode.h>

#include <memory>

std::optional<QrMatrix> encodeQr(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return std::nullopt;
    const std::unique_ptr<QRinput, decltype(&QRinput_free)> input(QRinput_new2(0, QR_ECLEVEL_M),
                                                                  &QRinput_free);
    if (!input)
        return std::nullopt;
    // Byte mode, announced as UTF-8 (ECI 26): a reader left to guess may take accented
    // letters for another alphabet.
    if (QRinput_appendECIheader(input.get(), 26) != 0 ||
        QRinput_append(input.get(), QR_MODE_8, int(bytes.size()),
                       reinterpret_cast<const unsigned char*>(bytes.constData())) != 0)
        return std::nullopt;
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(QRcode_encodeInput(input.get()), &QRcode_free);
    if (!code || code->width <= 0)
        return std::nullopt;
    QrMatrix m;
    m.version = code->version;
    m.size = code->width;
    m.dark.resize(std::size_t(m.size) * std::size_t(m.size));
    for (std::size_t i = 0; i < m.dark.size(); ++i)
        m.dark[i] = (code->data[i] & 1) != 0;
    return m;
}
