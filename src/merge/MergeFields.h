#pragma once

#include "app/CardModel.h"
#include "merge/CsvTable.h"

#include <QString>
#include <QStringList>

// Fields in the zones' texts: «Nom», as French mail merge writes them, or {Nom}. The card
// file keeps them as ordinary text. A name is what a spreadsheet's heading can be: not
// empty, no blank at either end, on one line, without « » { }; anything else between the
// marks (« cité », {}) is the card's own text.
namespace mergefields {

// The field names a text uses, each once, in order of first use.
QStringList fieldsIn(const QString& text);
QStringList fieldsIn(const CardDocument& card);
// The fields the card uses and the table lacks.
QStringList missingFields(const CardDocument& card, const CsvTable& table);

// The text with each field the row holds replaced by its value; fields it lacks stay as
// written. Values are put in as they are: a value that looks like a field is not read again.
QString substitute(const QString& text, const CsvTable& table, const CsvRow& row);
// The card for a row: the three zones' texts filled in, everything else as it is.
CardDocument cardForRow(const CardDocument& card, const CsvTable& table, const CsvRow& row);

} // namespace mergefields
