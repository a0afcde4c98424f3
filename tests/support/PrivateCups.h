#pragma once

#include <QProcess>
#include <QTemporaryDir>
#include <memory>

// A CUPS server of the test's own in a temporary folder, on a local socket, with one queue
// "kalimo-test" that writes every job into a file as PDF. While it runs, CUPS_SERVER and
// HOME of this process point at it (the person's lpoptions land in a temporary home).
// libcups reads HOME once per thread: start before any other libcups call, one per program.
class PrivateCups {
public:
    ~PrivateCups() { stop(); }

    static bool installed();
    // Without its queue, the server stands for a system with no printer at all.
    bool start(QString* error = nullptr, bool withQueue = true);
    // Stops the server and gives the environment back; the files stay until destruction.
    void stop();
    bool isRunning() const { return cupsd_.state() == QProcess::Running; }
    QString queueName() const { return QStringLiteral("kalimo-test"); }
    QString outputFile() const { return path("out.pdf"); }
    QString home() const { return path("home"); }
    QProcessEnvironment environment() const; // for a child process that must print here
    QString log() const;
    bool waitForOutput(int timeoutMs); // a job written and nothing left to do
    // Runs a CUPS client program (lpadmin, cupsdisable, cupsreject, lpstat...) against this server.
    bool client(const QString& program, const QStringList& arguments, QString* out = nullptr) const;
    // One more queue, printing to its own file (queueOutput), described by the PPD text given.
    bool addQueue(const QString& name, const QByteArray& ppd);
    QString queueOutput(const QString& name) const { return path(name + ".pdf"); }

private:
    QString path(const QString& name) const { return dir_ ? dir_->filePath(name) : QString(); }

    std::unique_ptr<QTemporaryDir> dir_;
    QProcess cupsd_;
    bool environmentSet_ = false;
    QByteArray oldServer_, oldHome_; // given back by stop()
};
