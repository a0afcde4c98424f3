#include "platform/QtChoiceDialogs.h"

#include "app/Colour.h"
#include "platform/FontDialog.h"
#include "platform/Spooler.h"
#include "print/orientation/PrinterSetupDialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontDatabase>

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
    PrinterSetupDialog dialog(spooler_, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}
