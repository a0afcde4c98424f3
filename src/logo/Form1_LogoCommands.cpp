// The logo commands of the main window.
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "logo/Form3.h"
#include "logo/LogoCommands.h"
#include "platform/Platform.h"

namespace {

// Loads the logo's path into the preview; the box keeps its rectangle. A picture that does
// not load leaves the card as it was, apart from the path already taken.
void loadLogo(Module1& m, Platform& p, Form1& w) {
    CardLogo& logo = m.card.Logo;
    const std::optional<Picture> picture = p.pictures->load(logo.Path);
    if (!picture || picture->isNull()) {
        p.messages->show(logocommands::unsupportedPicture());
        return;
    }
    logo.picture = *picture;
    w.Picture2->setPicture(logo.picture);
    logo.RecordedPath = logo.Path;
    w.noteCardChange();
}

} // namespace

void Form1::Command3_Click() {
    CardLogo& logo = m_.card.Logo;
    const FileDialogResult chosen =
        p_.files->open(logocommands::openRequest(logo, p_.environment->currentFolder()));
    logo.Path = chosen.cancelled ? QString() : chosen.path;
    if (!logo.Path.isEmpty())
        loadLogo(m_, p_, *this);
    else
        logo.Path = QString(); // an empty answer means no path at all, not "no logo"
}

void Form1::Picture2_DblClick() {
    Command3_Click();
}

void Form1::Command6_Click() {
    logocommands::remove(m_.card.Logo);
    Picture2->setPicture(m_.card.Logo.picture);
    placeLogoBox();
}

void Form1::Command11_Click() {
    if (m_.CopiedImagePath.isEmpty())
        return;
    // The viewer hands over the path of the file it showed, spelt as on disk.
    m_.card.Logo.Path = m_.CopiedImagePath;
    loadLogo(m_, p_, *this);
}

void Form1::takeLogoFile(const QString& path) {
    if (path.isEmpty())
        return;
    m_.card.Logo.Path = path;
    loadLogo(m_, p_, *this);
}

void Form1::Command10_Click() {
    Form3 dialog(m_, p_, *this);
    dialog.Form_Load();
    dialog.exec();
}
