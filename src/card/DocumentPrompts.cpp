#include "card/DocumentPrompts.h"

namespace documentprompt {
namespace {

// Card files written elsewhere may carry the extension in either case.
const QString CardFilter = QStringLiteral("Cartes de visite (*.cdv *.CDV)|*.cdv;*.CDV");

MessageRequest error(const QString& prompt, const QString& title) {
    return {prompt, title, MsgButtons::Ok, MsgIcon::Critical, 1};
}

} // namespace

MessageRequest newCardQuestion() {
    return {QStringLiteral("Création d'une nouvelle carte ?\r        Confirmer ?"),
            QStringLiteral("Création d'une carte"), MsgButtons::OkCancel, MsgIcon::None, 1};
}

MessageRequest quitQuestion() {
    return {QStringLiteral("Quitter Kalimo\r      Confirmez  ?"), QStringLiteral("Quitter le programme"),
            MsgButtons::YesNo, MsgIcon::Question, 2};
}

MessageRequest cardNotFound(const QString& path) {
    return error(QStringLiteral("Fichier ") + path + QStringLiteral(" non trouvé !"),
                 QStringLiteral("Erreur"));
}

MessageRequest logoNotFound(const QString& path) {
    return error(QStringLiteral("Fichier icone ") + path + QStringLiteral(" non trouvé !"),
                 QStringLiteral("Erreur"));
}

MessageRequest logoNotDecoded(const QString& path) {
    return error(QStringLiteral("Fichier icone ") + path +
                     QStringLiteral(" illisible : format d'image non supporté !"),
                 QStringLiteral("Erreur"));
}

MessageRequest notACardFile() {
    return error(QStringLiteral("Erreur d'ouverture du fichier"),
                 QStringLiteral("Erreur ou fichier de version antérieure !"));
}

MessageRequest saveFailed() {
    return error(QStringLiteral("Erreur lors de la sauvegarde du fichier !"), QStringLiteral("erreur"));
}

MessageRequest unencodableQuestion(const QStringList& characters) {
    QStringList named;
    for (const QString& c : characters)
        named << QStringLiteral("« %1 »").arg(c);
    return {QStringLiteral("Ces caractères ne peuvent pas être enregistrés dans le fichier carte :\r%1\r"
                           "Ils y seront remplacés par « ? ».\r\rEnregistrer quand même ?")
                .arg(named.join(QLatin1Char(' '))),
            QStringLiteral("Enregistrement de la carte"), MsgButtons::OkCancel, MsgIcon::Exclamation, 2};
}

MessageRequest saveChangesQuestion(const QString& name) {
    return {QStringLiteral("La carte « %1 » a été modifiée.\rVoulez-vous enregistrer les modifications ?\r\r"
                           "Sans enregistrement, elles seront perdues.")
                .arg(name),
            QStringLiteral("Enregistrer les modifications"), MsgButtons::SaveDiscardCancel,
            MsgIcon::Exclamation, 3};
}

FileDialogRequest openDialog(const QString& currentPath) {
    FileDialogRequest r;
    r.title = QStringLiteral("Ouvrir");
    r.filter = CardFilter;
    r.filterIndex = 1;
    r.initialName = currentPath;
    return r;
}

FileDialogRequest saveAsDialog(const QString& proposedName) {
    FileDialogRequest r;
    r.title = QStringLiteral("Enregistrer Sous");
    r.filter = CardFilter;
    r.filterIndex = 1;
    r.initialName = proposedName;
    r.askBeforeReplacing = true;
    r.defaultSuffix = QStringLiteral("cdv");
    return r;
}

QString statusName(const QString& path, const QString& fileTitle) {
    const QString name = fileTitle.isEmpty() ? path.mid(path.lastIndexOf(QLatin1Char('/')) + 1) : fileTitle;
    return name.toUpper();
}

} // namespace documentprompt
