#pragma once

#include "app/CardModel.h"
#include "platform/ChoiceDialogs.h"

#include <QString>

// What the editing panel does to a zone, apart from any widget.
namespace zoneediting {

// The zone numbers the tools act on; any other selection leaves the card alone.
inline bool isZoneNumber(int n) {
    return n >= 1 && n <= 3;
}

QString editorCaption(int zone); // "Edition du texte zone 2"
QString frameCaption(int zone);  // "Aligner texte 2"

// The option (1 "Gauche", 2 "Droite", 3 "Centre") that shows an alignment code; 0 for a
// code that none of them shows.
int optionForAlignment(qint16 code);

// The zone's six font values, in the order the font dialog takes them.
FontChoice fontOf(const TextZone& zone);
// Takes each value of the choice on its own: a value the zone cannot hold (an empty name,
// a size that is not a positive number) is skipped and the others still apply.
void applyFont(TextZone& zone, const FontChoice& choice);

// The colour handed to the colour dialog: a system colour as the card shows it.
quint32 colourForDialog(quint32 value);

} // namespace zoneediting
