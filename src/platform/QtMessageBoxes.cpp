#include "platform/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

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
    QMessageBox::StandardButton first = QMessageBox::Ok;
    QMessageBox::StandardButton second = QMessageBox::NoButton;
    switch (r.buttons) {
    case MsgButtons::Ok:
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
