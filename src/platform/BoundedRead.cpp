#include "platform/BoundedRead.h"

#include "platform/FileNames.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace boundedread {
namespace {

Result refused(Refusal why) {
    return Result{std::nullopt, why};
}

} // namespace

Result readFile(const QString& path, qint64 maxBytes) {
    const QByteArray name = filename::toBytes(path);
    // A NUL would end the name early: the system would open another file.
    if (name.isEmpty() || name.contains('\0'))
        return refused(Refusal::Missing);
    // Not blocking: opening a pipe without a writer would wait for ever.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return refused(errno == ENOENT || errno == ENOTDIR ? Refusal::Missing : Refusal::Unreadable);
    struct stat st {};
    Result result;
    if (::fstat(fd, &st) != 0) {
        result = refused(Refusal::Unreadable);
    } else if (!S_ISREG(st.st_mode)) {
        result = refused(Refusal::NotOrdinary);
    } else if (st.st_size > maxBytes) {
        result = refused(Refusal::TooLarge);
    } else {
        // The size may change while reading: the bound holds whatever the file does.
        QByteArray bytes;
        bytes.resize(qsizetype(st.st_size) + 1);
        qsizetype got = 0;
        for (;;) {
            if (got == bytes.size()) {
                if (got > maxBytes)
                    break;
                bytes.resize(qsizetype(std::min<qint64>(maxBytes + 1, qint64(got) * 2 + 4096)));
            }
            const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                if (n < 0)
                    got = -1;
                break;
            }
            got += n;
        }
        if (got < 0)
            result = refused(Refusal::Unreadable);
        else if (got > maxBytes)
            result = refused(Refusal::TooLarge);
        else {
            bytes.truncate(got);
            result.bytes = std::move(bytes);
        }
    }
    ::close(fd);
    return result;
}

bool isOrdinaryFile(const QString& path) {
    const QByteArray name = filename::toBytes(path);
    struct stat st {};
    return !name.isEmpty() && !name.contains('\0') && ::stat(name.constData(), &st) == 0 &&
           S_ISREG(st.st_mode);
}

} // namespace boundedread
