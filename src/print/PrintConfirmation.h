#pragma once

#include "platform/MessageBoxes.h"
#include "setup/PrintLayout.h"

// The question asked before a print: a page of identical cards or the card at its position.
MessageRequest printConfirmation(const PrintRequest& request, const PrintLayout& layout);

// Single-card mode with no position chosen: the box that refuses to print.
bool positionMissing(const PrintRequest& request);
MessageRequest positionMissingMessage();
