// Builds the logo size dialog's controls at their places (twips, 15 per pixel).
#include "app/CardModel.h"
#include "logo/Form3.h"

#include "app/Controls.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace {

using controls::label;
using controls::make;
using controls::twips;

// A fixed light colour, with dark text on it whatever the desktop's theme.
void paint(QWidget* w, QPalette::ColorRole role, quint32 value) {
    controls::paintFixed(w, role, colour::resolve(value, QPalette()));
}

// The value labels stand out on their own background.
QLabel* valueLabel(QWidget* parent, const char* name, const controls::Twips& geometry) {
    QLabel* l = label(parent, name, QString(), geometry);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAlignment(Qt::AlignCenter);
    paint(l, QPalette::Window, 0xFFFFC0u);
    return l;
}

QScrollBar* bar(QWidget* parent, const char* name, Qt::Orientation orientation, int maximum, int position,
                const controls::Twips& geometry) {
    auto* b = make<QScrollBar>(parent, name, geometry);
    b->setOrientation(orientation);
    b->setRange(0, maximum);
    b->setSingleStep(1);
    b->setPageStep(1);
    b->setValue(position);
    return b;
}

} // namespace

void Form3::buildControls() {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Redimensionner  l'image"));
    controls::setFixedTwipsSize(this, 4815, 4380);

    Frame2 = controls::captioned<QGroupBox>(this, "Frame2", QStringLiteral("Dimensions de l'image en mm"),
                                            twips(120, 120, 4575, 1995));
    Label2 = label(Frame2, "Label2", QStringLiteral("Largeur :"), twips(150, 390, 1350, 285));
    Label5 = valueLabel(Frame2, "Label5", twips(1560, 360, 660, 315));
    HScroll1 = bar(Frame2, "HScroll1", Qt::Horizontal, 90, 1, twips(2340, 375, 1620, 270));
    Label3 = label(Frame2, "Label3", QStringLiteral("Hauteur :"), twips(150, 855, 1350, 285));
    Label6 = valueLabel(Frame2, "Label6", twips(1560, 825, 660, 315));
    VScroll1 = bar(Frame2, "VScroll1", Qt::Vertical, 55, 1, twips(4095, 360, 270, 1470));
    Combo1 = make<QComboBox>(Frame2, "Combo1", twips(150, 1395, 2175, 345));
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setEditText(QStringLiteral("Personnalisé"));
    paint(Combo1, QPalette::Base, 0xC0FFC0u);
    // The width and height texts are never shown: the dialog writes the size into them.
    Text1 = make<QLineEdit>(Frame2, "Text1", twips(2430, 1395, 615, 345));
    Text2 = make<QLineEdit>(Frame2, "Text2", twips(3150, 1395, 615, 345));
    for (QLineEdit* text : {Text1, Text2}) {
        paint(text, QPalette::Base, 0xC0FFC0u);
        text->setEnabled(false);
        text->hide();
    }

    Frame3 = controls::captioned<QGroupBox>(this, "Frame3", QStringLiteral("Marges du logo / Icône en mm"),
                                            twips(120, 2235, 4575, 1260));
    Label1 = label(Frame3, "Label1", QStringLiteral("Marge droite :"), twips(150, 390, 1350, 285));
    Label7 = valueLabel(Frame3, "Label7", twips(1560, 360, 660, 315));
    HScroll2 = bar(Frame3, "HScroll2", Qt::Horizontal, 20, 0, twips(2340, 375, 1620, 270));
    Label4 = label(Frame3, "Label4", QStringLiteral("Marge haute :"), twips(150, 825, 1350, 285));
    Label8 = valueLabel(Frame3, "Label8", twips(1560, 795, 660, 315));
    VScroll2 = bar(Frame3, "VScroll2", Qt::Vertical, 20, 0, twips(4095, 300, 270, 855));

    Frame1 = make<QGroupBox>(this, "Frame1", twips(120, 3555, 4575, 705));
    Command1 = controls::captioned<QPushButton>(Frame1, "Command1", QStringLiteral("&OK"),
                                                twips(600, 165, 1455, 420));
    Command1->setDefault(true);
    Command2 = controls::captioned<QPushButton>(Frame1, "Command2", QStringLiteral("&Annuler"),
                                                twips(2520, 165, 1455, 420));
    controls::fitToFont(this);
}
