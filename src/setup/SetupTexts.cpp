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

} // namespace setup
