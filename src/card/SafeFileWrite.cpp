#include "card/SafeFileWrite.h"

#include "platform/FileNames.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return ".";
    return slash == 0 ? QByteArray("/") : path.left(slash);
}

QByteArray nameOf(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

// The file a link points to gets the new content; the link stays.
QByteArray resolved(const QByteArray& path) {
    char buffer[PATH_MAX];
    return ::realpath(path.constData(), buffer) ? QByteArray(buffer) : path;
}

// A new file in the folder, named after stem, that no one else has.
std::FILE* createUnique(FileWrites& calls, const QByteArray& folder, const QByteArray& stem,
                        QByteArray& name) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        name = folder + "/." + stem + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36) +
               ".tmp";
        std::FILE* file = calls.open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (file || errno != EEXIST)
            return file;
    }
    return nullptr;
}

// Writes, flushes, syncs and closes; the stream is closed whatever happens.
bool writeOut(FileWrites& calls, std::FILE* file, const QByteArray& bytes, qint64 truncateTo = -1) {
    bool ok = calls.write(file, bytes.constData(), std::size_t(bytes.size())) == std::size_t(bytes.size()) &&
              calls.flush(file) == 0;
    if (ok && truncateTo >= 0)
        ok = ::ftruncate(::fileno(file), off_t(truncateTo)) == 0;
    ok = ok && calls.sync(file) == 0;
    return calls.close(file) == 0 && ok;
}

std::optional<QByteArray> oldContent(const QByteArray& path) {
    QFile file;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0)
            ::close(fd);
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

bool rewrite(FileWrites& calls, const QByteArray& path, const QByteArray& bytes) {
    std::FILE* file = calls.open(path, O_WRONLY | O_CLOEXEC, 0);
    return file && writeOut(calls, file, bytes, bytes.size());
}

// The file keeps its name, links, owner and bits; only its content changes.
bool replaceInPlace(FileWrites& calls, const QByteArray& path, const QByteArray& bytes) {
    const auto old = oldContent(path);
    if (!old)
        return false;
    const QByteArray folder = filename::toBytes(inPlaceBackupFolder());
    if (!QDir().mkpath(inPlaceBackupFolder()))
        return false;
    QByteArray backup;
    std::FILE* copy = createUnique(calls, folder, nameOf(path), backup);
    if (!copy)
        return false;
    if (!writeOut(calls, copy, *old)) {
        ::unlink(backup.constData());
        return false;
    }
    if (rewrite(calls, path, bytes)) {
        ::unlink(backup.constData());
        return true;
    }
    // Put the old content back; if even that fails, the copy stays where it is.
    if (rewrite(calls, path, *old))
        ::unlink(backup.constData());
    return false;
}

} // namespace

QString inPlaceBackupFolder() {
    QByteArray cache = qgetenv("XDG_CACHE_HOME");
    if (cache.isEmpty())
        cache = qgetenv("HOME") + "/.cache";
    return filename::fromBytes(cache) + QStringLiteral("/kalimo");
}

bool replaceFileContent(const QString& path, const QByteArray& bytes, FileWrites& calls) {
    const QByteArray name = filename::toBytes(path);
    if (name.isEmpty() || name.contains('\0'))
        return false;
    const QByteArray target = resolved(name);
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    // A folder, a device or a pipe is never replaced by a file.
    if (exists && !S_ISREG(old.st_mode))
        return false;
    if (exists && old.st_nlink > 1)
        return replaceInPlace(calls, target, bytes);

    const QByteArray folder = folderOf(target);
    QByteArray temporary;
    std::FILE* file = createUnique(calls, folder, nameOf(target), temporary);
    if (!file) {
        const bool folderRefuses = errno == EACCES || errno == EPERM;
        if (exists && folderRefuses && ::access(target.constData(), W_OK) == 0)
            return replaceInPlace(calls, target, bytes);
        return false;
    }
    if (exists) {
        // Owner first: a change of owner may clear some permission bits.
        (void)::fchown(::fileno(file), old.st_uid, old.st_gid);
        (void)::fchmod(::fileno(file), old.st_mode & 07777);
    }
    if (!writeOut(calls, file, bytes) || calls.rename(temporary, target) != 0) {
        ::unlink(temporary.constData());
        return false;
    }
    // Until the folder is synced, a power cut may bring the old file back.
    return calls.syncFolder(folder) == 0;
}
