#include "platform/CupsSpooler.h"

#include <cups/cups.h>

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
