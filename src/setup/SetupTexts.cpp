#include "setup/SetupTexts.h"

#include "app/NumberText.h"

namespace setup {

QString dialogCaption(const QString& setName) {
    return QStringLiteral("Paramétrage de l'impression ") + setName;
}

QString creationSetName(const ParameterFileState& state) {
    return state.fileLoaded ? state.loadedTitle : QString::fromLatin1(BuiltInLayoutName);
}

QString printCardsCaption(int count) {
    return QStringLiteral("&Imprimer ") + QString::number(count) + QStringLiteral(" cartes");
}

QString printPositionCaption(int position) {
    return QStringLiteral("&Imprimer la carte N° ") + numtext::signedText(position);
}

QString identicalCardsCaption(int count) {
    return QString::number(count) + QStringLiteral(" Cartes identiques");
}

bool keyAccepted(const QString& allowed, QChar typed) {
    return typed == QChar(8) || (!typed.isNull() && allowed.contains(typed));
}

CardCount readCardCount(const QString& text) {
    // Rounded before the range test, so that a huge pasted number never reaches 16 bits.
    const double value = numtext::roundHalfEven(numtext::toNumber(text));
    CardCount out;
    if (value > MaxCardCount) {
        out.count = MaxCardCount;
        out.message = QStringLiteral("Nombre maximum de cartes identiques = 10");
        out.forcedText = QStringLiteral("10");
    } else if (value < 0) {
        out.count = 1;
        out.message = QStringLiteral("Nombre minimum de cartes = 1");
        out.forcedText = QStringLiteral("1");
    } else {
        out.count = static_cast<qint16>(value);
    }
    return out;
}

double measureValue(const QString& text) {
    return numtext::toNumber(QString(text).replace(QLatin1Char(','), QLatin1Char('.')));
}

double& measureOfBox(PrintLayout& layout, int box) {
    switch (box) {
    case 1:
        return layout.leftMargin;
    case 2:
        return layout.horizontalSeparator;
    case 3:
        return layout.topMargin;
    case 4:
        return layout.verticalSeparator;
    case 5:
        return layout.cardWidth;
    case 6:
    default: // only 1 to 6 are measure boxes
        return layout.cardHeight;
    }
}

QString parameterLoadStopped(const QString& path, int stoppedAt) {
    if (stoppedAt < 1 || stoppedAt > 8)
        return QStringLiteral("Le fichier de paramètres ne peut pas être lu :\r") + path +
               QStringLiteral("\r\rLes paramètres d'impression n'ont pas changé.");
    static const char* const fields[8] = {
        "marge gauche",        "marge haute",         "séparateur horizontal", "séparateur vertical",
        "largeur de la carte", "hauteur de la carte", "imprimer cadre",        "imprimer découpe"};
    QString applied;
    if (stoppedAt == 1)
        applied = QStringLiteral("Aucun paramètre n'a changé.");
    else if (stoppedAt <= 6)
        applied = QStringLiteral(
            "Les valeurs lues avant ce champ sont appliquées ; les suivantes n'ont pas changé.");
    else
        applied =
            QStringLiteral("Les six mesures sont appliquées ; « Imprimer cadre » et « Imprimer découpe » "
                           "n'ont pas changé.");
    return QStringLiteral("Le fichier de paramètres est incomplet ou abîmé :\r") + path +
           QStringLiteral("\r\rLa lecture s'est arrêtée au champ %1 (%2).\r")
               .arg(stoppedAt)
               .arg(QString::fromUtf8(fields[stoppedAt - 1])) +
           applied;
}

QString positionsLockedHint() {
    return QStringLiteral(
        "Pour imprimer une seule carte, cochez d'abord « Carte sélectionnée », puis cliquez sur "
        "la carte voulue.");
}

} // namespace setup
