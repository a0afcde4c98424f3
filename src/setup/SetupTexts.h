#pragma once

#include "setup/PrintLayout.h"

#include <QString>

// Captions of the print set-up dialog and the rules of its input boxes, apart from any widget.
namespace setup {

// "Paramétrage de l'impression " and the name of the parameter set.
QString dialogCaption(const QString& setName);
// The name the dialog shows when it is created: the last loaded file's title as the file
// dialog gave it, else the built-in set.
QString creationSetName(const ParameterFileState& state);
// "&Imprimer 10 cartes".
QString printCardsCaption(int count);
// "&Imprimer la carte N° " and the position with its sign blank ("...N°  4").
QString printPositionCaption(int position);
// "10 Cartes identiques".
QString identicalCardsCaption(int count);

// What a parameter load that stopped early says: the file could not be read at all
// (stoppedAt 0), or which of the eight fields (1 to 8) stopped it and what was applied.
QString parameterLoadStopped(const QString& path, int stoppedAt);
// Why the cards of the sheet picture do not answer a click while a page of identical cards
// is chosen.
QString positionsLockedHint();

// Characters a measure box and the card-count box let through from the keyboard.
// A measure takes "," as well as "." before its decimals, as French users type it.
inline const QString MeasureKeys = QStringLiteral("0123456789.,-");
inline const QString CountKeys = QStringLiteral("0123456789");
inline constexpr int MeasureLength = 6;
inline constexpr int CountLength = 2;
inline constexpr int MaxCardCount = 10;

// A typed character that the box lets through: one of `allowed`, or Backspace.
bool keyAccepted(const QString& allowed, QChar typed);

// The card-count box read as a count: the number at the start of the text, rounded, forced
// into range with the message that says why.
struct CardCount {
    qint16 count = 0;
    QString message;    // empty when the count was in range
    QString forcedText; // the box's text after the message; empty when nothing is forced
};
CardCount readCardCount(const QString& text);

// A measure box's text as millimetres: "13,5" and "13.5" are both 13.5.
double measureValue(const QString& text);

// The six measure boxes, Text1 to Text6, and the layout field each sets.
double& measureOfBox(PrintLayout& layout, int box);

} // namespace setup
