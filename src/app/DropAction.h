#pragma once

#include <QList>
#include <QString>
#include <QUrl>

// What a file dropped on the main window does: a card file opens, wherever it lands; any
// other file dropped on the logo becomes the logo. Only the first local file counts.
struct DropAction {
    enum class Kind { None, OpenCard, SetLogo };
    Kind kind = Kind::None;
    QString path;

    static DropAction of(const QList<QUrl>& urls, bool overLogo);
};
