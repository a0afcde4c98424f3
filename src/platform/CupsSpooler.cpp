#include "platform/CupsSpooler.h"

#include <QDir>
#include <QFile>
#include <cups/cups.h>
#include <iterator>

namespace {

// One connection to the spooler, closed on leaving the scope. Null when it cannot be
// reached.
class Connection {
public:
    explicit Connection(const CupsSpooler::Limits& limits) {
        http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                             limits.connectMs, nullptr);
        // Without a callback a request that gets no answer in time fails instead of waiting.
        if (http_)
            httpSetTimeout(http_, limits.answerMs / 1000.0, nullptr, nullptr);
    }
    ~Connection() { httpClose(http_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    http_t* get() const { return http_; }

private:
    http_t* http_ = nullptr;
};

// The destinations as this person sees them: the spooler's queues with their own defaults,
// merged with the person's lpoptions. Empty when the spooler cannot be reached.
class Dests {
public:
    explicit Dests(const Connection& connection) {
        if (connection.get())
            count_ = cupsGetDests2(connection.get(), &list_);
    }
    ~Dests() { cupsFreeDests(count_, list_); }
    Dests(const Dests&) = delete;
    Dests& operator=(const Dests&) = delete;
    int count() const { return count_; }
    cups_dest_t* list() const { return list_; }
    cups_dest_t* at(int i) const { return list_ + i; }
    // The printer itself, not one of the person's instances of it.
    cups_dest_t* find(const QString& name) const {
        return cupsGetDest(name.toUtf8().constData(), nullptr, count_, list_);
    }

private:
    cups_dest_t* list_ = nullptr;
    int count_ = 0;
};

QByteArray option(const cups_dest_t* dest, const char* name) {
    return QByteArray(cupsGetOption(name, dest->num_options, dest->options));
}

// orientation-requested: 3 portrait, 4 landscape, 5 reverse landscape, 6 reverse portrait.
int orientationFrom(const QByteArray& value) {
    if (value == "4" || value == "5" || value == "landscape")
        return 2;
    if (value == "3" || value == "6" || value == "portrait")
        return 1;
    return 0;
}

// 1 one-sided, 2 bound on the long edge, 3 bound on the short edge.
int duplexFrom(const QByteArray& sides) {
    if (sides == "two-sided-long-edge")
        return 2;
    if (sides == "two-sided-short-edge")
        return 3;
    return 1;
}

int paperSizeFrom(const QByteArray& media) {
    return media.isEmpty() || media.toLower().contains("a4") ? 1 : 0;
}

} // namespace

QStringList CupsSpooler::printers() {
    const Connection connection(limits_);
    const Dests dests(connection);
    QStringList out;
    for (int i = 0; i < dests.count(); ++i)
        if (!dests.at(i)->instance)
            out << QString::fromUtf8(dests.at(i)->name);
    return out;
}

QString CupsSpooler::defaultPrinter() {
    const Connection connection(limits_);
    if (!connection.get())
        return {};
    // The person's default (their lpoptions), else the spooler's: the printer a print job
    // goes to. A person's default may be one of their instances; the printer is the one it
    // names.
    cups_dest_t* dest = cupsGetNamedDest(connection.get(), nullptr, nullptr);
    if (!dest)
        return {};
    const QString name = QString::fromUtf8(dest->name);
    cupsFreeDests(1, dest);
    return name;
}

QString CupsSpooler::currentPrinter() {
    if (!chosen_.isEmpty())
        return chosen_;
    return defaultPrinter();
}

void CupsSpooler::setCurrentPrinter(const QString& name) {
    chosen_ = name;
}

std::optional<PrinterDefaults> CupsSpooler::storedDefaults(const QString& name) {
    if (name.isEmpty())
        return std::nullopt;
    const Connection connection(limits_);
    const Dests dests(connection);
    const cups_dest_t* dest = dests.find(name);
    if (!dest)
        return std::nullopt;
    // The merged list holds the person's choice where there is one, else the queue's own
    // default (its "-default" attributes under their plain names).
    PrinterDefaults d;
    d.orientation = orientationFrom(option(dest, "orientation-requested"));
    if (d.orientation == 0)
        d.orientation = 1; // a queue that states nothing prints in portrait
    d.duplex = duplexFrom(option(dest, "sides"));
    // Paper named the IPP way, else by the printer description's own option.
    QByteArray media = option(dest, "media");
    if (media.isEmpty())
        media = option(dest, "PageSize");
    d.paperSize = paperSizeFrom(media);
    return d;
}

bool CupsSpooler::storeDefaults(const QString& name, const PrinterDefaults& defaults, quint32 fields) {
    if (name.isEmpty())
        return false;
    const Connection connection(limits_);
    if (!connection.get())
        return false;
    Dests dests(connection);
    cups_dest_t* dest = dests.find(name);
    if (!dest)
        return false;
    auto set = [dest](const char* option, const char* value) {
        dest->num_options = cupsAddOption(option, value, dest->num_options, &dest->options);
    };
    if (fields & PrinterField::Orientation) {
        if (defaults.orientation != 1 && defaults.orientation != 2)
            return false;
        set("orientation-requested", defaults.orientation == 2 ? "4" : "3");
    }
    if (fields & PrinterField::Duplex) {
        if (defaults.duplex < 1 || defaults.duplex > 3)
            return false;
        static const char* const sides[] = {"one-sided", "two-sided-long-edge", "two-sided-short-edge"};
        set("sides", sides[defaults.duplex - 1]);
    }
    if (fields & PrinterField::PaperSize) {
        if (defaults.paperSize != 1)
            return false;
        set("media", "iso_a4_210x297mm");
    }
    // Writes the whole list back: the person's other printers and instances keep their
    // options. Refused (nothing written) when the spooler cannot be asked for its queues.
    return cupsSetDests2(connection.get(), dests.count(), dests.list()) == 0;
}

QString CupsSpooler::serverName() {
    // The configured server (a host, or the local socket); no connection is made.
    return QString::fromUtf8(cupsServer());
}

namespace {

QString text(ipp_t* response, const char* name) {
    ipp_attribute_t* a = ippFindAttribute(response, name, IPP_TAG_ZERO);
    return a ? QString::fromUtf8(ippGetString(a, 0, nullptr)) : QString();
}

int integer(ipp_t* response, const char* name) {
    ipp_attribute_t* a = ippFindAttribute(response, name, IPP_TAG_ZERO);
    return a ? ippGetInteger(a, 0) : 0;
}

bool hasKeyword(ipp_t* response, const char* name, const char* keyword) {
    ipp_attribute_t* a = ippFindAttribute(response, name, IPP_TAG_ZERO);
    return a && ippContainsString(a, keyword);
}

QByteArray uriOf(const char* path, const QByteArray& name) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), path,
                     name.constData());
    return uri;
}

// The answer of one request, freed on leaving the scope; null when none came.
struct Answer {
    explicit Answer(ipp_t* response) : ipp(response) {}
    ~Answer() { ippDelete(ipp); }
    Answer(const Answer&) = delete;
    Answer& operator=(const Answer&) = delete;
    ipp_t* ipp;
};

// What a request's failed status says about its cause.
SpoolTrouble troubleOf(ipp_status_t status) {
    switch (status) {
    case IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS:
        return SpoolTrouble::QueueRefusing;
    case IPP_STATUS_ERROR_NOT_FOUND:
        return SpoolTrouble::PrinterNotFound;
    case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
    case IPP_STATUS_ERROR_INTERNAL:
        return SpoolTrouble::ServerUnreachable;
    default:
        return SpoolTrouble::Refused;
    }
}

// The default printer a person chose for themselves: LPDEST or PRINTER, else the "Default"
// line of their lpoptions, else of the system's. Without its instance. libcups has no call
// that gives this name when the printer is gone.
QString personalDefault() {
    for (const char* variable : {"LPDEST", "PRINTER"}) {
        const QByteArray value = qgetenv(variable);
        if (!value.isEmpty() && value != "lp")
            return QString::fromLocal8Bit(value).section(QLatin1Char('/'), 0, 0);
    }
    const QByteArray serverRoot = qgetenv("CUPS_SERVERROOT");
    const QString files[] = {
        QDir::homePath() + QStringLiteral("/.cups/lpoptions"),
        (serverRoot.isEmpty() ? QStringLiteral("/etc/cups") : QString::fromLocal8Bit(serverRoot)) +
            QStringLiteral("/lpoptions")};
    for (const QString& path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        while (!file.atEnd()) {
            const QList<QByteArray> words = file.readLine().simplified().split(' ');
            if (words.size() >= 2 && words.first().compare("Default", Qt::CaseInsensitive) == 0)
                return QString::fromUtf8(words.at(1)).section(QLatin1Char('/'), 0, 0);
        }
    }
    return {};
}

QueueStatus queueFromDest(const cups_dest_t* dest) {
    QueueStatus q;
    q.name = QString::fromUtf8(dest->name);
    q.description = QString::fromUtf8(option(dest, "printer-info"));
    q.location = QString::fromUtf8(option(dest, "printer-location"));
    q.accepting = option(dest, "printer-is-accepting-jobs") != "false";
    q.stopped = option(dest, "printer-state") == "5";
    q.isDefault = dest->is_default != 0;
    q.stateMessage = QString::fromUtf8(option(dest, "printer-state-message"));
    return q;
}

QueueStatus trouble(SpoolTrouble t, const QString& name = QString()) {
    QueueStatus q;
    q.trouble = t;
    q.name = name;
    return q;
}

} // namespace

QList<QueueStatus> CupsSpooler::queues() {
    const Connection connection(limits_);
    if (!connection.get())
        return {trouble(SpoolTrouble::ServerUnreachable)};
    const Dests dests(connection);
    QList<QueueStatus> out;
    for (int i = 0; i < dests.count(); ++i)
        if (!dests.at(i)->instance)
            out << queueFromDest(dests.at(i));
    if (out.isEmpty())
        out << trouble(cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE
                           ? SpoolTrouble::ServerUnreachable
                           : SpoolTrouble::NoPrinter);
    return out;
}

QueueStatus CupsSpooler::queueStatus(const QString& wanted) {
    const Connection connection(limits_);
    if (!connection.get())
        return trouble(SpoolTrouble::ServerUnreachable, wanted);
    QString name = wanted;
    if (name.isEmpty()) {
        // The person's default (environment, lpoptions), else the server's; a default that
        // names a printer since deleted is reported by that name below.
        name = personalDefault();
        const char* byServer = name.isEmpty() ? cupsGetDefault2(connection.get()) : nullptr;
        if (name.isEmpty() && !byServer) {
            if (cupsLastError() != IPP_STATUS_ERROR_NOT_FOUND)
                return trouble(SpoolTrouble::ServerUnreachable);
            const Dests dests(connection);
            return trouble(dests.count() == 0 ? SpoolTrouble::NoPrinter : SpoolTrouble::PrinterNotFound);
        }
        if (name.isEmpty())
            name = QString::fromUtf8(byServer);
    }
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 uriOf("/printers/%s", name.toUtf8()).constData());
    static const char* const wantedAttributes[] = {"printer-name",          "printer-state",
                                                   "printer-location",      "printer-info",
                                                   "printer-state-message", "printer-is-accepting-jobs"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  int(std::size(wantedAttributes)), nullptr, wantedAttributes);
    const Answer answer(cupsDoRequest(connection.get(), request, "/"));
    if (!answer.ipp)
        return trouble(SpoolTrouble::ServerUnreachable, name);
    if (ippGetStatusCode(answer.ipp) > IPP_STATUS_OK_CONFLICTING) {
        const SpoolTrouble t = troubleOf(ippGetStatusCode(answer.ipp));
        return trouble(t == SpoolTrouble::Refused ? SpoolTrouble::PrinterNotFound : t, name);
    }
    QueueStatus q;
    q.name = name;
    q.description = text(answer.ipp, "printer-info");
    q.location = text(answer.ipp, "printer-location");
    q.stateMessage = text(answer.ipp, "printer-state-message");
    q.stopped = integer(answer.ipp, "printer-state") == IPP_PSTATE_STOPPED;
    ipp_attribute_t* accepting = ippFindAttribute(answer.ipp, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
    q.accepting = !accepting || ippGetBoolean(accepting, 0);
    q.isDefault = wanted.isEmpty();
    return q;
}

SubmitResult CupsSpooler::submit(const SpoolDocument& document) {
    SubmitResult result;
    const QByteArray queue = document.queue.toUtf8();
    QFile file(document.path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.trouble = SpoolTrouble::Refused;
        result.detail = file.errorString();
        return result;
    }
    Connection connection(limits_);
    if (!connection.get()) {
        result.trouble = SpoolTrouble::ServerUnreachable;
        return result;
    }
    // Create-Job on this connection and its limits: cupsCreateJob would look the printer up
    // again through connections of its own, with libcups' long default waits.
    ipp_t* request = ippNewRequest(IPP_OP_CREATE_JOB);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 uriOf("/printers/%s", queue).constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr,
                 document.title.toUtf8().constData());
    // The page is the sheet itself: never scaled, never turned by the queue's own defaults.
    cups_option_t* options = nullptr;
    int count = 0;
    count = cupsAddOption("media", "iso_a4_210x297mm", count, &options);
    count = cupsAddOption("print-scaling", "none", count, &options);
    count = cupsAddOption("orientation-requested", document.orientation == 2 ? "4" : "3", count, &options);
    cupsEncodeOptions2(request, count, options, IPP_TAG_OPERATION);
    cupsEncodeOptions2(request, count, options, IPP_TAG_JOB);
    cupsFreeOptions(count, options);
    const Answer created(cupsDoRequest(connection.get(), request, ("/printers/" + queue).constData()));
    const int job = created.ipp ? integer(created.ipp, "job-id") : 0;
    if (!created.ipp || ippGetStatusCode(created.ipp) > IPP_STATUS_OK_CONFLICTING || job == 0) {
        result.trouble =
            created.ipp ? troubleOf(ippGetStatusCode(created.ipp)) : SpoolTrouble::ServerUnreachable;
        result.detail = QString::fromUtf8(cupsLastErrorString());
        return result;
    }
    // A spooler that stops reading or answering fails the send within documentMs instead of
    // keeping the job waiting forever.
    httpSetTimeout(connection.get(), limits_.documentMs / 1000.0, nullptr, nullptr);
    bool sent =
        cupsStartDocument(connection.get(), queue.constData(), job, document.title.toUtf8().constData(),
                          CUPS_FORMAT_PDF, 1) == HTTP_STATUS_CONTINUE;
    while (sent && !file.atEnd()) {
        const QByteArray chunk = file.read(64 * 1024);
        sent = !chunk.isEmpty() && cupsWriteRequestData(connection.get(), chunk.constData(),
                                                        size_t(chunk.size())) == HTTP_STATUS_CONTINUE;
    }
    // The spooler's own answer to the document: none within the limit is a failure, which
    // cupsFinishDocument does not always tell.
    const Answer answer(sent ? cupsGetResponse(connection.get(), ("/printers/" + queue).constData())
                             : nullptr);
    if (answer.ipp && ippGetStatusCode(answer.ipp) <= IPP_STATUS_OK_CONFLICTING) {
        result.job = job;
        return result;
    }
    // The spooler keeps a job it did not get whole; it must not print half a page later.
    result.trouble = SpoolTrouble::StoppedAnswering;
    result.detail = QString::fromUtf8(cupsLastErrorString());
    cancelJob(job);
    return result;
}

JobStatus CupsSpooler::jobStatus(int job) {
    JobStatus s;
    const Connection connection(limits_);
    if (!connection.get())
        return s;
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr,
                 uriOf("/jobs/%s", QByteArray::number(job)).constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    const Answer answer(cupsDoRequest(connection.get(), request, "/"));
    if (!answer.ipp || ippGetStatusCode(answer.ipp) > IPP_STATUS_OK_CONFLICTING)
        return s;
    s.detail = text(answer.ipp, "job-printer-state-message");
    switch (integer(answer.ipp, "job-state")) {
    case IPP_JSTATE_PENDING:
        s.state = hasKeyword(answer.ipp, "job-state-reasons", "job-incoming")      ? JobState::Incoming
                  : hasKeyword(answer.ipp, "job-state-reasons", "printer-stopped") ? JobState::Stopped
                                                                                   : JobState::Waiting;
        break;
    case IPP_JSTATE_HELD:
        s.state =
            hasKeyword(answer.ipp, "job-state-reasons", "job-incoming") ? JobState::Incoming : JobState::Held;
        break;
    case IPP_JSTATE_PROCESSING:
        s.state = JobState::Processing;
        break;
    case IPP_JSTATE_STOPPED:
        s.state = JobState::Stopped;
        break;
    case IPP_JSTATE_CANCELED:
        s.state = JobState::Cancelled;
        break;
    case IPP_JSTATE_ABORTED:
        s.state = JobState::Aborted;
        break;
    case IPP_JSTATE_COMPLETED:
        s.state = JobState::Done;
        break;
    default:
        break;
    }
    return s;
}

bool CupsSpooler::cancelJob(int job) {
    const Connection connection(limits_);
    if (!connection.get())
        return false;
    const ipp_status_t status = cupsCancelJob2(connection.get(), nullptr, job, 0);
    // A job already over cannot be cancelled, and is gone from the queue all the same.
    return status <= IPP_STATUS_OK_CONFLICTING || status == IPP_STATUS_ERROR_NOT_POSSIBLE;
}
