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

namespace {

const char* const Queue = "kalimo-test";
constexpr int StartTimeoutMs = 15000;
constexpr int CommandTimeoutMs = 15000;

// A PostScript printer description whose only filter passes PDF through to the file.
const char* const SmallPpd = R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "KALIMOT.PPD"
*Manufacturer: "Kalimo"
*Product: "(Kalimo Test)"
*ModelName: "Kalimo Test"
*ShortNickName: "Kalimo Test"
*NickName: "Kalimo Test PDF file"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsVersion: 2.4
*cupsFilter2: "application/pdf application/vnd.cups-pdf 0 gziptoany"
*OpenUI *PageSize/Media Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageSize Letter/Letter: "<</PageSize[612 792]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*PageRegion Letter/Letter: "<</PageSize[612 792]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "0 0 595 842"
*ImageableArea Letter/Letter: "0 0 612 792"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
*PaperDimension Letter/Letter: "612 792"
)ppd";

bool writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

} // namespace

PrivateCups::PrivateCups() = default;

PrivateCups::~PrivateCups() {
    stop();
}

QString PrivateCups::path(const QString& name) const {
    return dir_ ? dir_->filePath(name) : QString();
}

QString PrivateCups::socketPath() const {
    return path(QStringLiteral("cups.sock"));
}

QString PrivateCups::queueName() const {
    return QString::fromLatin1(Queue);
}

QString PrivateCups::outputFile() const {
    return path(QStringLiteral("out.pdf"));
}

QString PrivateCups::home() const {
    return path(QStringLiteral("home"));
}

bool PrivateCups::isRunning() const {
    return cupsd_.state() == QProcess::Running;
}

QString PrivateCups::failure(const QString& what) {
    QFile log(path(QStringLiteral("log/error_log")));
    QString text = what;
    if (log.open(QIODevice::ReadOnly))
        text += QStringLiteral("\n") + QString::fromLocal8Bit(log.readAll().right(2000));
    text += QString::fromLocal8Bit(cupsd_.readAllStandardError().right(2000));
    return text;
}

bool PrivateCups::writeConfiguration(QString* error) {
    const QString root = dir_->path();
    // The server's helpers run as another user and must reach the spool folder.
    QFile::setPermissions(root, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                    QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                    QFileDevice::ExeOther);
    for (const char* sub : {"etc", "spool", "cache", "state", "log", "home"})
        QDir(root).mkpath(QString::fromLatin1(sub));

    const QByteArray r = root.toLocal8Bit();
    const QByteArray cupsd = "Listen " + socketPath().toLocal8Bit() +
                             "\n"
                             "Browsing Off\n"
                             "BrowseLocalProtocols none\n"
                             "DefaultAuthType None\n"
                             "DefaultEncryption Never\n"
                             "WebInterface No\n"
                             "LogLevel warn\n"
                             "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                             "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n";
    const QByteArray files = "ServerRoot " + r + "/etc\n" + "RequestRoot " + r + "/spool\n" + "TempDir " + r +
                             "/spool\n" + "CacheDir " + r + "/cache\n" + "StateDir " + r + "/state\n" +
                             "AccessLog " + r + "/log/access_log\n" + "ErrorLog " + r + "/log/error_log\n" +
                             "PageLog " + r + "/log/page_log\n" + "Printcap " + r + "/printcap\n" +
                             "FileDevice Yes\n";
    if (!writeFile(path(QStringLiteral("etc/cupsd.conf")), cupsd) ||
        !writeFile(path(QStringLiteral("etc/cups-files.conf")), files) ||
        !writeFile(path(QStringLiteral("small.ppd")), SmallPpd)) {
        if (error)
            *error = QStringLiteral("cannot write the configuration in ") + root;
        return false;
    }
    return true;
}

bool PrivateCups::run(const QString& program, const QStringList& arguments, QString* output) const {
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(program, arguments);
    if (!process.waitForFinished(CommandTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    if (output)
        *output = QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError());
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool PrivateCups::waitUntilRunning(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired() && isRunning()) {
        QString output;
        if (QFileInfo::exists(socketPath()) &&
            run(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &output) &&
            output.contains(QLatin1String("is running")))
            return true;
        QThread::msleep(100);
    }
    return false;
}

bool PrivateCups::installed() {
    return QFileInfo(QStringLiteral("/usr/sbin/cupsd")).isExecutable() &&
           !QStandardPaths::findExecutable(QStringLiteral("lpadmin")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("lpstat")).isEmpty();
}

QProcessEnvironment PrivateCups::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CUPS_SERVER"), socketPath());
    env.insert(QStringLiteral("HOME"), home());
    return env;
}

QString PrivateCups::log() const {
    QFile log(path(QStringLiteral("log/error_log")));
    return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString();
}

bool PrivateCups::start(QString* error, bool withQueue) {
    if (isRunning())
        return true;
    dir_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/kcups-XXXXXX"));
    if (!dir_->isValid()) {
        if (error)
            *error = QStringLiteral("no temporary folder: ") + dir_->errorString();
        return false;
    }
    if (!writeConfiguration(error))
        return false;

    cupsd_.setProcessChannelMode(QProcess::SeparateChannels);
    // A test that crashes takes its server with it.
    cupsd_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    cupsd_.start(QStringLiteral("/usr/sbin/cupsd"),
                 {QStringLiteral("-f"), QStringLiteral("-c"), path(QStringLiteral("etc/cupsd.conf")),
                  QStringLiteral("-s"), path(QStringLiteral("etc/cups-files.conf"))});
    if (!cupsd_.waitForStarted(StartTimeoutMs) || !waitUntilRunning(StartTimeoutMs)) {
        if (error)
            *error = failure(QStringLiteral("cupsd did not start"));
        stop();
        return false;
    }

    QString output;
    const QString queue = queueName();
    const bool queueReady =
        !withQueue || (run(QStringLiteral("lpadmin"),
                           {QStringLiteral("-p"), queue, QStringLiteral("-E"), QStringLiteral("-v"),
                            QStringLiteral("file://") + outputFile(), QStringLiteral("-P"),
                            path(QStringLiteral("small.ppd"))},
                           &output) &&
                       run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), queue}, &output));
    if (!queueReady) {
        if (error)
            *error = failure(QStringLiteral("lpadmin failed: ") + output);
        stop();
        return false;
    }

    hadServer_ = qEnvironmentVariableIsSet("CUPS_SERVER");
    oldServer_ = qgetenv("CUPS_SERVER");
    hadHome_ = qEnvironmentVariableIsSet("HOME");
    oldHome_ = qgetenv("HOME");
    qputenv("CUPS_SERVER", socketPath().toLocal8Bit());
    qputenv("HOME", home().toLocal8Bit());
    environmentSet_ = true;
    // libcups keeps the server name it read last; make it read the environment again.
    cupsSetServer(nullptr);
    return true;
}

void PrivateCups::restoreEnvironment() {
    if (!environmentSet_)
        return;
    if (hadServer_)
        qputenv("CUPS_SERVER", oldServer_);
    else
        qunsetenv("CUPS_SERVER");
    if (hadHome_)
        qputenv("HOME", oldHome_);
    else
        qunsetenv("HOME");
    environmentSet_ = false;
    cupsSetServer(nullptr);
}

void PrivateCups::stop() {
    if (cupsd_.state() != QProcess::NotRunning) {
        cupsd_.terminate();
        if (!cupsd_.waitForFinished(5000)) {
            cupsd_.kill();
            cupsd_.waitForFinished(5000);
        }
    }
    restoreEnvironment();
}

bool PrivateCups::waitForOutput(int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        QString jobs;
        if (QFileInfo(outputFile()).size() > 0 &&
            run(QStringLiteral("lpstat"), {QStringLiteral("-o"), queueName()}, &jobs) &&
            jobs.trimmed().isEmpty())
            return true;
        QThread::msleep(100);
    }
    return false;
}
