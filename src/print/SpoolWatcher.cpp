#include "print/SpoolWatcher.h"

#include <QPointer>
#include <QThread>

SpoolWatcher::SpoolWatcher(Spooler& spooler, std::shared_ptr<SpoolDocument> document, QObject* parent,
                           SpoolHandOff::Limits limits)
    : QObject(parent), spooler_(spooler), document_(std::move(document)), limits_(limits) {}

SpoolWatcher::~SpoolWatcher() {
    cancel_ = true;
    if (thread_) {
        thread_->wait();
        delete thread_;
    }
}

bool SpoolWatcher::isRunning() const {
    return thread_ && thread_->isRunning();
}

void SpoolWatcher::start() {
    if (thread_)
        return;
    thread_ = QThread::create([this] {
        const auto report = [this](const QString& state) {
            QMetaObject::invokeMethod(
                this, [this, state] { emit progressed(state); }, Qt::QueuedConnection);
        };
        const SpoolOutcome outcome = SpoolHandOff(spooler_, limits_).run(*document_, cancel_, report);
        QMetaObject::invokeMethod(
            this, [this, outcome] { emit finished(outcome); }, Qt::QueuedConnection);
    });
    thread_->start();
}
