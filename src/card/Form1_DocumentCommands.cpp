// The document commands of the main window: new, open, save, save as, quit, and the card
// file behind them.
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "card/CardFileReader.h"
#include "card/CardSaving.h"
#include "card/DocumentPrompts.h"
#include "card/NewCard.h"
#include "editing/ZoneEditing.h"
#include "platform/Platform.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>

void Form1::Mnu_Nouveau_Click() {
    if (p_.messages->show(documentprompt::newCardQuestion()) == MsgAnswer::Cancel)
        return;
    m_.SelectedZone = 1;
    resetToNewCard(m_.card);
    setEditorText(m_.card.zone(1).Text);
    Text1->setFocus();
    highlightZone(1, colour::Silver);
    Label2->setHighlight(false, colour::WindowBackground);
    Label3->setHighlight(false, colour::WindowBackground);
    Label4->setText(zoneediting::editorCaption(1));
    setStatusFileName(documentprompt::unnamed());
    refreshPreview();
}

void Form1::Mnu_Ouvrir_Click() {
    const FileDialogResult chosen = p_.files->open(documentprompt::openDialog(m_.card.FilePath));
    m_.card.FilePath = chosen.cancelled ? QString() : chosen.path;
    if (!m_.card.FilePath.isEmpty()) {
        OpenFile(m_.card.FilePath);
        setStatusFileName(documentprompt::statusName(chosen.path, chosen.fileTitle));
    } else {
        // The card stays as it is, now without a file.
        setStatusFileName(documentprompt::unnamed());
    }
    Label4->setText(zoneediting::editorCaption(m_.SelectedZone));
}

void Form1::Mnu_Enregistrer_Click() {
    if (!m_.card.FilePath.isEmpty())
        SaveFile(m_.card.FilePath);
    else
        Mnu_EnregistrerSous_Click();
}

void Form1::Mnu_EnregistrerSous_Click() {
    const QString proposed = m_.card.FilePath.isEmpty() ? QStringLiteral("Nouveau") : m_.card.FilePath;
    const FileDialogResult chosen = p_.files->save(documentprompt::saveAsDialog(proposed));
    if (chosen.cancelled || chosen.path.isEmpty())
        return;
    // The name is taken as typed: no extension is added.
    const QString previous = m_.card.FilePath;
    m_.card.FilePath = chosen.path;
    if (saveCard(m_.card, m_.card.FilePath, *p_.messages) == SaveOutcome::Declined) {
        // Nothing was written: the card keeps the file it had.
        m_.card.FilePath = previous;
        return;
    }
    setStatusFileName(documentprompt::statusName(chosen.path, chosen.fileTitle));
}

void Form1::Mnu_Quitter_Click() {
    if (p_.messages->show(documentprompt::quitQuestion()) != MsgAnswer::Yes)
        return;
    setStatusFileName(documentprompt::goodbye());
    // Ends the program at once: nothing is saved and no window runs a closing step.
    emit quitRequested();
}

void Form1::Command4_Click() {
    Mnu_Quitter_Click();
}

void Form1::OpenFile(const QString& path) {
    const CardReadResult result = cardfile::read(path, m_.card, *p_.pictures);
    if (result.status == CardReadResult::Status::FileMissing) {
        p_.messages->show(documentprompt::cardNotFound(path));
        return;
    }
    if (!result.missingLogo.isEmpty())
        p_.messages->show(documentprompt::logoNotFound(result.missingLogo));
    if (!result.undecodableLogo.isEmpty())
        p_.messages->show(documentprompt::logoNotDecoded(result.undecodableLogo));
    // Whatever was read shows, even from a file that failed half-way.
    refreshPreview();
    if (result.status == CardReadResult::Status::Failed) {
        p_.messages->show(documentprompt::notACardFile());
        return;
    }

    CardLogo& logo = m_.card.Logo;
    logo.boxTwips = QRectF(logo.Left * TwipsPerMm, logo.Top * TwipsPerMm, logo.Width * TwipsPerMm,
                           logo.Height * TwipsPerMm);
    placeLogoBox();
    m_.SelectedZone = 1;
    setEditorText(m_.card.zone(1).Text);
    highlightZone(1, colour::WindowBackground);
    Label2->setHighlight(false, colour::WindowBackground);
    Label3->setHighlight(false, colour::WindowBackground);
    QRadioButton* options[3] = {Option1, Option2, Option3};
    const qint16 alignment = m_.card.zone(1).Alignment;
    if (alignment >= 0 && alignment <= 2)
        options[alignment]->setChecked(true);
}

void Form1::SaveFile(const QString& path) {
    saveCard(m_.card, path, *p_.messages);
}

// Opening "Fichier" refreshes the two orientation check marks.
void Form1::Mnu_Fichier_Click() {
    refreshOrientationDisplay(false);
}
