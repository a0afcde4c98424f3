#include "app/Access.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>
#include <QWidget>

namespace access {

namespace {

// Lets the control paint itself, then draws the outline over it.
class FocusOutline : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* w = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
            w->update();
        if (event->type() != QEvent::Paint || !w->hasFocus())
            return false;
        w->removeEventFilter(this);
        QCoreApplication::sendEvent(w, event);
        w->installEventFilter(this);
        QPainter painter(w);
        painter.setPen(QPen(w->palette().color(QPalette::Highlight), 1, Qt::DotLine));
        painter.drawRect(w->rect().adjusted(0, 0, -1, -1));
        return true;
    }
};

} // namespace

void outlineFocus(QWidget* widget) {
    widget->installEventFilter(new FocusOutline(widget));
}

QList<QKeySequence> standardShortcuts(QKeySequence::StandardKey key, const QKeySequence& usual) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (keys.isEmpty())
        keys << usual;
    return keys;
}

QChar mnemonicOf(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] != QLatin1Char('&'))
            return caption[i + 1].toUpper();
        ++i; // "&&" is a shown '&'
    }
    return {};
}

QString withMnemonic(const QString& caption, QString& used, bool literal) {
    QString text = caption;
    if (literal)
        text.replace(QLatin1Char('&'), QLatin1String("&&"));
    else if (const QChar own = mnemonicOf(text); !own.isNull()) {
        used += own;
        return text;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('&')) {
            ++i; // an escaped '&'
            continue;
        }
        if (c.isLetterOrNumber() && !used.contains(c.toUpper())) {
            used += c.toUpper();
            return text.insert(i, QLatin1Char('&'));
        }
    }
    return text;
}

void describe(QWidget* widget, const QString& name, const QString& description) {
    widget->setAccessibleName(name);
    widget->setAccessibleDescription(description);
}

void chainTabOrder(const QList<QWidget*>& order) {
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace access
