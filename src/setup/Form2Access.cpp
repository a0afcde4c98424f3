// The print set-up dialog from the keyboard and through a screen reader.
#include "app/Access.h"
#include "setup/FilteredEdit.h"
#include "setup/Form2.h"
#include "setup/SheetPicture.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

using access::describe;

void Form2::setUpAccess() {
    // The count and the mode, the cards they choose from, the options, the measures as the
    // sheet shows them from top to bottom, then the buttons.
    QList<QWidget*> order{Text7, Option1, Option2};
    for (PositionBox* box : Label)
        order << box;
    order << Check1 << Check2;
    for (int box : {3, 1, 2, 4, 6, 5})
        order << Text[box - 1];
    order << Command5 << Command4 << Command3 << Command6 << Command2 << Command1;
    access::chainTabOrder(order);

    describe(Text7, QStringLiteral("Nombre de cartes identiques"),
             QStringLiteral("Combien de cartes identiques imprimer sur la feuille, de 0 à 10"));
    // The options' captions carry the count: their names follow them.
    Option1->setAccessibleDescription(
        QStringLiteral("Imprime la carte autant de fois que le nombre de cartes identiques"));
    Option2->setAccessibleDescription(
        QStringLiteral("Imprime la carte une seule fois, à la position choisie sur la feuille"));
    for (int n = 1; n <= 10; ++n)
        describe(Label[n - 1], QStringLiteral("Carte %1").arg(n),
                 QStringLiteral("Position %1 sur la feuille : la carte s'imprime à cette place").arg(n));
    static const char* const measures[6][2] = {
        {"Marge gauche", "Du bord gauche de la feuille à la première colonne de cartes, en mm"},
        {"Séparateur horizontal", "L'écart entre les deux colonnes de cartes, en mm"},
        {"Marge haute", "Du bord haut de la feuille à la première rangée de cartes, en mm"},
        {"Séparateur vertical", "L'écart entre deux rangées de cartes, en mm"},
        {"Largeur de la carte", "La largeur d'une carte, en mm"},
        {"Hauteur de la carte", "La hauteur d'une carte, en mm"},
    };
    for (int box = 1; box <= 6; ++box)
        describe(Text[box - 1], QString::fromUtf8(measures[box - 1][0]),
                 QString::fromUtf8(measures[box - 1][1]));
    describe(Check1, QStringLiteral("Imprimer cadre"),
             QStringLiteral("Un cadre plein à l'intérieur de chaque carte"));
    describe(Check2, QStringLiteral("Imprimer découpe"),
             QStringLiteral("Des traits de découpe sur les bords de chaque carte"));
    describe(Command5, QStringLiteral("Charger des paramètres"),
             QStringLiteral("Lit les marges et les tailles dans un fichier de paramètres"));
    describe(Command4, QStringLiteral("Sauver les paramètres"),
             QStringLiteral("Écrit les marges et les tailles dans un fichier de paramètres"));
    describe(Command3, QStringLiteral("Paramètres à Défaut"),
             QStringLiteral("Remet les marges, les tailles et le nombre de cartes d'origine"));
    describe(Command6, QStringLiteral("Configurer l'imprimante"),
             QStringLiteral("Ouvre la configuration de l'imprimante"));
    describe(Command2, QStringLiteral("Annuler - Fermer"), QStringLiteral("Ferme sans imprimer"));
    // Its caption says what it prints.
    Command1->setAccessibleDescription(QStringLiteral("Ferme et imprime"));
}
