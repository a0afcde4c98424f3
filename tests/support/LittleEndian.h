#pragma once

#include <QByteArray>
#include <initializer_list>

// The values little-endian, of size bytes each, as metafiles, bitmaps and icons store them.
inline QByteArray le(std::initializer_list<qint64> values, int size = 2) {
    QByteArray out;
    for (qint64 v : values)
        for (int i = 0; i < size; ++i)
            out.append(char(v >> 8 * i));
    return out;
}
