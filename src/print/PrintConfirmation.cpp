#include "print/PrintConfirmation.h"

#include "app/NumberText.h"

MessageRequest printConfirmation(const PrintRequest& request, const PrintLayout& layout) {
    MessageRequest r;
    r.buttons = MsgButtons::YesNo;
    r.icon = MsgIcon::Question;
    if (request.mode == 1) {
        const QString n = numtext::plainText(double(layout.cardCount));
        r.prompt = QStringLiteral("Confirmer l'impression d'une page de ") + n +
                   QStringLiteral(" cartes identiques");
        r.title = QStringLiteral("Impression de ") + n + QStringLiteral(" cartes ");
    } else {
        // The position keeps the blank of its sign: "N°  3".
        const QString n = numtext::signedText(int(request.position));
        r.prompt = QStringLiteral("Confirmer l'impression de la carte N° ") + n;
        r.title = QStringLiteral("Impression de la carte N° ") + n;
    }
    return r;
}

bool positionMissing(const PrintRequest& request) {
    return request.mode != 1 && (request.position < 1 || request.position > SheetPosition::Count);
}

MessageRequest positionMissingMessage() {
    return {QStringLiteral("Aucune carte n'a été choisie sur la feuille.\r"
                           "Cliquez sur l'une des positions « Carte 1 » à « Carte 10 » du paramétrage "
                           "de l'impression, puis relancez l'impression."),
            QStringLiteral("Impression"), MsgButtons::Ok, MsgIcon::Exclamation, 1};
}
