#include "app/SharedProcedures.h"

#include "app/CardModel.h"
#include "platform/Environment.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

QPoint centredTopLeftTwips(const QSize& screenTwips, const QSize& windowTwips) {
    return {screenTwips.width() / 2 - windowTwips.width() / 2,
            screenTwips.height() / 2 - windowTwips.height() / 2};
}

void CentrerFeuille(QWidget& window, const Environment& environment) {
    const QSize frame = window.frameGeometry().size().expandedTo(window.size());
    const QPoint topLeft = centredTopLeftTwips(environment.screenSizeTwips(), frame * TwipsPerPixel);
    window.move(topLeft / TwipsPerPixel);
}

bool FichierExiste(const QString& path) {
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (!name.contains(QLatin1Char('*')) && !name.contains(QLatin1Char('?')))
        return info.isFile();
    const QDir folder = info.dir();
    return !folder.entryList({name}, QDir::Files | QDir::Hidden | QDir::System).isEmpty();
}

QString AjouteBarre(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString trimSpaces(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && text.at(last - 1) == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}
