#include "print/BatchInputs.h"

#include "app/SharedProcedures.h"
#include "platform/MessageBoxes.h"

#include <cmath>

// The card and parameter file readers join here when they are part of the build.
#if __has_include("card/CardFileReader.h")
#include "card/CardFileReader.h"
#define KALIMO_HAS_CARD_READER 1
#endif
#if __has_include("setup/ParameterFile.h")
#include "setup/ParameterFile.h"
#define KALIMO_HAS_LAYOUT_READER 1
#endif

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
    if (!FichierExiste(path)) {
        fileNotFound(messages, path);
        return false;
    }
#ifdef KALIMO_HAS_CARD_READER
    const CardReadResult result = cardfile::read(path, card, pictures);
    if (!result.missingLogo.isEmpty())
        messages.error(QStringLiteral("Fichier icone ") + result.missingLogo +
                       QStringLiteral(" non trouvé !"));
    switch (result.status) {
    case CardReadResult::Status::Read:
        card.FilePath = path;
        return true;
    case CardReadResult::Status::FileMissing:
        fileNotFound(messages, path);
        return false;
    case CardReadResult::Status::Failed:
        messages.show({QStringLiteral("Erreur d'ouverture du fichier"),
                       QStringLiteral("Erreur ou fichier de version antérieure !"), MsgButtons::Ok,
                       MsgIcon::Critical, 1});
        return false;
    }
    return false;
#else
    (void)card;
    (void)pictures;
    messages.error(QStringLiteral("Cette version de Kalimo ne sait pas encore lire le fichier carte ") +
                   path + QStringLiteral("."));
    return false;
#endif
}

bool loadBatchLayout(const QString& path, PrintLayout& layout, MessageBoxes& messages) {
    if (!FichierExiste(path)) {
        fileNotFound(messages, path);
        return false;
    }
#ifdef KALIMO_HAS_LAYOUT_READER
    PrintLayout read = layout;
    if (!parameterfile::read(path, read)) {
        messages.error(QStringLiteral("Erreur de lecture du fichier de paramètres ") + path +
                       QStringLiteral(" !"));
        return false;
    }
    read.cardCount = layout.cardCount; // not kept in parameter files
    layout = read;
    return true;
#else
    (void)layout;
    messages.error(
        QStringLiteral("Cette version de Kalimo ne sait pas encore lire le fichier de paramètres ") + path +
        QStringLiteral("."));
    return false;
#endif
}
