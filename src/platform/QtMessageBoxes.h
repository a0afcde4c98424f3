#pragma once

#include "platform/MessageBoxes.h"

class QtMessageBoxes : public MessageBoxes {
public:
    MsgAnswer show(const MessageRequest& request) override;
};
