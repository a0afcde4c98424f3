// The logo size dialog from the keyboard and through a screen reader.
#include "app/Access.h"
#include "logo/Form3.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>

using access::describe;

namespace {

// Qt's horizontal scroll bar takes Left as a step up; here Right makes the value larger, as
// the bar's thumb shows. The wheel and the mouse keep Qt's ways.
class RightIsMore : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() != Qt::NoModifier || (key->key() != Qt::Key_Left && key->key() != Qt::Key_Right))
            return false;
        static_cast<QScrollBar*>(watched)->triggerAction(key->key() == Qt::Key_Right
                                                             ? QAbstractSlider::SliderSingleStepAdd
                                                             : QAbstractSlider::SliderSingleStepSub);
        return true;
    }
};

} // namespace

void Form3::setUpAccess() {
    // The bars move by the arrow keys, a millimetre a step, Page keys alike, Home and End to
    // their ends.
    for (QScrollBar* bar : {HScroll1, VScroll1, HScroll2, VScroll2}) {
        bar->setFocusPolicy(Qt::StrongFocus);
        access::outlineFocus(bar);
        if (bar->orientation() == Qt::Horizontal)
            bar->installEventFilter(new RightIsMore(bar));
    }
    const QList<QWidget*> order{HScroll1, VScroll1, Combo1, HScroll2, VScroll2, Command1, Command2};
    access::chainTabOrder(order);
    // Escape is "&Annuler": it puts the size back as the button does.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setObjectName(QStringLiteral("Escape"));
    connect(escape, &QShortcut::activated, Command2, &QPushButton::click);

    describe(HScroll1, QStringLiteral("Largeur de l'image"),
             QStringLiteral("La largeur du logo en millimètres, réglée par les flèches"));
    describe(VScroll1, QStringLiteral("Hauteur de l'image"),
             QStringLiteral("La hauteur du logo en millimètres, réglée par les flèches"));
    describe(HScroll2, QStringLiteral("Marge droite"),
             QStringLiteral("La marge du logo en millimètres, réglée par les flèches"));
    describe(VScroll2, QStringLiteral("Marge haute"),
             QStringLiteral("La marge au-dessus du logo en millimètres, réglée par les flèches"));
    describe(Combo1, QStringLiteral("Dimensions de l'image"),
             QStringLiteral("Une taille de logo toute prête, ou Personnalisé pour la régler aux barres"));
    describe(Text1, QStringLiteral("Largeur en mm"), QStringLiteral("La largeur du logo en millimètres"));
    describe(Text2, QStringLiteral("Hauteur en mm"), QStringLiteral("La hauteur du logo en millimètres"));
    describe(Command1, QStringLiteral("OK"), QStringLiteral("Garde la taille et les marges réglées"));
    describe(Command2, QStringLiteral("Annuler"),
             QStringLiteral("Remet la taille d'avant et ferme, les marges restent"));
}
