#pragma once

struct PrintLayout;
class PrinterSurface;

// The calibration page: two millimetre rulers across the sheet, through its middle, and
// the corners of the layout's ten card cells. Measured from the paper's edges with a real
// ruler, the rulers tell how far the printer moves the page; laid on a sheet of cards
// against the light, the corners tell whether the layout fits it.
namespace calibration {

// Where the rulers lie, in millimetres from the paper's corner.
inline constexpr double RulerY = 148.5; // the horizontal ruler, ticks going down
inline constexpr double RulerX = 105;   // the vertical ruler, ticks going right
inline constexpr double CornerArm = 4;  // length of each arm of a cell corner
inline constexpr int LineDots = 2;      // line width, in dots at 600 dpi

// The length of the tick at k millimetres: long every 10, middle every 5, short otherwise.
double tickLength(int k);

// Draws the page on the surface (a job is open; ScaleMode is millimetres).
void drawPage(PrinterSurface& surface, const PrintLayout& layout);

} // namespace calibration
