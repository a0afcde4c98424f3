#include "platform/QtChoiceDialogs.h"

#include "app/Colour.h"
#include "platform/Spooler.h"
#include "print/orientation/PrinterSetupDialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>

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
    PrinterSetupDialog dialog(spooler_, QApplication::activeWindow());
    return dialog.exec() == QDialog::Accepted;
}
