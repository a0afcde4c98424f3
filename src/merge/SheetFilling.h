#pragma once

#include <vector>

// How the rows of a spreadsheet fill the sheets of ten cells.
struct SheetFilling {
    enum class Mode {
        OneCardPerRow, // rows in order, ten to a sheet, the first sheet from startCell
        CopiesPerRow,  // copies identical cards per row, a sheet per row
    };
    Mode mode = Mode::OneCardPerRow;
    int startCell = 1; // 1 to 10
    int copies = 10;   // 1 to 10
};

// One card on the sheets: which sheet (from 0), which cell (1 to 10), and for which row (its
// index in the rows printed).
struct CardPlacement {
    int sheet;
    int cell;
    int row;
    bool operator==(const CardPlacement& o) const {
        return sheet == o.sheet && cell == o.cell && row == o.row;
    }
};

// Every card of a run of rowCount rows, sheet by sheet and cell by cell.
std::vector<CardPlacement> placeCards(const SheetFilling& filling, int rowCount);
