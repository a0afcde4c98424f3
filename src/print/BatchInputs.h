#pragma once

#include "app/CardModel.h"
#include "setup/PrintLayout.h"

#include <QString>

class MessageBoxes;
class PictureLoader;

// The card and the layout of a print without window, read with the program's own readers.
// Each reports its failures through messages, as the windows do, and returns false when
// the print cannot go on.

// The card Kalimo starts with: empty zones and the built-in logo.
void useStartupCard(CardDocument& card);
bool loadBatchCard(const QString& path, CardDocument& card, PictureLoader& pictures, MessageBoxes& messages);
bool loadBatchLayout(const QString& path, PrintLayout& layout, MessageBoxes& messages);
