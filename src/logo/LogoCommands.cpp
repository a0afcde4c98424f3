#include "logo/LogoCommands.h"

#include "logo/LogoUnits.h"

namespace logocommands {

QString fileFilter() {
    // Every kind the picture loader takes, together first, so that the dialog opens on all of them.
    return QStringLiteral(
        "Toutes les images       (*.ICO - *.CUR - *.BMP - *.GIF - *.JPG - *.PNG - *.WMF - *.SVG)|"
        "*.ico;*.cur;*.bmp;*.gif;*.jpg;*.jpeg;*.png;*.wmf;*.svg;*.svgz|"
        "Fichiers Icone               (*.ICO)|*.ico|"
        "Fichiers curseurs           (*.CUR)|*.cur|"
        "Image en mode point    (*.BMP)|*.bmp|"
        "Images                 (*.GIF - *.JPG)|*.gif;*.jpg|"
        "Métafichiers Windows  (*.WMF)|*.wmf|"
        "Fichier image                (*.GIF)|*.gif|"
        "Fichier image                (*.JPG)|*.jpg;*.jpeg|"
        "Images PNG                   (*.PNG)|*.png|"
        "Dessins vectoriels         (*.SVG)|*.svg;*.svgz");
}

FileDialogRequest openRequest(const CardLogo& logo, const QString& currentFolder) {
    FileDialogRequest r;
    r.title = QStringLiteral("Ouvrir un icone");
    r.filter = fileFilter();
    r.initialName = logo.RecordedPath;
    r.initialFolder = currentFolder;
    return r;
}

MessageRequest unsupportedPicture() {
    return {QStringLiteral("Format d'image non supporté !"), QStringLiteral("Erreur"), MsgButtons::Ok,
            MsgIcon::Critical, 1};
}

void remove(CardLogo& logo) {
    logo.Path.clear();
    logo.picture = Picture();
    logo.boxTwips.setWidth(DefaultBoxTwips);
    logo.boxTwips.setHeight(DefaultBoxTwips);
    logo.Width = TwipsEnMM(DefaultBoxTwips);
    logo.Height = TwipsEnMM(DefaultBoxTwips);
    logo.Path = QString::fromLatin1(NoLogo);
    logo.RecordedPath.clear();
}

} // namespace logocommands
