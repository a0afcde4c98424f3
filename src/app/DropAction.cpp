#include "app/DropAction.h"

#include <QFileInfo>

DropAction DropAction::of(const QList<QUrl>& urls, bool overLogo) {
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (QFileInfo(path).isDir())
            return {};
        if (path.endsWith(QLatin1String(".cdv"), Qt::CaseInsensitive))
            return {Kind::OpenCard, path};
        if (overLogo)
            return {Kind::SetLogo, path};
        return {};
    }
    return {};
}
