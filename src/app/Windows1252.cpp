#include "app/Windows1252.h"

namespace cp1252 {
namespace {

// 0x80..0x9F; the rest of the code page is Latin-1. 0 marks the five unassigned bytes.
constexpr char16_t High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

int byteFor(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    if (c < 0xA0 && High[c - 0x80] == 0)
        return c; // an unassigned byte read earlier goes back as it came

    for (int i = 0; i < 32; ++i)
        if (High[i] == c && c != 0)
            return 0x80 + i;
    return -1;
}

} // namespace

QString decode(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        if (u >= 0x80 && u < 0xA0)
            // Unassigned bytes keep their value, as the platform's own conversion does.
            out.append(QChar(High[u - 0x80] ? High[u - 0x80] : char16_t(u)));
        else
            out.append(QChar(char16_t(u)));
    }
    return out;
}

QByteArray encode(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const int b = byteFor(c.unicode());
        out.append(b < 0 ? '?' : static_cast<char>(b));
    }
    return out;
}

QString unencodable(const QString& text) {
    QString out;
    for (QChar c : text)
        if (byteFor(c.unicode()) < 0 && !out.contains(c))
            out.append(c);
    return out;
}

} // namespace cp1252
