#include "logo/LogoCommands.h"

#include "logo/LogoUnits.h"

namespace logocommands {

QString fileFilter() {
    return QStringLiteral("Fichiers Icone               (*.ICO)|*.ico|"
                          "Fichiers curseurs           (*.CUR)|*.cur|"
                          "Image en mode point    (*.BMP)|*.bmp|"
                          "Images                 (*.GIF - *.JPG)|*.gif;*.jpg|"
                          "Métafichiers Windows  (*.WMF)|*.wmf|"
                          "Fichier image                (*.GIF)|*.gif|"
                          "Fichier image                (*.JPG)|*.jpg");
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
