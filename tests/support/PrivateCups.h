#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// A CUPS scheduler of the test's own: its configuration, spool and logs in a temporary
// folder, reached through a socket in that folder, with at most one queue that writes each
// job to a file. While it runs, CUPS_SERVER and HOME of this process point at it, so the
// program's spooler code and child processes use it and no one else's.
class PrivateCups {
public:
    PrivateCups();
    ~PrivateCups(); // stops the scheduler

    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    // Whether the scheduler and its clients are installed at all.
    static bool installed();

    // Starts the scheduler and, unless queueName is empty, creates that queue as the
    // default printer. False with error() telling why when anything fails.
    bool start(const QString& queueName = QStringLiteral("kalimo-test"));
    void stop();
    bool isRunning() const;
    QString error() const { return error_; }

    QString queueName() const { return queue_; }
    QString outputFile() const;
    QString socketPath() const;
    QString folder() const;
    // The environment for a child process that must print here.
    QProcessEnvironment environment() const;
    // Waits until the queue has no job left and the output file holds something.
    bool waitForOutput(int timeoutMs);
    // The scheduler's log, for failure messages.
    QString log() const;

private:
    bool writeConfiguration();
    bool waitUntilAnswering(int timeoutMs);
    bool runClient(const QString& program, const QStringList& arguments, QString* output = nullptr);
    void fail(const QString& why);

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<QProcess> cupsd_;
    QString queue_;
    QString error_;
    QByteArray savedServer_, savedHome_;
    bool envSet_ = false, hadServer_ = false, hadHome_ = false;
};
