#include "card/CardSaving.h"

#include "card/CardFileWriter.h"
#include "card/DocumentPrompts.h"
#include "card/SafeFileWrite.h"
#include "platform/MessageBoxes.h"

SaveOutcome saveCard(CardDocument& card, const QString& path, MessageBoxes& messages, FileWrites& calls) {
    const QStringList lost = cardfile::unencodableCharacters(card);
    if (!lost.isEmpty() && messages.show(documentprompt::unencodableQuestion(lost)) != MsgAnswer::Ok)
        return SaveOutcome::Declined;
    // A card without a logo records "AUCUN" from now on.
    if (card.Logo.RecordedPath.isEmpty())
        card.Logo.RecordedPath = QString::fromLatin1(NoLogo);
    if (!replaceFileContent(path, cardfile::toBytes(card), calls)) {
        messages.show(documentprompt::saveFailed());
        return SaveOutcome::Failed;
    }
    return SaveOutcome::Saved;
}
