#include "platform/FileNames.h"

#include <QFile>
#include <QStringList>
#include <dirent.h>

namespace filename {
namespace {

constexpr char16_t EscapeBase = 0xDC00;

// The length of the UTF-8 sequence at i, or 0 when the bytes there are not one.
int sequenceLength(const QByteArray& b, qsizetype i) {
    const auto byte = [&](qsizetype k) { return k < b.size() ? uchar(b[k]) : 0u; };
    const auto follows = [&](qsizetype k) { return (byte(k) & 0xC0) == 0x80; };
    const uint c = byte(i);
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF)
        return follows(i + 1) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        const uint c1 = byte(i + 1);
        // No overlong forms, no surrogates.
        if ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 >= 0xA0))
            return 0;
        return follows(i + 1) && follows(i + 2) ? 3 : 0;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        const uint c1 = byte(i + 1);
        if ((c == 0xF0 && c1 < 0x90) || (c == 0xF4 && c1 >= 0x90))
            return 0;
        return follows(i + 1) && follows(i + 2) && follows(i + 3) ? 4 : 0;
    }
    return 0;
}

bool isEscapedByte(char16_t u) {
    return u >= EscapeBase + 0x80 && u <= EscapeBase + 0xFF;
}

} // namespace

QString fromBytes(const QByteArray& bytes) {
    QString name;
    name.reserve(bytes.size());
    qsizetype i = 0;
    while (i < bytes.size()) {
        const int n = sequenceLength(bytes, i);
        if (n == 0) {
            name += QChar(char16_t(EscapeBase + uchar(bytes[i])));
            ++i;
        } else {
            name += QString::fromUtf8(bytes.constData() + i, n);
            i += n;
        }
    }
    return name;
}

QByteArray toBytes(const QString& name) {
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t u = name.at(i).unicode();
        // A lone escape (not the low half of a pair) stands for its byte.
        const bool paired = i > 0 && name.at(i - 1).isHighSurrogate();
        if (isEscapedByte(u) && !paired) {
            bytes += QStringView(name).mid(start, i - start).toUtf8();
            bytes += char(u - EscapeBase);
            start = i + 1;
        }
    }
    bytes += QStringView(name).mid(start).toUtf8();
    return bytes;
}

namespace {

// The entry of folder whose name, decoded as Qt decodes it, reads as part; empty when none
// or more than one does.
QByteArray entryReadAs(const QByteArray& folder, const QString& part) {
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return {};
    QByteArray found;
    int matches = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray bytes(entry->d_name);
        if (QFile::decodeName(bytes) == part && ++matches == 1)
            found = bytes;
    }
    ::closedir(dir);
    return matches == 1 ? found : QByteArray();
}

} // namespace

QString fromDialogName(const QString& path) {
    if (!path.contains(QChar::ReplacementCharacter))
        return path;
    const QStringList parts = path.split(QLatin1Char('/'));
    QString resolved;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        QString part = parts.at(i);
        if (part.contains(QChar::ReplacementCharacter)) {
            const QByteArray folder = i == 0               ? QByteArray(".")
                                      : resolved.isEmpty() ? QByteArray("/")
                                                           : toBytes(resolved);
            const QByteArray entry = entryReadAs(folder, part);
            if (!entry.isEmpty())
                part = fromBytes(entry);
        }
        resolved = i == 0 ? part : resolved + QLatin1Char('/') + part;
    }
    return resolved;
}

} // namespace filename
