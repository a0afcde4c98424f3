#include "PrivateCups.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>
#include <csignal>
#include <cups/cups.h>
#include <sys/prctl.h>
#include <sys/stat.h>

namespace {

constexpr int TimeoutMs = 15000;

// A PostScript printer description, A4 or letter, whose only filter passes PDF through.
QString smallPpd() {
    QString ppd = "*PPD-Adobe: \"4.3\"\n*ModelName: \"Kalimo Test\"\n*NickName: \"Kalimo Test PDF file\"\n"
                  "*cupsFilter2: \"application/pdf application/vnd.cups-pdf 0 gziptoany\"\n"
                  "*OpenUI *PageSize: PickOne\n*DefaultPageSize: A4\n";
    for (const auto& [name, size] : {std::pair("A4", "595 842"), std::pair("Letter", "612 792")})
        ppd += QString("*PageSize %1/%1: \"<</PageSize[%2]>>setpagedevice\"\n*PaperDimension %1/%1: \"%2\"\n"
                       "*ImageableArea %1/%1: \"0 0 %2\"\n")
                   .arg(name, size);
    return ppd + "*CloseUI: *PageSize\n";
}

// A CUPS client run against the server; its output on both channels in out.
bool run(const QProcessEnvironment& env, const QString& program, const QStringList& arguments, QString& out) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(TimeoutMs);
    out = QString::fromLocal8Bit(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// Asks every 100 ms until the answer is yes or the time is up.
template <typename Condition> bool waitFor(int timeoutMs, Condition holds) {
    for (const QDeadlineTimer deadline(timeoutMs); !holds(); QThread::msleep(100))
        if (deadline.hasExpired())
            return false;
    return true;
}

} // namespace

bool PrivateCups::installed() {
    return QFileInfo("/usr/sbin/cupsd").isExecutable() &&
           !QStandardPaths::findExecutable("lpadmin").isEmpty();
}

QProcessEnvironment PrivateCups::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("CUPS_SERVER", path("cups.sock"));
    env.insert("HOME", home());
    return env;
}

QString PrivateCups::log() const {
    QFile log(path("error_log"));
    return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString();
}

bool PrivateCups::start(QString* error, bool withQueue) {
    if (isRunning())
        return true;
    dir_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/kcups-XXXXXX");
    const QString root = dir_->path(), socket = path("cups.sock");
    const QString files[][2] = {
        {"etc/cupsd.conf", "Listen " + socket +
                               "\nBrowsing Off\nBrowseLocalProtocols none\nDefaultAuthType None\n"
                               "DefaultEncryption Never\nWebInterface No\nLogLevel warn\n<Location />\n"
                               "Order allow,deny\nAllow all\n</Location>\n<Policy default>\n<Limit All>\n"
                               "Order deny,allow\n</Limit>\n</Policy>\n"},
        {"etc/cups-files.conf",
         QString("ServerRoot %1/etc\nRequestRoot %1/spool\nTempDir %1/spool\n"
                 "CacheDir %1/cache\nStateDir %1/state\nErrorLog %1/error_log\n"
                 "AccessLog %1/access_log\nPageLog %1/page_log\nPrintcap %1/printcap\nFileDevice Yes\n")
             .arg(root)},
        {"small.ppd", smallPpd()}};
    // The server's helpers run as another user and must reach the spool folder.
    bool ok = dir_->isValid() && ::chmod(QFile::encodeName(root).constData(), 0755) == 0;
    for (const char* sub : {"etc", "spool", "cache", "state", "home"})
        ok = ok && QDir(root).mkpath(sub);
    for (const auto& [name, content] : files) {
        QFile file(path(name));
        ok = ok && file.open(QIODevice::WriteOnly) && file.write(content.toLocal8Bit()) > 0;
    }
    // A test that crashes takes its server with it.
    cupsd_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    if (ok)
        cupsd_.start("/usr/sbin/cupsd",
                     {"-f", "-c", path("etc/cupsd.conf"), "-s", path("etc/cups-files.conf")});
    QString out;
    const QStringList queue{"-p", queueName(), "-E", "-v", "file://" + outputFile(), "-P", path("small.ppd")};
    if (!ok || !cupsd_.waitForStarted(TimeoutMs) ||
        !waitFor(TimeoutMs,
                 [&] {
                     return !isRunning() ||
                            (run(environment(), "lpstat", {"-r"}, out) && out.contains("is running"));
                 }) ||
        !isRunning() ||
        (withQueue && !(run(environment(), "lpadmin", queue, out) &&
                        run(environment(), "lpadmin", {"-d", queueName()}, out)))) {
        if (error)
            *error = "no private CUPS server in " + root + ": " + out + log().right(2000) +
                     QString::fromLocal8Bit(cupsd_.readAllStandardError());
        stop();
        return false;
    }
    oldServer_ = qgetenv("CUPS_SERVER");
    oldHome_ = qgetenv("HOME");
    qputenv("CUPS_SERVER", QFile::encodeName(socket));
    qputenv("HOME", QFile::encodeName(home()));
    environmentSet_ = true;
    cupsSetServer(nullptr); // libcups keeps the server name it read last
    return true;
}

void PrivateCups::stop() {
    cupsd_.terminate();
    if (!cupsd_.waitForFinished(5000))
        cupsd_.kill(), cupsd_.waitForFinished(5000);
    if (std::exchange(environmentSet_, false)) {
        // qgetenv gives a null array for a variable that was not set.
        oldServer_.isNull() ? qunsetenv("CUPS_SERVER") : qputenv("CUPS_SERVER", oldServer_);
        oldHome_.isNull() ? qunsetenv("HOME") : qputenv("HOME", oldHome_);
        cupsSetServer(nullptr);
    }
}

bool PrivateCups::waitForOutput(int timeoutMs) {
    return waitFor(timeoutMs, [&] {
        QString jobs;
        return QFileInfo(outputFile()).size() > 0 &&
               run(environment(), "lpstat", {"-o", queueName()}, jobs) && jobs.trimmed().isEmpty();
    });
}

bool PrivateCups::client(const QString& program, const QStringList& arguments, QString* out) const {
    QString text;
    const bool ok = run(environment(), program, arguments, text);
    if (out)
        *out = text;
    return ok;
}

bool PrivateCups::addQueue(const QString& name, const QByteArray& ppd) {
    QFile file(path(name + ".ppd"));
    return file.open(QIODevice::WriteOnly) && file.write(ppd) == ppd.size() && (file.close(), true) &&
           client("lpadmin", {"-p", name, "-E", "-v", "file://" + queueOutput(name), "-P", file.fileName()});
}
