#include "setup/FilteredEdit.h"

#include "setup/SetupTexts.h"

#include <QKeyEvent>

FilteredEdit::FilteredEdit(const QString& allowed, int typingLimit, QWidget* parent)
    : QLineEdit(parent), allowed_(allowed), typingLimit_(typingLimit) {
    setMaxLength(typingLimit);
    // Pasting counts as typing: back to the typing limit once the text fits it again.
    connect(this, &QLineEdit::textEdited, this, [this] { fitLimit(); });
}

void FilteredEdit::setProgramText(const QString& text) {
    // Raising the limit first keeps a longer text whole; lowering it would cut it.
    if (text.size() > maxLength())
        setMaxLength(int(text.size()));
    setText(text);
    fitLimit();
}

void FilteredEdit::fitLimit() {
    if (maxLength() > typingLimit_ && text().size() <= typingLimit_)
        setMaxLength(typingLimit_);
}

void FilteredEdit::keyPressEvent(QKeyEvent* event) {
    // Keys that type no character (arrows, Delete, Home...) keep their usual work.
    const QString typed = event->text();
    if (event->key() == Qt::Key_Escape) {
        event->ignore(); // the dialog's own key
        return;
    }
    if (event->key() == Qt::Key_Backspace || typed.isEmpty() || event->key() == Qt::Key_Delete) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (typed.size() != 1 || !setup::keyAccepted(allowed_, typed.front())) {
        event->accept(); // discarded, control characters included
        return;
    }
    // Typing over a longer text written by the program stops at the typing limit too.
    if (text().size() - selectedText().size() >= typingLimit_) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
