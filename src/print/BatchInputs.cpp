#include "print/BatchInputs.h"

#include "card/CardFileReader.h"
#include "card/DocumentPrompts.h"
#include "platform/BoundedRead.h"
#include "platform/MessageBoxes.h"
#include "setup/ParameterFile.h"

#include <cmath>

namespace {

void fileNotFound(MessageBoxes& messages, const QString& path) {
    messages.error(QStringLiteral("Fichier ") + path + QStringLiteral(" non trouvé !"));
}

} // namespace

void useStartupCard(CardDocument& card) {
    card = CardDocument{};
    // Named as a bitmap, the built-in picture loads without the image plugins.
    card.Logo.picture = Picture(QImage(QStringLiteral(":/resources/images/logo-defaut.bmp"), "BMP"));
    // The 630-twip logo box, in millimetres cut to two decimals.
    const double mm = std::floor(card.Logo.boxTwips.width() / TwipsPerMm * 100) / 100;
    card.Logo.Width = mm;
    card.Logo.Height = mm;
}

bool loadBatchCard(const QString& path, CardDocument& card, PictureLoader& pictures, MessageBoxes& messages) {
    const CardReadResult result = cardfile::read(path, card, pictures);
    if (result.status == CardReadResult::Status::FileMissing) {
        messages.show(documentprompt::cardNotFound(path));
        return false;
    }
    // The card prints without the logo it names, as the window shows it.
    if (!result.missingLogo.isEmpty())
        messages.show(documentprompt::logoNotFound(result.missingLogo));
    if (!result.undecodableLogo.isEmpty())
        messages.show(documentprompt::logoNotDecoded(result.undecodableLogo));
    if (result.status == CardReadResult::Status::Failed) {
        messages.show(documentprompt::notACardFile());
        return false;
    }
    card.FilePath = path;
    return true;
}

bool loadBatchLayout(const QString& path, PrintLayout& layout, MessageBoxes& messages) {
    if (!boundedread::isOrdinaryFile(path)) {
        fileNotFound(messages, path);
        return false;
    }
    PrintLayout read = layout;
    int stoppedAt = 0;
    // Six measures alone load as in the set-up dialog: the frame and cut marks stay as they are.
    if (!parameterfile::read(path, read, &stoppedAt) && stoppedAt < 7) {
        messages.error(QStringLiteral("Erreur de lecture du fichier de paramètres ") + path +
                       QStringLiteral(" !"));
        return false;
    }
    read.cardCount = layout.cardCount; // not kept in parameter files
    layout = read;
    return true;
}
