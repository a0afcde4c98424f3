#include "print/PdfOutput.h"

#include "platform/FileNames.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

PdfOutput refused(const QString& why) {
    return PdfOutput{PdfOutput::Kind::Refused, why};
}

bool startsAsPdf(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    char head[5] = {};
    ssize_t got = 0;
    while (got < 5) {
        const ssize_t n = ::read(fd, head + got, size_t(5 - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        got += n;
    }
    ::close(fd);
    return got == 5 && QByteArray(head, 5) == "%PDF-";
}

} // namespace

PdfOutput PdfOutput::check(const QString& path, const QStringList& inputs, bool force) {
    if (path == QLatin1String("-"))
        return {Kind::StandardOutput, {}};
    const QByteArray name = filename::toBytes(path);
    struct stat out {};
    if (::stat(name.constData(), &out) != 0)
        return {Kind::File, {}}; // a new name: the write itself tells whether it can be made
    struct stat standardOutput {};
    if (::fstat(STDOUT_FILENO, &standardOutput) == 0 && sameFile(out, standardOutput))
        return {Kind::StandardOutput, {}};
    if (!S_ISREG(out.st_mode))
        return refused(
            QStringLiteral("%1 n'est pas un fichier ordinaire : la page n'y est pas écrite.").arg(path));
    for (const QString& input : inputs) {
        struct stat in {};
        if (!input.isEmpty() && ::stat(filename::toBytes(input).constData(), &in) == 0 && sameFile(out, in))
            return refused(
                QStringLiteral("Le fichier %1 est aussi un fichier à lire : la page n'y est pas écrite.")
                    .arg(path));
    }
    if (!force && !startsAsPdf(name))
        return refused(QStringLiteral("Le fichier %1 existe et n'est pas un PDF : il n'est pas remplacé "
                                      "(--force pour le remplacer).")
                           .arg(path));
    return {Kind::File, {}};
}

bool writeToStandardOutput(const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}
