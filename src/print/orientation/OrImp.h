#pragma once

#include "platform/Spooler.h"

// Rewrites the stored default settings of the application's current printer, so that a
// change of orientation outlasts the program. Both procedures read the printer's stored
// defaults, change the members they name, store them as the person's defaults with the
// field mask Fields, then pick the printer again from the installed printers.
//
// They return true when the spooler stored the change. A printer that cannot be found or
// read, or a store that is refused, changes nothing: the printer keeps its settings and
// stays the current one.
namespace OrImp {

// Orientation and duplex: the members the stores name. The paper size is left out on
// purpose, so that SetPaperSize never moves the person's printer to another paper.
inline constexpr quint32 Fields = PrinterField::Orientation | PrinterField::Duplex;

// Orientation 1 portrait, 2 landscape; duplex 1 one-sided.
bool SetOrientation(Spooler& spooler, const qint32& duplex, const qint16& orientation);
bool SetPaperSize(Spooler& spooler, const qint32& duplex, const qint16& paperSize);

} // namespace OrImp
