#include "platform/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

// The labels are set here rather than left to the translation: the three answers must read
// the same whatever translation is installed. Escape and the close box answer "Annuler".
MsgAnswer askSaveDiscardCancel(QMessageBox& box, int defaultButton) {
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box.button(QMessageBox::Save)->setText(QStringLiteral("Enregistrer"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("Ne pas enregistrer"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Annuler"));
    box.setDefaultButton(defaultButton == 1   ? QMessageBox::Save
                         : defaultButton == 2 ? QMessageBox::Discard
                                              : QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return MsgAnswer::Save;
    case QMessageBox::Discard:
        return MsgAnswer::Discard;
    default:
        return MsgAnswer::Cancel;
    }
}

} // namespace

MsgAnswer QtMessageBoxes::show(const MessageRequest& r) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(r.title);
    // A lone CR ends a line in the prompts; Qt wants LF.
    QString text = r.prompt;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(text);
    switch (r.icon) {
    case MsgIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MsgIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    if (r.buttons == MsgButtons::SaveDiscardCancel)
        return askSaveDiscardCancel(box, r.defaultButton);
    QMessageBox::StandardButton first = QMessageBox::Ok;
    QMessageBox::StandardButton second = QMessageBox::NoButton;
    switch (r.buttons) {
    case MsgButtons::Ok:
    case MsgButtons::SaveDiscardCancel:
        break;
    case MsgButtons::OkCancel:
        second = QMessageBox::Cancel;
        break;
    case MsgButtons::YesNo:
        first = QMessageBox::Yes;
        second = QMessageBox::No;
        break;
    }
    box.setStandardButtons(first | second);
    box.setDefaultButton(r.defaultButton == 2 && second != QMessageBox::NoButton ? second : first);
    if (second != QMessageBox::NoButton)
        box.setEscapeButton(second == QMessageBox::No ? QMessageBox::No : QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    default:
        return MsgAnswer::Ok;
    }
}
