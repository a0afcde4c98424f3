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

constexpr int TimeoutMs = 15000;

// A PostScript printer description whose only filter passes PDF through to the file.
const char* const SmallPpd = R"ppd(*PPD-Adobe: "4.3"
*Manufacturer: "Kalimo"
*ModelName: "Kalimo Test"
*NickName: "Kalimo Test PDF file"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*LandscapeOrientation: Plus90
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

// A CUPS client run against the server; its output on both channels in *output.
bool run(const QProcessEnvironment& env, const QString& program, const QStringList& arguments,
         QString* output = nullptr) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(TimeoutMs);
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// Asks every 100 ms until the answer is yes or the time is up.
template <typename Condition> bool waitFor(int timeoutMs, Condition holds) {
    const QDeadlineTimer deadline(timeoutMs);
    while (!holds()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
    return true;
}

// qgetenv gives a null array for a variable that is not set.
void restore(const char* name, const QByteArray& value) {
    value.isNull() ? qunsetenv(name) : qputenv(name, value);
}

} // namespace

bool PrivateCups::installed() {
    return QFileInfo("/usr/sbin/cupsd").isExecutable() &&
           !QStandardPaths::findExecutable("lpadmin").isEmpty() &&
           !QStandardPaths::findExecutable("lpstat").isEmpty();
}

QProcessEnvironment PrivateCups::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("CUPS_SERVER", path("cups.sock"));
    env.insert("HOME", home());
    return env;
}

QString PrivateCups::log() const {
    QFile log(path("log/error_log"));
    return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString();
}

bool PrivateCups::start(QString* error, bool withQueue) {
    if (isRunning())
        return true;
    auto fail = [&](const QString& what) {
        if (error)
            *error = what + '\n' + log().right(2000) + QString::fromLocal8Bit(cupsd_.readAllStandardError());
        stop();
        return false;
    };
    dir_ = std::make_unique<QTemporaryDir>(QDir::tempPath() + "/kcups-XXXXXX");
    if (!dir_->isValid())
        return fail("no temporary folder: " + dir_->errorString());
    const QString root = dir_->path();
    // The server's helpers run as another user and must reach the spool folder.
    QFile::setPermissions(root, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                    QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                    QFileDevice::ExeOther);
    for (const char* sub : {"etc", "spool", "cache", "state", "log", "home"})
        QDir(root).mkpath(sub);
    const std::pair<QString, QString> files[] = {
        {"etc/cupsd.conf",
         QStringLiteral("Listen %1\nBrowsing Off\nBrowseLocalProtocols none\nDefaultAuthType None\n"
                        "DefaultEncryption Never\nWebInterface No\nLogLevel warn\n"
                        "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                        "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n"
                        "</Policy>\n")
             .arg(path("cups.sock"))},
        {"etc/cups-files.conf",
         QStringLiteral("ServerRoot %1/etc\nRequestRoot %1/spool\nTempDir %1/spool\n"
                        "CacheDir %1/cache\nStateDir %1/state\nAccessLog %1/log/access_log\n"
                        "ErrorLog %1/log/error_log\nPageLog %1/log/page_log\n"
                        "Printcap %1/printcap\nFileDevice Yes\n")
             .arg(root)},
        {"small.ppd", SmallPpd}};
    for (const auto& [name, content] : files) {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(content.toLocal8Bit()) < 0)
            return fail("cannot write the configuration in " + root);
    }

    // A test that crashes takes its server with it.
    cupsd_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    cupsd_.start("/usr/sbin/cupsd", {"-f", "-c", path("etc/cupsd.conf"), "-s", path("etc/cups-files.conf")});
    QString output;
    const bool up = cupsd_.waitForStarted(TimeoutMs) && waitFor(TimeoutMs, [&] {
                        return !isRunning() || (run(environment(), "lpstat", {"-r"}, &output) &&
                                                output.contains("is running"));
                    });
    if (!up || !isRunning())
        return fail("cupsd did not start");
    if (withQueue &&
        !(run(environment(), "lpadmin",
              {"-p", queueName(), "-E", "-v", "file://" + outputFile(), "-P", path("small.ppd")}, &output) &&
          run(environment(), "lpadmin", {"-d", queueName()}, &output)))
        return fail("lpadmin failed: " + output);

    oldServer_ = qgetenv("CUPS_SERVER");
    oldHome_ = qgetenv("HOME");
    qputenv("CUPS_SERVER", QFile::encodeName(path("cups.sock")));
    qputenv("HOME", QFile::encodeName(home()));
    environmentSet_ = true;
    // libcups keeps the server name it read last; make it read the environment again.
    cupsSetServer(nullptr);
    return true;
}

void PrivateCups::stop() {
    if (cupsd_.state() != QProcess::NotRunning) {
        cupsd_.terminate();
        if (!cupsd_.waitForFinished(5000))
            cupsd_.kill();
        cupsd_.waitForFinished(5000);
    }
    if (environmentSet_) {
        restore("CUPS_SERVER", oldServer_);
        restore("HOME", oldHome_);
        environmentSet_ = false;
        cupsSetServer(nullptr);
    }
}

bool PrivateCups::waitForOutput(int timeoutMs) {
    return waitFor(timeoutMs, [&] {
        QString jobs;
        return QFileInfo(outputFile()).size() > 0 &&
               run(environment(), "lpstat", {"-o", queueName()}, &jobs) && jobs.trimmed().isEmpty();
    });
}
