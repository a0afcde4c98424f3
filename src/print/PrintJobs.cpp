#include "print/PrintJobs.h"

#include "app/Module1.h"
#include "platform/MessageBoxes.h"
#include "platform/PrinterSurface.h"
#include "print/CardDrawing.h"
#include "print/PrintProgress.h"

#include <exception>

namespace {

void startJob(const PrintContext& c, int lineWidthDots) {
    c.progress.showProgress();
    c.surface.setOrientation(1);
    c.surface.setScaleMode(6);
    c.surface.setTransparentText(true);
    c.surface.setLineWidthDots(lineWidthDots);
}

void failJob(const PrintContext& c) {
    c.messages.error(QString::fromUtf8(PrintFailureMessage));
    // A surface without a printer may fail again while abandoning: the person has already
    // been told, and nothing of the job may reach the paper either way.
    try {
        c.surface.killDoc();
    } catch (const std::exception&) {
    }
    c.progress.hideProgress();
}

} // namespace

bool runPrintJob(const PrintContext& c, int lineWidthDots, const std::function<void()>& draw) {
    try {
        startJob(c, lineWidthDots);
        draw();
        c.surface.endDoc();
        return true;
    } catch (const std::exception&) {
        failJob(c);
        return false;
    }
}

bool Imprim10Cartes(const PrintContext& c) {
    Module1& m = c.module;
    return runPrintJob(c, PageLineDots, [&] {
        const int count = m.layout.cardCount;
        for (int k = 1; k <= count; ++k) {
            m.cardOrigin = cellOrigin(m.layout, k);
            drawCard(c.surface, {m.card, m.layout, m.zonePrintLines}, m.cardOrigin,
                     DrawOrder::DecorationsFirst);
        }
    });
}

bool Imprim1Carte(const PrintContext& c) {
    Module1& m = c.module;
    return runPrintJob(c, SingleCardLineDots, [&] {
        drawCard(c.surface, {m.card, m.layout, m.zonePrintLines}, m.cardOrigin, DrawOrder::LogoFirst);
    });
}
