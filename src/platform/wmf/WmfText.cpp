#include "platform/wmf/WmfText.h"

#include "app/Windows1252.h"
#include "platform/wmf/WmfRecordType.h"

namespace {

// Strings are padded to a whole number of words.
qsizetype padded(qsizetype length) {
    return length + (length & 1);
}

std::optional<WmfText> readTextOut(const WmfBytes& p) {
    const qint16 length = p.s16(0);
    if (length < 0 || !p.has(2, padded(length) + 4))
        return std::nullopt;
    WmfText t;
    t.text = cp1252::decode(p.bytes(2, length));
    const qsizetype after = 2 + padded(length);
    t.position = QPoint(p.s16(after + 2), p.s16(after));
    return t;
}

std::optional<WmfText> readExtTextOut(const WmfBytes& p) {
    if (!p.has(0, 8))
        return std::nullopt;
    WmfText t;
    t.position = QPoint(p.s16(2), p.s16(0));
    const qint16 length = p.s16(4);
    t.options = p.u16(6);
    qsizetype at = 8;
    if (t.options & (WmfText::Opaque | WmfText::Clipped)) {
        if (!p.has(at, 8))
            return std::nullopt;
        t.rect = QRect(QPoint(p.s16(at), p.s16(at + 2)), QPoint(p.s16(at + 4), p.s16(at + 6)));
        at += 8;
    }
    if (length < 0 || !p.has(at, length))
        return std::nullopt;
    t.text = cp1252::decode(p.bytes(at, length));
    at += padded(length);
    // The advances are optional; a record that holds them holds one per character.
    if (p.has(at, 2 * qsizetype(length))) {
        t.advances.reserve(length);
        for (qint16 i = 0; i < length; ++i)
            t.advances.push_back(p.s16(at + 2 * i));
    }
    return t;
}

} // namespace

std::optional<WmfText> WmfText::read(quint16 function, const WmfBytes& params) {
    if (function == WmfRecordType::TextOut)
        return readTextOut(params);
    if (function == WmfRecordType::ExtTextOut)
        return readExtTextOut(params);
    return std::nullopt;
}
