#pragma once

#include "platform/wmf/WmfBytes.h"

#include <QByteArray>
#include <QRect>
#include <QStringList>
#include <optional>
#include <vector>

struct WmfRecord {
    quint16 function = 0;
    qsizetype offset = 0; // of the parameters, in the file
    qsizetype size = 0;   // of the parameters, in bytes
};

// A Windows metafile split into its records. Parsing checks the headers and that every record
// lies inside the file and the list ends with its end record; anything else is refused.
class WmfFile {
public:
    static constexpr quint32 PlaceableKey = 0x9AC6CDD7;
    static constexpr qsizetype MaxFileSize = 64 * 1024 * 1024;
    static constexpr qsizetype MaxRecords = 1000000;

    static std::optional<WmfFile> parse(const QByteArray& data);
    // Whether the first bytes are those of a metafile (placeable or not).
    static bool looksLikeWmf(const QByteArray& head);

    bool placeable() const { return placeable_; }
    // The placeable header's frame, in the metafile's own units, and how many of them make an inch.
    QRect bounds() const { return bounds_; }
    int unitsPerInch() const { return unitsPerInch_; }
    int objectCount() const { return objectCount_; }
    const std::vector<WmfRecord>& records() const { return records_; }
    WmfBytes params(const WmfRecord& record) const {
        return WmfBytes(data_.constData(), data_.size()).sub(record.offset, record.size);
    }

    // The text of every text record, decoded from Windows-1252, in file order.
    QStringList texts() const;

private:
    QByteArray data_;
    bool placeable_ = false;
    QRect bounds_;
    int unitsPerInch_ = 0;
    int objectCount_ = 0;
    std::vector<WmfRecord> records_;
};
