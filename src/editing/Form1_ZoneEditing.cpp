// Text zone editing on the main window.
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "editing/ZoneEditing.h"
#include "platform/Platform.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>

using namespace zoneediting;

void Form1::Label1_Click() {
    selectZone(1);
}
void Form1::Label2_Click() {
    selectZone(2);
}
void Form1::Label3_Click() {
    selectZone(3);
}

void Form1::selectZone(int n) {
    if (!isZoneNumber(n))
        return;
    m_.SelectedZone = qint16(n);
    highlightZone(n, colour::WindowBackground);
    // The editor's change handler writes the same text back, into this zone only, since
    // the selection changed first.
    setEditorText(m_.card.zone(n).Text);
    Label4->setText(editorCaption(n));
    Frame1->setTitle(frameCaption(n));
    showAlignment();
    Text1->setFocus();
}

void Form1::showAlignment() {
    QRadioButton* options[3] = {Option1, Option2, Option3};
    const int n = m_.SelectedZone;
    const int shown = isZoneNumber(n) ? optionForAlignment(m_.card.zone(n).Alignment) : 0;
    for (int i = 1; i <= 3; ++i) {
        if (i == shown) {
            options[i - 1]->setChecked(true);
        } else if (options[i - 1]->isChecked()) {
            // An exclusive option cannot be unchecked directly; a code no option shows
            // leaves all three unchecked.
            options[i - 1]->setAutoExclusive(false);
            options[i - 1]->setChecked(false);
            options[i - 1]->setAutoExclusive(true);
        }
    }
}

void Form1::Text1_Change() {
    const int n = m_.SelectedZone;
    if (!isZoneNumber(n))
        return;
    m_.card.zone(n).Text = editorText();
    refreshZone(n);
}

static void setAlignment(Module1& m, Form1& w, ZoneAlignment code) {
    const int n = m.SelectedZone;
    if (!isZoneNumber(n))
        return;
    m.card.zone(n).Alignment = qint16(code);
    w.refreshZone(n);
}

void Form1::Option1_Click() {
    setAlignment(m_, *this, ZoneAlignment::Left);
}
void Form1::Option2_Click() {
    setAlignment(m_, *this, ZoneAlignment::Right);
}
void Form1::Option3_Click() {
    setAlignment(m_, *this, ZoneAlignment::Centre);
}

void Form1::Command1_Click() {
    const int n = m_.SelectedZone;
    if (!isZoneNumber(n))
        return;
    // A cancel leaves the zone's font as it was.
    if (const auto chosen = p_.dialogs->chooseFont(fontOf(m_.card.zone(n)))) {
        applyFont(m_.card.zone(n), *chosen);
        refreshZone(n);
    }
}

void Form1::Command2_Click() {
    const int n = m_.SelectedZone;
    if (!isZoneNumber(n))
        return;
    const quint32 shown = colourForDialog(m_.card.zone(n).ForeColor);
    if (const auto chosen = p_.dialogs->chooseColour(shown)) {
        m_.card.zone(n).ForeColor = *chosen;
        refreshZone(n);
    }
}
