#include "card/RecentCards.h"

#include <QFileInfo>
#include <QSettings>

namespace recentcards {
namespace {
const QString Key = QStringLiteral("recentCards");
}

QStringList added(QStringList list, const QString& path) {
    if (path.isEmpty())
        return list;
    list.removeAll(path);
    list.prepend(path);
    while (list.size() > Limit)
        list.removeLast();
    return list;
}

QStringList existing(const QStringList& list) {
    QStringList kept;
    for (const QString& path : list)
        if (QFileInfo(path).isFile())
            kept << path;
    return kept;
}

QStringList load(QSettings* settings) {
    if (!settings)
        return {};
    QStringList list = settings->value(Key).toStringList();
    list.removeAll(QString());
    list.removeDuplicates();
    return list.mid(0, Limit);
}

void store(QSettings* settings, const QStringList& list) {
    if (!settings)
        return;
    settings->setValue(Key, list);
    settings->sync();
}

} // namespace recentcards
