#include "platform/QtMessageBoxes.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>
#include <algorithm>

namespace {

// The labels are set here rather than left to the translation: the three answers must read
// the same whatever translation is installed. Escape and the close box answer "Annuler".
void setSaveDiscardCancel(QMessageBox& box, int defaultButton) {
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box.button(QMessageBox::Save)->setText(QStringLiteral("Enregistrer"));
    box.button(QMessageBox::Discard)->setText(QStringLiteral("Ne pas enregistrer"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("Annuler"));
    box.setDefaultButton(defaultButton == 1   ? QMessageBox::Save
                         : defaultButton == 2 ? QMessageBox::Discard
                                              : QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
}

} // namespace

int QtMessageBoxes::widthForTitle(const QString& title, const QFontMetrics& titleFont, int screenWidth) {
    // The window's icon on the left, three buttons on the right, and the frame.
    const int decorations = 4 * titleFont.height() + 40;
    return std::min(titleFont.horizontalAdvance(title) + decorations, std::max(0, screenWidth - 40));
}

std::unique_ptr<QMessageBox> QtMessageBoxes::build(const MessageRequest& r, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(r.title);
    // A lone CR ends a line in the prompts; Qt wants LF.
    QString text = r.prompt;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box->setText(text);
    switch (r.icon) {
    case MsgIcon::None:
        box->setIcon(QMessageBox::NoIcon);
        break;
    case MsgIcon::Critical:
        box->setIcon(QMessageBox::Critical);
        break;
    case MsgIcon::Question:
        box->setIcon(QMessageBox::Question);
        break;
    case MsgIcon::Exclamation:
        box->setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Information:
        box->setIcon(QMessageBox::Information);
        break;
    }
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
    if (r.buttons == MsgButtons::SaveDiscardCancel) {
        setSaveDiscardCancel(*box, r.defaultButton);
    } else {
        box->setStandardButtons(first | second);
        box->setDefaultButton(r.defaultButton == 2 && second != QMessageBox::NoButton ? second : first);
        if (second != QMessageBox::NoButton)
            box->setEscapeButton(second == QMessageBox::No ? QMessageBox::No : QMessageBox::Cancel);
    }

    // A message box sizes itself by its text alone, and the title bar then cuts a longer title
    // ("Quitt… mme"): a spacer as wide as the title keeps the box wide enough. Title bars
    // commonly draw their text bold.
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->availableGeometry().width() : 1024;
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
        grid->addItem(new QSpacerItem(widthForTitle(r.title, QFontMetrics(titleFont), screenWidth), 0,
                                      QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    return box;
}

MsgAnswer QtMessageBoxes::show(const MessageRequest& r) {
    const std::unique_ptr<QMessageBox> box = build(r, QApplication::activeWindow());
    switch (box->exec()) {
    case QMessageBox::Save:
        return MsgAnswer::Save;
    case QMessageBox::Discard:
        return MsgAnswer::Discard;
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
