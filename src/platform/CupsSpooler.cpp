#include "platform/CupsSpooler.h"

#include <cups/cups.h>

namespace {

// The destinations as this user sees them (system list merged with lpoptions).
struct Dests {
    cups_dest_t* list = nullptr;
    int count = 0;
    Dests() { count = cupsGetDests2(CUPS_HTTP_DEFAULT, &list); }
    ~Dests() { cupsFreeDests(count, list); }
    Dests(const Dests&) = delete;
    Dests& operator=(const Dests&) = delete;
    cups_dest_t* find(const QString& name) const {
        return cupsGetDest(name.toUtf8().constData(), nullptr, count, list);
    }
};

int orientationFrom(const char* value) {
    if (!value)
        return 0;
    const QByteArray v(value);
    if (v == "4" || v == "5" || v == "landscape")
        return 2;
    if (v == "3" || v == "6" || v == "portrait")
        return 1;
    return 0;
}

} // namespace

QStringList CupsSpooler::printers() {
    Dests dests;
    QStringList out;
    for (int i = 0; i < dests.count; ++i)
        if (!dests.list[i].instance)
            out << QString::fromUtf8(dests.list[i].name);
    return out;
}

QString CupsSpooler::defaultPrinter() {
    Dests dests;
    for (int i = 0; i < dests.count; ++i)
        if (dests.list[i].is_default && !dests.list[i].instance)
            return QString::fromUtf8(dests.list[i].name);
    return {};
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
    Dests dests;
    cups_dest_t* dest = dests.find(name);
    if (!dest)
        return std::nullopt;
    PrinterDefaults d;
    // The person's own choice (lpoptions) first, then the queue's default.
    d.orientation = orientationFrom(cupsGetOption("orientation-requested", dest->num_options, dest->options));
    if (d.orientation == 0)
        d.orientation =
            orientationFrom(cupsGetOption("orientation-requested-default", dest->num_options, dest->options));
    if (d.orientation == 0)
        d.orientation = 1; // a queue that states nothing prints in portrait
    const char* sides = cupsGetOption("sides", dest->num_options, dest->options);
    d.duplex = (!sides || QByteArray(sides) == "one-sided") ? 1 : 2;
    const char* media = cupsGetOption("media", dest->num_options, dest->options);
    d.paperSize = (!media || QByteArray(media).contains("a4") || QByteArray(media).contains("A4")) ? 1 : 0;
    return d;
}

bool CupsSpooler::storeDefaults(const QString& name, const PrinterDefaults& defaults, quint32 fields) {
    if (name.isEmpty())
        return false;
    cups_dest_t* list = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &list);
    cups_dest_t* dest = cupsGetDest(name.toUtf8().constData(), nullptr, count, list);
    if (!dest) {
        cupsFreeDests(count, list);
        return false;
    }
    if (fields & PrinterField::Orientation && (defaults.orientation == 1 || defaults.orientation == 2))
        dest->num_options = cupsAddOption("orientation-requested", defaults.orientation == 2 ? "4" : "3",
                                          dest->num_options, &dest->options);
    if (fields & PrinterField::Duplex && defaults.duplex == 1)
        dest->num_options = cupsAddOption("sides", "one-sided", dest->num_options, &dest->options);
    if (fields & PrinterField::PaperSize && defaults.paperSize == 1)
        dest->num_options = cupsAddOption("media", "iso_a4_210x297mm", dest->num_options, &dest->options);
    const int ok = cupsSetDests2(CUPS_HTTP_DEFAULT, count, list);
    cupsFreeDests(count, list);
    return ok == 0;
}
