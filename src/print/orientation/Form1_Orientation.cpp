// The printer orientation commands of the main window.
#include "app/Form1.h"

#include "platform/Platform.h"
#include "print/orientation/OrImp.h"

#include <QGuiApplication>

namespace {

constexpr qint32 OneSided = 1;
constexpr qint16 Portrait = 1;
constexpr qint16 Landscape = 2;
constexpr qint16 PaperSize = 1;

// The hourglass while the spooler works.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

void setPrinterOrientation(Spooler& spooler, qint16 orientation) {
    WaitCursor wait;
    OrImp::SetOrientation(spooler, OneSided, orientation);
    OrImp::SetPaperSize(spooler, OneSided, PaperSize);
}

} // namespace

void Form1::Mnu_ImpPort_Click() {
    setPrinterOrientation(*p_.spooler, Portrait);
    refreshOrientationDisplay(true);
}

void Form1::Mnu_ImpPays_Click() {
    setPrinterOrientation(*p_.spooler, Landscape);
    refreshOrientationDisplay(true);
}

void Form1::Mnu_ConfigImp_Click() {
    // A cancel is no error: the display is refreshed either way.
    p_.dialogs->printerSetup();
    refreshOrientationDisplay(true);
}
