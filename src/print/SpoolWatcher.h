#pragma once

#include "print/SpoolHandOff.h"

#include <QObject>
#include <atomic>
#include <memory>

class QThread;

// Sends a finished page and follows its job on a worker thread, so that the window keeps
// answering; reports on the interface thread by signals. Destroying it cancels the job and
// waits for the worker (each spooler call is bounded).
class SpoolWatcher : public QObject {
    Q_OBJECT
public:
    SpoolWatcher(Spooler& spooler, std::shared_ptr<SpoolDocument> document, QObject* parent = nullptr,
                 SpoolHandOff::Limits limits = {});
    ~SpoolWatcher() override;

    void start();
    // Also withdraws the job from the spooler's queue once it has one.
    void cancel() { cancel_ = true; }
    bool isRunning() const;

signals:
    void progressed(const QString& state);
    void finished(const SpoolOutcome& outcome);

private:
    Spooler& spooler_;
    std::shared_ptr<SpoolDocument> document_;
    SpoolHandOff::Limits limits_;
    std::atomic<bool> cancel_{false};
    QThread* thread_ = nullptr;
};
