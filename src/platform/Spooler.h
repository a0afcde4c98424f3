#pragma once

#include <QString>
#include <QStringList>
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

// The print spooler: the installed printers, the application's current printer and the
// defaults stored for each printer, which outlast the program.
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
};
