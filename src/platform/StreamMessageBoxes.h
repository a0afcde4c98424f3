#pragma once

#include "platform/MessageBoxes.h"

class QTextStream;

// Message boxes for a program without windows: each prompt is written as a line of text and
// answered with the box's default button.
class StreamMessageBoxes : public MessageBoxes {
public:
    explicit StreamMessageBoxes(QTextStream& out) : out_(out) {}
    MsgAnswer show(const MessageRequest& request) override;
    int shown() const { return shown_; }

private:
    QTextStream& out_;
    int shown_ = 0;
};
