#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// A CUPS server of the test's own: its configuration, spool and logs in a temporary
// folder, listening on a local socket there, with one queue "kalimo-test" that writes
// every job into a file as PDF. While it runs, CUPS_SERVER and HOME of this process
// point at it, so libcups in the test talks to it and the person's lpoptions land in a
// temporary home.
//
// libcups reads HOME once per thread, at its first call: start the server before any
// other libcups call of the test program, and keep one server per test program.
class PrivateCups {
public:
    PrivateCups() = default;
    ~PrivateCups() { stop(); }
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    // Whether the server and its clients are installed at all.
    static bool installed();

    // Without its queue, the server stands for a system with no printer at all.
    bool start(QString* error = nullptr, bool withQueue = true);
    // Stops the server and gives the environment back; the files stay until destruction.
    void stop();
    bool isRunning() const { return cupsd_.state() == QProcess::Running; }
    QString queueName() const { return QStringLiteral("kalimo-test"); }
    // Where the queue writes its jobs.
    QString outputFile() const { return path("out.pdf"); }
    QString home() const { return path("home"); }
    // The environment for a child process that must print here.
    QProcessEnvironment environment() const;
    // The server's error log, for failure messages.
    QString log() const;
    // True once the queue has written a job and has nothing left to do.
    bool waitForOutput(int timeoutMs);

private:
    QString path(const QString& name) const { return dir_ ? dir_->filePath(name) : QString(); }

    std::unique_ptr<QTemporaryDir> dir_;
    QProcess cupsd_;
    // CUPS_SERVER and HOME as they were before start(), given back by stop().
    bool environmentSet_ = false;
    QByteArray oldServer_;
    QByteArray oldHome_;
};
