#include "print/orientation/OrImp.h"

#include "platform/Spooler.h"

namespace OrImp {
namespace {

enum class Member { Orientation, PaperSize };

bool storeDefaults(Spooler& spooler, qint32 duplex, Member member, qint16 value) {
    // The application's current printer, by name; none: nothing to change.
    const QString name = spooler.currentPrinter();
    if (name.isEmpty())
        return false;

    // Its stored defaults; a printer the spooler cannot read is left as it is.
    const std::optional<PrinterDefaults> stored = spooler.storedDefaults(name);
    if (!stored)
        return false;

    PrinterDefaults record = *stored;
    record.duplex = static_cast<qint16>(duplex);
    if (member == Member::Orientation)
        record.orientation = value;
    else
        record.paperSize = value;

    // Only the members named by the mask reach the spooler.
    if (!spooler.storeDefaults(name, record, Fields))
        return false;

    // Picked again from the installed printers, so the application's printer carries the
    // new defaults.
    const QStringList installed = spooler.printers();
    for (const QString& printer : installed) {
        if (printer == name) {
            spooler.setCurrentPrinter(printer);
            break;
        }
    }
    return true;
}

} // namespace

bool SetOrientation(Spooler& spooler, const qint32& duplex, const qint16& orientation) {
    return storeDefaults(spooler, duplex, Member::Orientation, orientation);
}

bool SetPaperSize(Spooler& spooler, const qint32& duplex, const qint16& paperSize) {
    return storeDefaults(spooler, duplex, Member::PaperSize, paperSize);
}

} // namespace OrImp
