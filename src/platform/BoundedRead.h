#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Reads for the program's readers: only an ordinary file is opened (a named pipe, a device
// or a folder could block, never end or be endless), and never more than a bound is read.
namespace boundedread {

enum class Refusal {
    None,
    Missing,     // no such name
    NotOrdinary, // a folder, a pipe, a device
    TooLarge,    // larger than the bound
    Unreadable   // no permission, or a read error
};

struct Result {
    std::optional<QByteArray> bytes;
    Refusal refusal = Refusal::None;
};

// The whole content of the ordinary file at path, when it holds at most maxBytes.
Result readFile(const QString& path, qint64 maxBytes);
// True when path names an ordinary file (after following links).
bool isOrdinaryFile(const QString& path);

} // namespace boundedread
