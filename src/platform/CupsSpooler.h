#pragma once

#include "platform/Spooler.h"

// The CUPS spooler through libcups. A person's defaults are the lpoptions file that
// cupsSetDests2 writes, so a change outlasts the program.
//
// Every call opens its own connection with short time limits, so a spooler that is down
// or does not answer costs the window a moment, never a hang; it then reads as no
// printers and refuses every store.
class CupsSpooler : public Spooler {
public:
    // A local spooler answers in milliseconds; these only bound a spooler that hangs.
    struct Limits {
        int connectMs = 3000;
        int answerMs = 2000;
        // Sending a document and waiting for the spooler to take it.
        int documentMs = 5000;
    };
    CupsSpooler() = default;
    explicit CupsSpooler(Limits limits) : limits_(limits) {}

    QStringList printers() override;
    QString defaultPrinter() override;
    QString currentPrinter() override;
    void setCurrentPrinter(const QString& name) override;
    std::optional<PrinterDefaults> storedDefaults(const QString& name) override;
    bool storeDefaults(const QString& name, const PrinterDefaults& defaults, quint32 fields) override;
    QString serverName() override;

    QList<QueueStatus> queues() override;
    QueueStatus queueStatus(const QString& name) override;
    SubmitResult submit(const SpoolDocument& document) override;
    JobStatus jobStatus(int job) override;
    bool cancelJob(int job) override;

private:
    Limits limits_;
    QString chosen_; // empty: follow the default printer
};
