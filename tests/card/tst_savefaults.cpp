#include "CardFileSamples.h"
#include "TestPlatform.h"
#include "card/CardSaving.h"
#include "card/SafeFileWrite.h"
#include "print/BatchPrint.h"
#include "setup/ParameterFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>
#include <cerrno>
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The real calls, except those scripted to fail: a step name and which of its calls (1 for
// the first). A failing write writes half of its bytes first, as a full disk does.
class ScriptedWrites : public FileWrites {
public:
    QList<QPair<QString, int>> failures;
    int openError = EMFILE;
    QStringList calls;

    std::FILE* open(const QByteArray& path, int flags, mode_t mode) override {
        if (fails("open")) {
            errno = openError;
            return nullptr;
        }
        return FileWrites::open(path, flags, mode);
    }
    std::size_t write(std::FILE* file, const char* data, std::size_t size) override {
        if (fails("write")) {
            FileWrites::write(file, data, size / 2);
            FileWrites::flush(file);
            errno = ENOSPC;
            return size / 2;
        }
        return FileWrites::write(file, data, size);
    }
    int flush(std::FILE* file) override { return fails("flush") ? error(ENOSPC) : FileWrites::flush(file); }
    int sync(std::FILE* file) override { return fails("sync") ? error(EIO) : FileWrites::sync(file); }
    int close(std::FILE* file) override {
        const bool failing = fails("close");
        const int result = FileWrites::close(file); // the stream is gone either way
        return failing ? error(EIO) : result;
    }
    int rename(const QByteArray& from, const QByteArray& to) override {
        return fails("rename") ? error(EXDEV) : FileWrites::rename(from, to);
    }
    int syncFolder(const QByteArray& folder) override {
        return fails("syncFolder") ? error(EIO) : FileWrites::syncFolder(folder);
    }

private:
    bool fails(const char* step) {
        calls << QString::fromLatin1(step);
        return failures.contains({QString::fromLatin1(step), int(calls.count(QString::fromLatin1(step)))});
    }
    static int error(int code) {
        errno = code;
        return -1;
    }
};

using Failures = QList<QPair<QString, int>>;

// What a save of each kind wrote and said.
struct Saved {
    bool ok = false;
    QString said;
};

using Save = std::function<Saved(const QString& path, FileWrites& calls)>;

Saved saveCardFile(const QString& path, FileWrites& calls) {
    FakeMessageBoxes boxes;
    CardDocument card = samples::fullCard("AUCUN");
    const bool ok = saveCard(card, path, boxes, calls) == SaveOutcome::Saved;
    QString said;
    for (const MessageRequest& box : boxes.shown)
        said += box.title + ": " + box.prompt;
    return {ok, said};
}

Saved saveParameters(const QString& path, FileWrites& calls) {
    PrintLayout layout;
    layout.leftMargin = 12.5;
    return {parameterfile::write(path, layout, calls), {}};
}

Saved exportPdf(const QString& path, FileWrites& calls) {
    BatchPrintRequest request;
    request.pdfPath = path;
    QString said;
    QTextStream err(&said);
    const int code = runBatchPrint(request, QFileInfo(path).path(), err, calls);
    err.flush();
    return {code == 0, said.trimmed()};
}

QByteArray bytesOf(const QString& path) {
    return samples::readFile(path);
}

// Runs fn in a child process, as another user when this one is root, with a file size limit
// when one is given. True when fn returned true there.
bool inChild(const std::function<bool()>& fn, rlim_t sizeLimit = RLIM_INFINITY) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(3);
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of killing
        const rlimit limit{sizeLimit, sizeLimit};
        if (sizeLimit != RLIM_INFINITY && ::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            ::_exit(4);
        ::_exit(fn() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

class SaveFaultsTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir cache_;

private slots:
    void initTestCase() {
        qputenv("XDG_CACHE_HOME", cache_.path().toLocal8Bit());
        QVERIFY(QFile::setPermissions(cache_.path(), QFileDevice::Permissions(0x7777)));
    }

    // Each step of each kind of save failing in turn: what the save reports, what it says,
    // the old file byte for byte, no file left behind, and the calls made up to the failure.
    void eachStepFails_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QStringList>("calls");
        const QStringList all{"open", "write", "flush", "sync", "close", "rename", "syncFolder"};
        const QMap<QString, QStringList> upTo{
            {"open", {"open"}},
            {"write", {"open", "write", "close"}},
            {"flush", {"open", "write", "flush", "close"}},
            {"sync", {"open", "write", "flush", "sync", "close"}},
            {"close", {"open", "write", "flush", "sync", "close"}},
            {"rename", {"open", "write", "flush", "sync", "close", "rename"}},
            {"syncFolder", all},
            {"", all},
        };
        for (const QString kind : {"card", "parameters", "pdf"})
            for (auto it = upTo.cbegin(); it != upTo.cend(); ++it)
                QTest::newRow(qPrintable(kind + ' ' + (it.key().isEmpty() ? "none" : it.key())))
                    << kind << it.key() << it.value();
    }
    void eachStepFails() {
        QFETCH(QString, kind);
        QFETCH(QString, failing);
        QFETCH(QStringList, calls);
        const QMap<QString, Save> saves{
            {"card", saveCardFile}, {"parameters", saveParameters}, {"pdf", exportPdf}};
        QTemporaryDir dir;
        const QString path = dir.filePath(kind == "pdf" ? "cartes.pdf" : "carte.old");
        const QByteArray old = "%PDF-1.4 the old content\r\n";
        QVERIFY(samples::writeFile(path, old));
        ScriptedWrites writes;
        if (!failing.isEmpty())
            writes.failures << qMakePair(failing, 1);

        const Saved saved = saves[kind](path, writes);

        QCOMPARE(writes.calls, calls);
        QCOMPARE(saved.ok, failing.isEmpty());
        // Once renamed the new content is in place, but without the folder's sync it may not
        // outlive a power cut: the save is not reported as done.
        const bool replaced = failing.isEmpty() || failing == "syncFolder";
        QCOMPARE(bytesOf(path) == old, !replaced);
        if (replaced && kind == "pdf")
            QVERIFY(bytesOf(path).startsWith("%PDF-1."));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{QFileInfo(path).fileName()});
        const QMap<QString, QString> messages{
            {"card", "erreur: Erreur lors de la sauvegarde du fichier !"},
            {"parameters", ""},
            {"pdf", "Erreur d'impression ou de police non définie !\nLe fichier " + path +
                        " n'a pas pu être écrit."}};
        QCOMPARE(saved.said, saved.ok ? QString() : messages[kind]);
    }

    // Where no new file may be made beside it, the file is rewritten in place: each step of
    // that rewrite failing in turn leaves the old content, put back from its copy, and the
    // copy is removed once it is no longer needed.
    void inPlace_data() {
        QTest::addColumn<Failures>("failures");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("copyKept");
        using F = Failures;
        // Calls: the copy (open 2 to close 1), the rewrite (open 3 to close 2), the put back.
        QTest::newRow("nothing fails") << F{} << true << false;
        QTest::newRow("copy cannot be made") << F{{"open", 2}} << false << false;
        QTest::newRow("copy not synced") << F{{"sync", 1}} << false << false;
        QTest::newRow("file cannot be opened") << F{{"open", 3}} << false << false;
        QTest::newRow("write stops midway") << F{{"write", 2}} << false << false;
        QTest::newRow("flush fails") << F{{"flush", 2}} << false << false;
        QTest::newRow("sync fails") << F{{"sync", 2}} << false << false;
        QTest::newRow("close fails") << F{{"close", 2}} << false << false;
        QTest::newRow("put back fails too") << F{{"write", 2}, {"write", 3}} << false << true;
    }
    void inPlace() {
        QFETCH(Failures, failures);
        QFETCH(bool, saved);
        QFETCH(bool, copyKept);
        QTemporaryDir dir;
        const QString path = dir.filePath("carte.cdv");
        const QByteArray old = QByteArray("the old content, longer than the new one\r\n").repeated(3);
        QVERIFY(samples::writeFile(path, old));
        ScriptedWrites writes;
        writes.openError = EACCES; // the folder refuses the new file
        writes.failures = failures << qMakePair(QString("open"), 1);

        QCOMPARE(replaceFileContent(path, "new\r\n", writes), saved);

        if (!copyKept)
            QCOMPARE(bytesOf(path), saved ? QByteArray("new\r\n") : old);
        const QStringList copies = QDir(inPlaceBackupFolder()).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(copies.size(), copyKept ? 1 : 0);
        if (copyKept) {
            QCOMPARE(bytesOf(inPlaceBackupFolder() + '/' + copies.first()), old);
            QDir(inPlaceBackupFolder()).removeRecursively();
        }
    }

    // The file as it was before the save: bits, owner, other names, links.
    void keepsTheFile_data() {
        QTest::addColumn<QString>("what");
        QTest::newRow("permission bits") << "bits";
        QTest::newRow("owner") << "owner";
        QTest::newRow("hard link") << "hard link";
        QTest::newRow("symbolic link") << "symlink";
    }
    void keepsTheFile() {
        QFETCH(QString, what);
        if (what == "owner" && ::geteuid() != 0)
            QSKIP("only root may hand a file to another owner");
        QTemporaryDir dir;
        const QString filePath = dir.filePath("carte.cdv");
        const QString otherPath = dir.filePath("autre.cdv");
        const QByteArray file = QFile::encodeName(filePath);
        const QByteArray other = QFile::encodeName(otherPath);
        QVERIFY(samples::writeFile(filePath, "old"));
        QCOMPARE(::chmod(file.constData(), 0640), 0);
        if (what == "owner")
            QCOMPARE(::chown(file.constData(), 65534, 65534), 0);
        if (what == "hard link")
            QCOMPARE(::link(file.constData(), other.constData()), 0);
        if (what == "symlink")
            QCOMPARE(::symlink(file.constData(), other.constData()), 0);
        struct stat before {};
        QCOMPARE(::stat(file.constData(), &before), 0);

        QVERIFY(replaceFileContent(what.contains("link") ? otherPath : filePath, "new"));

        struct stat after {};
        QCOMPARE(::stat(file.constData(), &after), 0);
        QCOMPARE(bytesOf(filePath), QByteArray("new"));
        QCOMPARE(after.st_mode & 07777, mode_t(0640));
        QCOMPARE(after.st_uid, before.st_uid);
        QCOMPARE(after.st_gid, before.st_gid);
        if (what.contains("link"))
            QCOMPARE(bytesOf(otherPath), QByteArray("new"));
        if (what == "hard link")
            QCOMPARE(after.st_ino, before.st_ino);
        if (what == "symlink")
            QVERIFY(QFileInfo(otherPath).isSymLink());
    }

    // A file the person may write in a folder the person may not (checked as another user
    // when the tests run as root): the save works in place; with a file size limit that
    // stops the new content midway, the old content stays byte for byte.
    void sharedFolder_data() {
        QTest::addColumn<int>("newSize");
        QTest::addColumn<bool>("saved");
        QTest::newRow("fits") << 100 << true;
        QTest::newRow("stopped by the size limit") << 5000 << false;
    }
    void sharedFolder() {
        QFETCH(int, newSize);
        QFETCH(bool, saved);
        QTemporaryDir dir;
        const QString path = dir.filePath("carte.cdv");
        const QByteArray old(1000, 'o');
        QVERIFY(samples::writeFile(path, old));
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0666), 0);
        QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
        if (::geteuid() != 0)
            QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0555), 0);
        const QByteArray content(newSize, 'n');
        // The copy of the old content goes where the other user may write.
        QVERIFY(QDir().mkpath(inPlaceBackupFolder()));
        QCOMPARE(::chmod(QFile::encodeName(inPlaceBackupFolder()).constData(), 0777), 0);

        const bool ok = inChild([&] { return replaceFileContent(path, content); }, 2000);

        ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
        QCOMPARE(ok, saved);
        QCOMPARE(bytesOf(path), saved ? content : old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"carte.cdv"});
        QCOMPARE(QDir(inPlaceBackupFolder()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    // What is not an ordinary file is never replaced by one.
    void refusesWhatIsNotAFile_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("device") << "/dev/null";
        QTest::newRow("folder") << "@";
        QTest::newRow("named pipe") << "@/tube";
    }
    void refusesWhatIsNotAFile() {
        QFETCH(QString, path);
        QTemporaryDir dir;
        path.replace('@', dir.path());
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("tube")).constData(), 0644), 0);
        struct stat before {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &before), 0);
        QVERIFY(!replaceFileContent(path, "new"));
        struct stat after {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &after), 0);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_ino, before.st_ino);
    }
};

QTEST_MAIN(SaveFaultsTest)
#include "tst_savefaults.moc"
