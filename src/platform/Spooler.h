#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

// A printer's stored default settings, in the spooler's codes: orientation 1 portrait,
// 2 landscape; duplex 1 one-sided; paper size 1 as the program asks for it. 0: unknown.
struct PrinterDefaults {
    int orientation = 0;
    int duplex = 0;
    int paperSize = 0;
};

// Which members of PrinterDefaults a store changes.
namespace PrinterField {
inline constexpr quint32 Orientation = 0x1;
inline constexpr quint32 PaperSize = 0x2;
inline constexpr quint32 Duplex = 0x1000;
} // namespace PrinterField

// Why the spooler could not do what it was asked, as the person must fix it.
enum class SpoolTrouble {
    None,
    ServerUnreachable, // no answer from the print server at all
    NoPrinter,         // the server answers and has no queue
    PrinterNotFound,   // the queue asked for does not exist (any more)
    QueueRefusing,     // the queue exists and does not accept jobs
    StoppedAnswering,  // the server took the job, then stopped answering
    Refused,           // the server answered no, for another reason (in the detail)
};

// One queue as the person sees it in the printer set-up.
struct QueueStatus {
    SpoolTrouble trouble = SpoolTrouble::None; // None: the fields below are the queue's
    QString name;
    QString description; // the queue's own description, else empty
    QString location;
    bool accepting = true;
    bool stopped = false; // paused by its administrator: jobs wait
    bool isDefault = false;
    QString stateMessage;
};

// A job's state in the spooler's queue, from its own job states.
enum class JobState {
    Unknown,    // the spooler did not answer
    Incoming,   // the spooler is still receiving the document
    Waiting,    // waiting for its turn
    Held,       // held until someone releases it
    Stopped,    // waiting on a stopped queue
    Processing, // the printer is working on it
    Done,
    Cancelled,
    Aborted,
};

struct JobStatus {
    JobState state = JobState::Unknown;
    QString detail; // the spooler's words, if any
};

// The page EndDoc finished for a queue, to be sent by the caller (off the interface thread).
struct SpoolDocument {
    QString queue;
    QString title;
    int orientation = 1;
    QString path;                   // the PDF
    std::shared_ptr<void> keepFile; // the file lives as long as this
};

struct SubmitResult {
    int job = 0; // the spooler's job number; 0 when the job was not created
    SpoolTrouble trouble = SpoolTrouble::None;
    QString detail;
};

// The print spooler: the installed printers, the application's current printer, the
// defaults stored for each printer (which outlast the program) and the jobs sent to it.
// The job calls are made from a worker thread and each is bounded in time.
class Spooler {
public:
    virtual ~Spooler() = default;
    virtual QStringList printers() = 0;
    virtual QString defaultPrinter() = 0;
    // The application's current printer: the default printer until another is picked.
    virtual QString currentPrinter() = 0;
    virtual void setCurrentPrinter(const QString& name) = 0;
    // The person's stored defaults for a printer, else the printer's own; nullopt when the
    // spooler cannot be reached or knows no such printer.
    virtual std::optional<PrinterDefaults> storedDefaults(const QString& name) = 0;
    // Stores the members named by fields as the person's defaults; false when refused.
    virtual bool storeDefaults(const QString& name, const PrinterDefaults& defaults, quint32 fields) = 0;
    // The spooler's server, as the system information names it; empty when unknown.
    virtual QString serverName() { return {}; }

    // Every queue with its state; one entry with a trouble when there is none to list.
    virtual QList<QueueStatus> queues() = 0;
    // The queue a job would go to: name, or the default printer when name is empty. Its
    // trouble says why there is none (the name of a missing default printer in name).
    virtual QueueStatus queueStatus(const QString& name) = 0;
    // Creates the job and sends the document; a job number only once the document was taken.
    virtual SubmitResult submit(const SpoolDocument& document) = 0;
    virtual JobStatus jobStatus(int job) = 0;
    // True when the spooler took the cancel (or the job was already over).
    virtual bool cancelJob(int job) = 0;
};
