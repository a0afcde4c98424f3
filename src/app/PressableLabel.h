#pragma once

#include <QLabel>

class QPainter;

// A label that acts like a button for people without a mouse: it takes the focus by Tab or
// a click, shows the focus, and Space, Enter or a screen reader's press action do what its
// click does. Subclasses say which mouse gesture is their click.
class PressableLabel : public QLabel {
    Q_OBJECT
public:
    explicit PressableLabel(QWidget* parent = nullptr);
    // Sends clicked, unless the label is disabled.
    void press();

signals:
    void clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // The style's focus frame around the label while it has the focus.
    void paintFocusFrame(QPainter& painter) const;
};
