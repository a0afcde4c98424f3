#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

class QWidget;
class Environment;

// Top-left corner that centres a window on the screen, in twips; nothing is clamped, so a
// window larger than the screen gets a negative top or left.
QPoint centredTopLeftTwips(const QSize& screenTwips, const QSize& windowTwips);
// Centres a window on the screen.
void CentrerFeuille(QWidget& window, const Environment& environment);
// True when an ordinary file matches the path; wildcards in the name match any such file.
bool FichierExiste(const QString& path);
// The text without its leading and trailing spaces; tabs and line breaks stay.
QString trimSpaces(const QString& text);
// The folder path with the separator "/" at its end.
QString AjouteBarre(const QString& folder);
