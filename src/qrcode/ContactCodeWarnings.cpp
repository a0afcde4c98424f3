#include "qrcode/ContactCodeWarnings.h"

#include "platform/MessageBoxes.h"
#include "qrcode/ContactCode.h"

namespace codewarning {
namespace {

QString millimetres(double mm) {
    return QString::number(mm, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','));
}

} // namespace

QString tooSmall(double moduleMm) {
    return QStringLiteral(
               "Le code QR est trop petit : ses modules mesurent %1 mm, moins de %2 mm. Un "
               "téléphone risque de ne pas pouvoir le lire. Agrandissez le logo (« Redimensionner »).")
        .arg(millimetres(moduleMm), millimetres(MinModuleMm));
}

QString tooLong() {
    return QStringLiteral("Le texte de la carte est trop long pour tenir dans un code QR : le code ne sera "
                          "pas imprimé. Raccourcissez les zones de texte.");
}

QString empty() {
    return QStringLiteral("Le code QR ne contient aucune coordonnée : la carte n'a ni nom, ni fonction, ni "
                          "téléphone, e-mail ou site reconnus.");
}

QStringList forCard(const CardDocument& card) {
    if (!showsContactCode(card.Logo))
        return {};
    const ContactCode code = contactCodeOf(card);
    if (!code.matrix)
        return {tooLong()};
    QStringList out;
    const CodePlacement place = placeCode(card.Logo, code.matrix->size);
    if (place.moduleMm < MinModuleMm)
        out << tooSmall(place.moduleMm);
    if (code.empty)
        out << empty();
    return out;
}

} // namespace codewarning

namespace codewarning {

MessageRequest withWarnings(MessageRequest question, const CardDocument& card) {
    const QStringList warnings = forCard(card);
    if (warnings.isEmpty())
        return question;
    question.prompt += QStringLiteral("\r\r") + warnings.join(QLatin1Char('\r'));
    question.icon = MsgIcon::Exclamation;
    question.defaultButton = 2;
    return question;
}

} // namespace codewarning
