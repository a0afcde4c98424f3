#pragma once

#include "platform/ChoiceDialogs.h"

#include <QDialog>
#include <QStringList>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QListWidget;

// Family names as a card keeps them: without the foundry that the font database adds in
// brackets when two foundries make one family ("Nimbus Sans [UKWN]"); each name once, sorted.
QString withoutFoundry(const QString& family);
QStringList cardFamilies(const QStringList& databaseFamilies);

// A size as the dialog shows it ("8.25", "10.5"), and as it reads one back: "." or "," as
// the decimal separator, from 1 to 1638 points; nullopt for anything else.
QString sizeText(float points);
std::optional<float> parseSize(const QString& text);

// The font dialog of a text zone: family, style (bold, italic) and size, nothing more. It
// opens on the zone's own values, even a family that the system replaces by another, and
// gives back exactly what it was given for every value the person did not change. The
// strikethrough and underline it is given come back untouched.
class FontDialog : public QDialog {
    Q_OBJECT
public:
    FontDialog(const FontChoice& initial, const QStringList& families, QWidget* parent = nullptr);
    FontChoice choice() const;

    QLineEdit* familyEdit;
    QListWidget* familyList;
    QListWidget* styleList; // "Normal", "Italique", "Gras", "Gras italique"
    QLineEdit* sizeEdit;
    QListWidget* sizeList;
    QLabel* sample;
    QDialogButtonBox* buttons;

private:
    void familyTyped(const QString& text);
    void sizeTyped(const QString& text);
    void updateSample();

    FontChoice initial_;
    QString initialFamilyText_;
    QString initialSizeText_;
};
