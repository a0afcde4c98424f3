#pragma once

#include "app/PressableLabel.h"

// A label (text or picture) that shows the hand cursor and reports a click, or Space or
// Enter while it has the focus.
class LinkLabel : public PressableLabel {
    Q_OBJECT
public:
    explicit LinkLabel(QWidget* parent = nullptr);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
