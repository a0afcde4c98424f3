#include "platform/QtChoiceDialogs.h"

#include "app/Colour.h"
#include "platform/Spooler.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QPrintDialog>
#include <QPrinter>

std::optional<FontChoice> QtChoiceDialogs::chooseFont(const FontChoice& initial) {
    QFont font(initial.name);
    font.setPointSizeF(initial.size > 0 ? initial.size : 8.25);
    font.setBold(initial.bold);
    font.setItalic(initial.italic);
    font.setStrikeOut(initial.strikethru);
    font.setUnderline(initial.underline);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, QApplication::activeWindow(), QString());
    if (!ok)
        return std::nullopt;
    FontChoice out;
    out.name = chosen.family();
    out.size = static_cast<float>(chosen.pointSizeF());
    out.bold = chosen.bold();
    out.italic = chosen.italic();
    out.strikethru = chosen.strikeOut();
    out.underline = chosen.underline();
    return out;
}

std::optional<quint32> QtChoiceDialogs::chooseColour(quint32 initialRgb) {
    const QColor chosen = QColorDialog::getColor(colour::resolve(initialRgb, QApplication::palette()),
                                                 QApplication::activeWindow());
    if (!chosen.isValid())
        return std::nullopt;
    return colour::fromQColor(chosen);
}

bool QtChoiceDialogs::printerSetup() {
    QPrinter printer;
    const QString current = spooler_.currentPrinter();
    if (!current.isEmpty())
        printer.setPrinterName(current);
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowTitle(QStringLiteral("Configuration de l'impression"));
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (printer.outputFormat() == QPrinter::NativeFormat && !printer.printerName().isEmpty())
        spooler_.setCurrentPrinter(printer.printerName());
    return true;
}
