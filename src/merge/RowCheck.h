#pragma once

#include "app/CardModel.h"
#include "merge/CsvTable.h"
#include "setup/PrintLayout.h"

#include <QStringList>
#include <vector>

// What keeps a row from making a right card: values the heading does not name, a zone of
// more lines than printing takes, a line past the card's edge. Empty when the card is sound.
// card is the card already filled in for the row.
QStringList rowProblems(const CardDocument& card, const PrintLayout& layout, const CsvTable& table,
                        const CsvRow& row);

// The whole table checked against the card: the fields it lacks, and each row's problems
// (rowProblems) and contact code warnings (printed all the same), by row index.
struct MergeCheck {
    QStringList missingFields;
    std::vector<QStringList> problems;
    std::vector<QStringList> warnings;
    bool rowIsSound(std::size_t row) const { return problems.at(row).isEmpty(); }
};
MergeCheck checkMerge(const CardDocument& card, const PrintLayout& layout, const CsvTable& table);
