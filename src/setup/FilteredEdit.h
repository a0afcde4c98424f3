#pragma once

#include <QLineEdit>

// A one-line box that lets only some characters through from the keyboard and limits what
// the user types, while the program may still write any text into it: a value read from a
// parameter file must show whole, not cut at the typing limit.
class FilteredEdit : public QLineEdit {
    Q_OBJECT
public:
    FilteredEdit(const QString& allowed, int typingLimit, QWidget* parent = nullptr);
    // Writes text as the program; the change handling runs only when the text changes.
    void setProgramText(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fitLimit();

    QString allowed_;
    int typingLimit_;
};
