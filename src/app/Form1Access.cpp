// The main window from the keyboard and through a screen reader.
#include "app/Access.h"
#include "app/CardPreview.h"
#include "app/Form1.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

using access::describe;
using access::standardShortcuts;

void Form1::setUpAccess() {
    Mnu_Nouveau->setShortcuts(standardShortcuts(QKeySequence::New, QKeySequence(Qt::CTRL | Qt::Key_N)));
    Mnu_Ouvrir->setShortcuts(standardShortcuts(QKeySequence::Open, QKeySequence(Qt::CTRL | Qt::Key_O)));
    Mnu_Enregistrer->setShortcuts(standardShortcuts(QKeySequence::Save, QKeySequence(Qt::CTRL | Qt::Key_S)));
    Mnu_EnregistrerSous->setShortcuts(
        standardShortcuts(QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)));
    Mnu_Imprimer->setShortcuts(standardShortcuts(QKeySequence::Print, QKeySequence(Qt::CTRL | Qt::Key_P)));
    Mnu_Quitter->setShortcuts(standardShortcuts(QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)));
    Mmu_Som_Aide->setShortcuts(standardShortcuts(QKeySequence::HelpContents, QKeySequence(Qt::Key_F1)));

    // The card first, then what edits the selected zone, then the logo, printing and the rest.
    const QList<QWidget*> order{Label1,   Label2,   Label3,   Text1,    Option1,  Option2,   Option3,
                                Command1, Command2, Picture2, Command3, Command6, Command10, Command11,
                                Command5, Command8, Command9, Command7, Command4};
    access::chainTabOrder(order);

    Picture1->setAccessibleName(QStringLiteral("Carte de visite"));
    Picture1->setAccessibleDescription(QStringLiteral("La carte telle qu'elle s'imprime"));
    ZoneLabel* zones[3] = {Label1, Label2, Label3};
    for (int n = 1; n <= 3; ++n)
        describe(zones[n - 1], QStringLiteral("Zone de texte %1").arg(n),
                 QStringLiteral("Choisit la zone de texte %1 de la carte pour en éditer le texte").arg(n));
    describe(Picture2, QStringLiteral("Logo de la carte"), QStringLiteral("Charge une image pour le logo"));
    describe(Text1, QStringLiteral("Texte de la zone sélectionnée"),
             QStringLiteral("Les lignes de la zone de texte choisie sur la carte"));
    describe(Option1, QStringLiteral("Gauche"),
             QStringLiteral("Aligne à gauche le texte de la zone sélectionnée"));
    describe(Option2, QStringLiteral("Droite"),
             QStringLiteral("Aligne à droite le texte de la zone sélectionnée"));
    describe(Option3, QStringLiteral("Centre"), QStringLiteral("Centre le texte de la zone sélectionnée"));
    describe(Command8, QStringLiteral("Annuler l'impression"),
             QStringLiteral("Arrête l'impression en cours"));
}
