#pragma once

#include "app/CardModel.h"
#include "platform/FileWrites.h"

class MessageBoxes;

enum class SaveOutcome {
    Saved,
    Declined, // the user chose not to lose characters the file cannot hold
    Failed    // reported to the user; the file on disk is as it was
};

// Writes the card to path. Characters the file cannot hold are named first in a question
// whose Cancel writes nothing; a failed write shows the save error.
SaveOutcome saveCard(CardDocument& card, const QString& path, MessageBoxes& messages,
                     FileWrites& calls = systemFileWrites());
