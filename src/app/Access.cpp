#include "app/Access.h"

#include <QWidget>

namespace access {

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

} // namespace access
