#pragma once

#include <functional>

struct Module1;
class MessageBoxes;
class PrinterSurface;
class PrintProgress;

// What a print job works with.
struct PrintContext {
    Module1& module;
    PrinterSurface& surface;
    MessageBoxes& messages;
    PrintProgress& progress;
};

// The message of a failed job.
inline constexpr const char* PrintFailureMessage = "Erreur d'impression ou de police non définie !";

// Line widths of the two jobs, in dots at 600 dpi.
inline constexpr int PageLineDots = 3;
inline constexpr int SingleCardLineDots = 5;

// Runs one job: start, draw, EndDoc. Any failure on the way shows one message, abandons the
// whole job and hides the progress; the job then returns as if it had ended. True when the
// job reached the spooler.
bool runPrintJob(const PrintContext& context, int lineWidthDots, const std::function<void()>& draw);

// The page of identical cards: cells 1 to the layout's cardCount, each with its own origin.
bool Imprim10Cartes(const PrintContext& context);
// One card at the stored card origin.
bool Imprim1Carte(const PrintContext& context);
