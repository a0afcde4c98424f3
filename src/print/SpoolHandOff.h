#pragma once

#include "platform/Spooler.h"

#include <QString>
#include <atomic>
#include <functional>

// How a page handed to the spooler ended, as far as the program waits to know.
struct SpoolOutcome {
    enum class Kind {
        Printing,  // the printer is working on it, or is done
        Waiting,   // on a stopped queue, held, or behind other jobs: neither failed nor printed
        Failed,    // nothing will print; message says why
        Cancelled, // the person cancelled it
    };
    Kind kind = Kind::Failed;
    QString message; // French, empty for Printing
    QString queue;
    int job = 0;
};

// The command line's exit code: 0 printing, 3 waiting, 1 otherwise.
int exitCodeFor(const SpoolOutcome& outcome);

// The French message for a spooler's trouble with queue.
QString spoolTroubleMessage(SpoolTrouble trouble, const QString& queue);

// Sends a finished page and follows its job with the spooler's own states until the
// printer works on it, it is over, it waits for someone, or the time is up. Plain and
// blocking: the command line runs it as it is, the window on a worker thread.
class SpoolHandOff {
public:
    struct Limits {
        int followMs = 10000; // from the job's creation to processing
        int pollMs = 200;
    };
    explicit SpoolHandOff(Spooler& spooler) : spooler_(spooler) {}
    SpoolHandOff(Spooler& spooler, Limits limits) : spooler_(spooler), limits_(limits) {}

    // progress gets each new state in French; cancel may be set from another thread.
    SpoolOutcome run(const SpoolDocument& document, const std::atomic<bool>& cancel,
                     const std::function<void(const QString&)>& progress = {});

private:
    Spooler& spooler_;
    Limits limits_;
};
