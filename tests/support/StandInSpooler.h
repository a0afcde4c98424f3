#pragma once

#include <QByteArray>
#include <QList>
#include <QMutex>
#include <atomic>
#include <thread>
#include <vector>

// A print server that misbehaves on purpose, on a local TCP port: it speaks just enough IPP
// for one queue, "kalimo-stall", and then fails the way a real server can.
// - Silent: takes connections and never answers anything.
// - StallOnDocument: answers, creates the job, then stops reading and answering once the
//   document starts.
// - KeepIncoming: takes the document, but the job stays "job-incoming" forever (until
//   cancelled).
// While it runs, CUPS_SERVER of this process points at it; a child process gets
// serverAddress() in its own CUPS_SERVER.
class StandInSpooler {
public:
    enum class Mode { Silent, StallOnDocument, KeepIncoming };
    explicit StandInSpooler(Mode mode) : mode_(mode) {}
    ~StandInSpooler() { stop(); }

    bool start();
    void stop();
    QByteArray serverAddress() const { return "127.0.0.1:" + QByteArray::number(port_); }
    static QByteArray queueName() { return "kalimo-stall"; }
    QList<int> cancelledJobs() const;
    QList<int> operations() const; // every IPP operation received, in order

private:
    void acceptLoop();
    void serve(int socket);
    QByteArray answer(const QByteArray& body);

    Mode mode_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread acceptor_;
    std::vector<std::thread> connections_;
    std::vector<int> sockets_;
    mutable QMutex mutex_;
    QList<int> cancelled_;
    QList<int> operations_;
    int nextJob_ = 7;
    QByteArray oldServer_;
    bool environmentSet_ = false;
};
