#include "PrivateCups.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>
#include <cups/cups.h>

namespace {

const char* const Scheduler = "/usr/sbin/cupsd";

// Accepts PDF and hands it on unchanged, so the output file is the PDF the program sent.
const char* const SmallPpd = R"PPD(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "KALIMOPDF.PPD"
*Manufacturer: "Kalimo"
*Product: "(Kalimo PDF)"
*ModelName: "Kalimo PDF file"
*ShortNickName: "Kalimo PDF file"
*NickName: "Kalimo PDF file"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsFilter2: "application/pdf application/vnd.cups-pdf 0 gziptoany"
*OpenUI *PageSize/Page Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageSize
*OpenUI *PageRegion/Page Region: PickOne
*OrderDependency: 10 AnySetup *PageRegion
*DefaultPageRegion: A4
*PageRegion A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageRegion
*DefaultImageableArea: A4
*ImageableArea A4/A4: "0 0 595 842"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
)PPD";

bool writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

} // namespace

PrivateCups::PrivateCups() = default;

PrivateCups::~PrivateCups() {
    stop();
}

bool PrivateCups::installed() {
    return QFileInfo(QString::fromLatin1(Scheduler)).isExecutable() &&
           !QStandardPaths::findExecutable(QStringLiteral("lpadmin")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("lpstat")).isEmpty();
}

QString PrivateCups::folder() const {
    return dir_ ? dir_->path() : QString();
}
QString PrivateCups::socketPath() const {
    return folder() + QStringLiteral("/cups.sock");
}
QString PrivateCups::outputFile() const {
    return folder() + QStringLiteral("/out/printed.pdf");
}

void PrivateCups::fail(const QString& why) {
    error_ = why;
    const QString logText = log();
    if (!logText.isEmpty())
        error_ += QStringLiteral("\n") + logText.right(2000);
}

bool PrivateCups::writeConfiguration() {
    const QString d = folder();
    for (const char* sub : {"spool/tmp", "cache", "state", "log", "ppd", "out", "home"})
        if (!QDir().mkpath(d + QLatin1Char('/') + QLatin1String(sub)))
            return false;
    // The filters run as the spooler's own user: it must reach the spool inside.
    QFile::setPermissions(d, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                 QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                 QFileDevice::ExeOther);
    const QByteArray cupsd = QStringLiteral("LogLevel info\n"
                                            "Listen %1\n"
                                            "Browsing No\n"
                                            "BrowseLocalProtocols none\n"
                                            "DefaultAuthType None\n"
                                            "DefaultEncryption Never\n"
                                            "WebInterface No\n"
                                            "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                            "<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                                            "    Allow all\n  </Limit>\n</Policy>\n")
                                 .arg(socketPath())
                                 .toUtf8();
    const QByteArray files = QStringLiteral("ServerRoot %1\n"
                                            "RequestRoot %1/spool\n"
                                            "TempDir %1/spool/tmp\n"
                                            "CacheDir %1/cache\n"
                                            "StateDir %1/state\n"
                                            "AccessLog %1/log/access_log\n"
                                            "ErrorLog %1/log/error_log\n"
                                            "PageLog %1/log/page_log\n"
                                            "Printcap %1/printcap\n"
                                            "FileDevice Yes\n"
                                            "SystemGroup root\n")
                                 .arg(d)
                                 .toUtf8();
    return writeFile(d + QStringLiteral("/cupsd.conf"), cupsd) &&
           writeFile(d + QStringLiteral("/cups-files.conf"), files) &&
           writeFile(d + QStringLiteral("/small.ppd"), SmallPpd);
}

QProcessEnvironment PrivateCups::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CUPS_SERVER"), socketPath());
    env.insert(QStringLiteral("HOME"), folder() + QStringLiteral("/home"));
    return env;
}

bool PrivateCups::runClient(const QString& program, const QStringList& arguments, QString* output) {
    QProcess p;
    p.setProcessEnvironment(environment());
    p.start(program, arguments);
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return false;
    }
    if (output)
        *output = QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool PrivateCups::waitUntilAnswering(int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        if (cupsd_->state() == QProcess::NotRunning)
            return false;
        QString answer;
        if (QFileInfo::exists(socketPath()) &&
            runClient(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &answer) &&
            answer.contains(QLatin1String("is running")))
            return true;
        QThread::msleep(50);
    }
    return false;
}

bool PrivateCups::start(const QString& queueName) {
    stop();
    error_.clear();
    if (!installed()) {
        error_ = QStringLiteral("cupsd or its clients are not installed");
        return false;
    }
    // A short path: the socket's name must fit in a socket address.
    dir_ = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/kalimo-cups-XXXXXX"));
    if (!dir_->isValid() || !writeConfiguration()) {
        fail(QStringLiteral("cannot prepare the scheduler's folder"));
        return false;
    }
    cupsd_ = std::make_unique<QProcess>();
    cupsd_->setProcessChannelMode(QProcess::MergedChannels);
    cupsd_->setStandardOutputFile(folder() + QStringLiteral("/log/cupsd_output"));
    cupsd_->start(QString::fromLatin1(Scheduler),
                  {QStringLiteral("-f"), QStringLiteral("-c"), folder() + QStringLiteral("/cupsd.conf"),
                   QStringLiteral("-s"), folder() + QStringLiteral("/cups-files.conf")});
    if (!cupsd_->waitForStarted(10000) || !waitUntilAnswering(20000)) {
        fail(QStringLiteral("cupsd did not start"));
        stop();
        return false;
    }

    envSet_ = true;
    hadServer_ = qEnvironmentVariableIsSet("CUPS_SERVER");
    savedServer_ = qgetenv("CUPS_SERVER");
    hadHome_ = qEnvironmentVariableIsSet("HOME");
    savedHome_ = qgetenv("HOME");
    qputenv("CUPS_SERVER", socketPath().toLocal8Bit());
    qputenv("HOME", (folder() + QStringLiteral("/home")).toLocal8Bit());
    // libcups keeps the server it found first: make it read the environment again.
    cupsSetServer(nullptr);

    queue_ = queueName;
    if (!queue_.isEmpty()) {
        QString answer;
        if (!runClient(QStringLiteral("lpadmin"),
                       {QStringLiteral("-p"), queue_, QStringLiteral("-E"), QStringLiteral("-v"),
                        QStringLiteral("file://") + outputFile(), QStringLiteral("-P"),
                        folder() + QStringLiteral("/small.ppd")},
                       &answer) ||
            !runClient(QStringLiteral("lpadmin"), {QStringLiteral("-d"), queue_}, &answer)) {
            fail(QStringLiteral("lpadmin failed: ") + answer);
            stop();
            return false;
        }
    }
    return true;
}

bool PrivateCups::isRunning() const {
    return cupsd_ && cupsd_->state() == QProcess::Running;
}

bool PrivateCups::waitForOutput(int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        cups_job_t* jobs = nullptr;
        const int active =
            cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue_.toUtf8().constData(), 0, CUPS_WHICHJOBS_ACTIVE);
        cupsFreeJobs(active < 0 ? 0 : active, jobs);
        if (active == 0 && QFileInfo(outputFile()).size() > 0)
            return true;
        QThread::msleep(50);
    }
    return false;
}

QString PrivateCups::log() const {
    if (!dir_)
        return {};
    QFile f(folder() + QStringLiteral("/log/error_log"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()) : QString();
}

void PrivateCups::stop() {
    if (cupsd_) {
        if (cupsd_->state() != QProcess::NotRunning) {
            cupsd_->terminate();
            if (!cupsd_->waitForFinished(10000)) {
                cupsd_->kill();
                cupsd_->waitForFinished();
            }
        }
        cupsd_.reset();
    }
    if (envSet_) {
        if (hadServer_)
            qputenv("CUPS_SERVER", savedServer_);
        else
            qunsetenv("CUPS_SERVER");
        if (hadHome_)
            qputenv("HOME", savedHome_);
        else
            qunsetenv("HOME");
        envSet_ = false;
        cupsSetServer(nullptr);
    }
    dir_.reset();
    queue_.clear();
}
