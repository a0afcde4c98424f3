#include "platform/FileWrites.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

std::FILE* FileWrites::open(const QByteArray& path, int flags, mode_t mode) {
    const int fd = ::open(path.constData(), flags, mode);
    if (fd < 0)
        return nullptr;
    std::FILE* file = ::fdopen(fd, "w");
    if (!file) {
        const int saved = errno;
        ::close(fd);
        errno = saved;
    }
    return file;
}

std::size_t FileWrites::write(std::FILE* file, const char* data, std::size_t size) {
    return std::fwrite(data, 1, size, file);
}

int FileWrites::flush(std::FILE* file) {
    return std::fflush(file);
}

int FileWrites::sync(std::FILE* file) {
    return ::fsync(::fileno(file));
}

int FileWrites::close(std::FILE* file) {
    return std::fclose(file);
}

int FileWrites::rename(const QByteArray& from, const QByteArray& to) {
    return std::rename(from.constData(), to.constData());
}

int FileWrites::syncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    const int result = ::fsync(fd);
    const int saved = errno;
    ::close(fd);
    errno = saved;
    return result;
}

FileWrites& systemFileWrites() {
    static FileWrites calls;
    return calls;
}
