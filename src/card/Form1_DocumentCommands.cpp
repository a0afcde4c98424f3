// The document commands of the main window: new, open, save, save as, quit, and the card
// file behind them. Work is never set aside without the save question.
#include "app/CardPreview.h"
#include "app/Form1.h"
#include "app/Module1.h"
#include "card/CardChanges.h"
#include "card/CardFileReader.h"
#include "card/CardSaving.h"
#include "card/DocumentPrompts.h"
#include "card/NewCard.h"
#include "card/SaveGuard.h"
#include "editing/ZoneEditing.h"
#include "platform/Platform.h"
#include "platform/SaveChoice.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>

bool Form1::isCardModified() const {
    return cardchanges::isModified(m_.card);
}

void Form1::noteCardChange() {
    const bool modified = isCardModified();
    if (modified == isWindowModified())
        return;
    setWindowModified(modified);
    emit cardModifiedChanged(modified);
}

bool Form1::mayLeaveCard() {
    const QString name =
        m_.card.FilePath.isEmpty() ? documentprompt::unnamed() : documentprompt::statusName(m_.card.FilePath);
    return ::mayLeaveCard(isCardModified(), name, *p_.messages, [this] { return saveDocument(); });
}

void Form1::Mnu_Nouveau_Click() {
    // A modified card asks the save question instead of the confirmation.
    if (isCardModified()) {
        if (!mayLeaveCard())
            return;
    } else if (p_.messages->show(documentprompt::newCardQuestion()) == MsgAnswer::Cancel) {
        return;
    }
    m_.SelectedZone = 1;
    resetToNewCard(m_.card);
    setEditorText(m_.card.zone(1).Text);
    Text1->setFocus();
    highlightZone(1, colour::Silver);
    Label2->setHighlight(false, colour::WindowBackground);
    Label3->setHighlight(false, colour::WindowBackground);
    Label4->setText(zoneediting::editorCaption(1));
    setStatusFileName(documentprompt::unnamed());
    cardchanges::markClean(m_.card);
    refreshPreview();
}

void Form1::Mnu_Ouvrir_Click() {
    if (!mayLeaveCard())
        return;
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

void Form1::openCardFile(const QString& path) {
    if (!mayLeaveCard())
        return;
    m_.card.FilePath = path;
    OpenFile(path);
    setStatusFileName(documentprompt::statusName(path));
    Label4->setText(zoneediting::editorCaption(m_.SelectedZone));
}

void Form1::Mnu_Enregistrer_Click() {
    saveDocument();
}

void Form1::Mnu_EnregistrerSous_Click() {
    saveDocumentAs();
}

bool Form1::saveDocument() {
    if (m_.card.FilePath.isEmpty())
        return saveDocumentAs();
    if (saveCard(m_.card, m_.card.FilePath, *p_.messages) != SaveOutcome::Saved)
        return false;
    cardchanges::markClean(m_.card);
    noteCardChange();
    rememberRecent(m_.card.FilePath);
    return true;
}

bool Form1::saveDocumentAs() {
    const QString proposed = m_.card.FilePath.isEmpty() ? QStringLiteral("Nouveau") : m_.card.FilePath;
    // A name typed without ".cdv" gets it; replacing a file is asked for that final name.
    const FileDialogResult chosen =
        chooseSavePath(*p_.files, *p_.messages, documentprompt::saveAsDialog(proposed));
    if (chosen.cancelled)
        return false;
    const QString previous = m_.card.FilePath;
    m_.card.FilePath = chosen.path;
    const SaveOutcome outcome = saveCard(m_.card, m_.card.FilePath, *p_.messages);
    if (outcome == SaveOutcome::Declined) {
        // Nothing was written: the card keeps the file it had.
        m_.card.FilePath = previous;
        return false;
    }
    setStatusFileName(documentprompt::statusName(chosen.path, chosen.fileTitle));
    if (outcome != SaveOutcome::Saved)
        return false;
    cardchanges::markClean(m_.card);
    noteCardChange();
    rememberRecent(m_.card.FilePath);
    return true;
}

void Form1::Mnu_Quitter_Click() {
    // A clean card keeps the confirmation; a modified one asks the save question instead.
    if (isCardModified()) {
        if (!mayLeaveCard())
            return;
    } else if (p_.messages->show(documentprompt::quitQuestion()) != MsgAnswer::Yes) {
        return;
    }
    setStatusFileName(documentprompt::goodbye());
    leaving_ = true;
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
    // Whatever was read shows, even from a file that failed half-way; such a card is
    // nothing the disk holds, so it stays modified.
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
    // Clean once the editor and the options show the card, since showing it writes it back.
    cardchanges::markClean(m_.card);
    noteCardChange();
    rememberRecent(path);
}

void Form1::SaveFile(const QString& path) {
    saveCard(m_.card, path, *p_.messages);
}

// Opening "Fichier" refreshes the two orientation check marks and the recent cards.
void Form1::Mnu_Fichier_Click() {
    refreshOrientationDisplay(false);
    refreshRecentMenu();
}
