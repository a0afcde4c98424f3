#include "print/orientation/PrinterSetup.h"

#include "print/orientation/OrImp.h"

QString queueStateText(const QueueStatus& q) {
    if (!q.accepting)
        return QStringLiteral("Refuse les travaux");
    if (q.stopped)
        return QStringLiteral("Arrêtée");
    return QStringLiteral("Prête");
}

bool applyPrinterSetup(Spooler& spooler, const PrinterSetupChoice& choice) {
    if (choice.printer.isEmpty() || (choice.orientation != 1 && choice.orientation != 2))
        return false;
    spooler.setCurrentPrinter(choice.printer);
    const std::optional<PrinterDefaults> stored = spooler.storedDefaults(choice.printer);
    if (stored && stored->orientation == choice.orientation)
        return true;
    constexpr qint32 OneSided = 1;
    constexpr qint16 A4 = 1;
    const qint16 orientation = qint16(choice.orientation);
    return OrImp::SetOrientation(spooler, OneSided, orientation) &&
           OrImp::SetPaperSize(spooler, OneSided, A4);
}
