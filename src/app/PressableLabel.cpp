#include "app/PressableLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>

namespace {

// What a screen reader sees of a pressable label: a button with a press action, whose
// value is the label's text when it has a name of its own.
class PressableAccessible : public QAccessibleWidget {
public:
    explicit PressableAccessible(PressableLabel* label) : QAccessibleWidget(label, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        const auto* label = static_cast<const PressableLabel*>(widget());
        if (t == QAccessible::Name && label->accessibleName().isEmpty())
            return label->text();
        if (t == QAccessible::Value)
            return label->accessibleName().isEmpty() ? QString() : label->text();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& name) override {
        if (name == pressAction())
            static_cast<PressableLabel*>(widget())->press();
        else
            QAccessibleWidget::doAction(name);
    }

    QStringList keyBindingsForAction(const QString& name) const override {
        if (name == pressAction())
            return {QStringLiteral("Space")};
        return QAccessibleWidget::keyBindingsForAction(name);
    }
};

QAccessibleInterface* pressableAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("PressableLabel"))
        if (auto* label = qobject_cast<PressableLabel*>(object))
            return new PressableAccessible(label);
    return nullptr;
}

} // namespace

PressableLabel::PressableLabel(QWidget* parent) : QLabel(parent) {
    // Qt asks its factories for each class up the chain: this one answers for every subclass.
    static const bool installed = (QAccessible::installFactory(pressableAccessible), true);
    Q_UNUSED(installed);
    setFocusPolicy(Qt::StrongFocus);
}

void PressableLabel::press() {
    if (isEnabled())
        emit clicked();
}

void PressableLabel::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (plain && !event->isAutoRepeat()) {
            press();
            return;
        }
        break;
    default:
        break;
    }
    QLabel::keyPressEvent(event);
}

void PressableLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    QPainter painter(this);
    paintFocusFrame(painter);
}

void PressableLabel::paintFocusFrame(QPainter& painter) const {
    if (!hasFocus())
        return;
    // A dotted outline: a filled focus frame would read as the selected zone's band.
    painter.save();
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
    painter.restore();
}
