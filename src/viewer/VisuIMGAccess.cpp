// The image viewer from the keyboard and through a screen reader.
#include "app/Access.h"
#include "viewer/DriveList.h"
#include "viewer/FileList.h"
#include "viewer/FolderList.h"
#include "viewer/PicturePreview.h"
#include "viewer/VisuIMG.h"

#include <QComboBox>
#include <QPushButton>

using access::describe;

void VisuIMG::setUpAccess() {
    const QList<QWidget*> order{Drive1, Dir1, Combo1, File1, Command2, Command1};
    access::chainTabOrder(order);

    describe(Drive1, QStringLiteral("Lecteur"),
             QStringLiteral("Le disque ou le support où chercher les images"));
    describe(Dir1, QStringLiteral("Dossier"),
             QStringLiteral("Les dossiers du lecteur ; Entrée ouvre le dossier choisi"));
    describe(Combo1, QStringLiteral("Sélection"), QStringLiteral("Les types de fichiers image montrés"));
    describe(File1, QStringLiteral("Fichiers"),
             QStringLiteral("Les images du dossier ; les flèches en choisissent une et la montrent"));
    describe(Open, QStringLiteral("Image"), QStringLiteral("L'image choisie, en grand"));
    describe(Image1, QStringLiteral("Vignette"), QStringLiteral("L'image choisie, en petit"));
    describe(Command2, QStringLiteral("Copier"),
             QStringLiteral("Garde l'image choisie pour la coller en logo dans la fenêtre principale"));
    describe(Command1, QStringLiteral("Quitter"), QStringLiteral("Ferme la visionneuse"));
}
