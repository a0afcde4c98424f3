#pragma once

#include <QByteArray>
#include <optional>
#include <vector>

// A QR code's modules, row by row, without its quiet zone.
struct QrMatrix {
    int version = 0;
    int size = 0; // modules per side
    std::vector<bool> dark;

    bool isDark(int row, int column) const { return dark[std::size_t(row * size + column)]; }
};

// The bytes as one QR code, error correction level M, the smallest version they fit in.
// Nothing when they do not fit in any (more than 2331 bytes) or the encoder fails.
std::optional<QrMatrix> encodeQr(const QByteArray& bytes);
