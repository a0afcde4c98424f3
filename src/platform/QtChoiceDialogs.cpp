#include "platform/QtChoiceDialogs.h"

#include "app/Colour.h"
#include "platform/FontDialog.h"
#include "platform/Spooler.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontDatabase>
#include <QPrintDialog>
#include <QPrinter>

std::optional<FontChoice> QtChoiceDialogs::chooseFont(const FontChoice& initial) {
    FontDialog dialog(initial, QFontDatabase::families(), QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
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
