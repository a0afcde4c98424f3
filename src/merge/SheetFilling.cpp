#include "merge/SheetFilling.h"

#include "setup/PrintLayout.h"

#include <algorithm>

std::vector<CardPlacement> placeCards(const SheetFilling& f, int rowCount) {
    std::vector<CardPlacement> out;
    if (rowCount <= 0)
        return out;
    if (f.mode == SheetFilling::Mode::CopiesPerRow) {
        const int copies = std::clamp(f.copies, 1, SheetPosition::Count);
        out.reserve(std::size_t(rowCount) * std::size_t(copies));
        for (int row = 0; row < rowCount; ++row)
            for (int cell = 1; cell <= copies; ++cell)
                out.push_back({row, cell, row});
        return out;
    }
    out.reserve(std::size_t(rowCount));
    // The cells before the start are left blank on the first sheet only.
    int slot = std::clamp(f.startCell, 1, SheetPosition::Count) - 1;
    for (int row = 0; row < rowCount; ++row, ++slot)
        out.push_back({slot / SheetPosition::Count, slot % SheetPosition::Count + 1, row});
    return out;
}
