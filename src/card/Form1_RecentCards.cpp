// The recent cards of the "&Fichier" menu.
#include "app/Form1.h"
#include "card/RecentCards.h"
#include "platform/Platform.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

void Form1::buildRecentMenu() {
    for (int i = 1; i <= recentcards::Limit; ++i) {
        auto* entry = new QAction(this);
        entry->setObjectName(QStringLiteral("Mnu_Recent%1").arg(i));
        Mnu_Fichier->insertAction(Mnu_Quitter, entry);
        connect(entry, &QAction::triggered, this, [this, entry] { openCardFile(entry->data().toString()); });
        Mnu_Recent << entry;
    }
    Mnu_RecentSeparator = Mnu_Fichier->insertSeparator(Mnu_Quitter);
    recent_ = recentcards::load(p_.settings.get());
    refreshRecentMenu();
}

void Form1::refreshRecentMenu() {
    // A card that is gone leaves the list for good.
    const QStringList kept = recentcards::existing(recent_);
    if (kept != recent_) {
        recent_ = kept;
        recentcards::store(p_.settings.get(), recent_);
    }
    for (int i = 0; i < Mnu_Recent.size(); ++i) {
        QAction* entry = Mnu_Recent.at(i);
        const bool used = i < recent_.size();
        entry->setVisible(used);
        if (!used)
            continue;
        const QString path = recent_.at(i);
        // "&&" keeps an ampersand of the name from becoming a shortcut.
        QString name = QFileInfo(path).fileName();
        name.replace(QLatin1Char('&'), QLatin1String("&&"));
        entry->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        entry->setData(path);
        entry->setToolTip(QDir::toNativeSeparators(path));
        entry->setStatusTip(entry->toolTip());
    }
    Mnu_RecentSeparator->setVisible(!recent_.isEmpty());
}

void Form1::rememberRecent(const QString& path) {
    recent_ = recentcards::added(recent_, QFileInfo(path).absoluteFilePath());
    recentcards::store(p_.settings.get(), recent_);
    refreshRecentMenu();
}
