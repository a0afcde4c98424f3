#pragma once

#include <QByteArray>
#include <QtGlobal>

// A read-only window on little-endian bytes. Every read is checked against the window: a read
// past its end gives 0, so a caller first asks has() and skips what does not fit.
class WmfBytes {
public:
    WmfBytes() = default;
    WmfBytes(const char* data, qsizetype size) : data_(data), size_(size < 0 ? 0 : size) {}

    qsizetype size() const { return size_; }
    qsizetype words() const { return size_ / 2; }
    bool has(qsizetype offset, qsizetype count) const {
        return offset >= 0 && count >= 0 && offset <= size_ && count <= size_ - offset;
    }

    quint8 u8(qsizetype offset) const { return has(offset, 1) ? quint8(data_[offset]) : 0; }
    quint16 u16(qsizetype offset) const {
        return has(offset, 2) ? quint16(quint8(data_[offset]) | quint8(data_[offset + 1]) << 8) : 0;
    }
    qint16 s16(qsizetype offset) const { return qint16(u16(offset)); }
    quint32 u32(qsizetype offset) const { return quint32(u16(offset)) | quint32(u16(offset + 2)) << 16; }
    qint32 s32(qsizetype offset) const { return qint32(u32(offset)); }

    // The i-th 16-bit word of the window.
    qint16 word(qsizetype i) const { return s16(2 * i); }

    WmfBytes sub(qsizetype offset, qsizetype count) const {
        return has(offset, count) ? WmfBytes(data_ + offset, count) : WmfBytes();
    }
    WmfBytes from(qsizetype offset) const {
        return has(offset, 0) ? sub(offset, size_ - offset) : WmfBytes();
    }
    QByteArray bytes(qsizetype offset, qsizetype count) const {
        return has(offset, count) ? QByteArray(data_ + offset, count) : QByteArray();
    }

private:
    const char* data_ = nullptr;
    qsizetype size_ = 0;
};
