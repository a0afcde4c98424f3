#pragma once

#include <QPointF>
#include <QString>
#include <QtGlobal>

// Where the cards lie on the A4 sheet and what is drawn around them (millimetres).
struct PrintLayout {
    double leftMargin = 5;
    double topMargin = 0;
    double horizontalSeparator = 0; // gap between the two columns
    double verticalSeparator = 0;   // gap between two rows
    double cardWidth = 85;
    double cardHeight = 54;
    bool printFrame = true;
    bool printCutMarks = true;
    qint16 cardCount = 10; // identical cards on a page; not kept in parameter files

    // The built-in set "DEFAUT".
    static PrintLayout builtIn() { return PrintLayout{}; }
};

inline constexpr const char* BuiltInLayoutName = "DEFAUT";

// The choices of one print job, written by the print set-up dialog.
struct PrintRequest {
    qint16 mode = 1;      // 1: a page of identical cards; 0: one card at position
    qint16 position = 0;  // 1 to 10; 0 when none is chosen
    qint16 cancelled = 0; // 1 after "Annuler - Fermer"
};

// The last parameter file used.
struct ParameterFileState {
    QString lastPath;
    QString loadedTitle;
    bool fileLoaded = false;
};

// The ten cells of the sheet, "Carte 1" to "Carte 10", two columns by five rows.
namespace SheetPosition {
inline constexpr int Count = 10;
// Top-left corner of cell n (1 to 10), in millimetres from the sheet's corner.
inline QPointF origin(const PrintLayout& l, int n) {
    const int column = (n - 1) % 2;
    const int row = (n - 1) / 2;
    // Sums in this order keep the results equal to the printed positions.
    const double x = column == 0 ? l.leftMargin : l.leftMargin + l.cardWidth + l.horizontalSeparator;
    const double y = l.topMargin + row * l.cardHeight + row * l.verticalSeparator;
    return {x, y};
}
} // namespace SheetPosition
