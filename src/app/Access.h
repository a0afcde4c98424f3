#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

class QWidget;

// What the windows share to be usable from the keyboard and by a screen reader.
namespace access {

// The platform's keys for a standard command; where the platform has none (Quit and Save As
// on some desktops), the usual one, so that the command never goes without its key.
QList<QKeySequence> standardShortcuts(QKeySequence::StandardKey key, const QKeySequence& usual);

// A menu caption with a mnemonic: an '&' already in the caption says it; otherwise the
// first letter or digit not in used gets one. A caption from outside the program (a file
// name) comes with literal = true: its own '&' are shown, not taken as mnemonics. The
// mnemonic's character, upper case, is added to used; a caption left without one (every
// letter taken) is returned as it is.
QString withMnemonic(const QString& caption, QString& used, bool literal = false);

// The mnemonic character of a caption, upper case; null when it has none.
QChar mnemonicOf(const QString& caption);

// Draws a dotted outline around a control while it has the focus, for controls the style
// draws without one (scroll bars).
void outlineFocus(QWidget* widget);

// Tab goes from each control to the next, in the order given.
void chainTabOrder(const QList<QWidget*>& order);

// What a screen reader says of a control, in French: its name, then what it is for.
void describe(QWidget* widget, const QString& name, const QString& description);

} // namespace access
