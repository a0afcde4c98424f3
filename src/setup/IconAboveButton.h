#pragma once

#include <QPushButton>

// A push button that shows its icon above its caption, so that a long caption keeps the
// button's whole width.
class IconAboveButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};
