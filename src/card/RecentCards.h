#pragma once

#include <QStringList>

class QSettings;

// The cards last opened or saved, newest first, as the "&Fichier" menu lists them. Kept
// between runs in the settings under "recentCards".
namespace recentcards {

inline constexpr int Limit = 5;

// The list once path was opened or saved: path first, its older place dropped, no more than
// Limit names.
QStringList added(QStringList list, const QString& path);
// The names of list whose files still exist, in their order.
QStringList existing(const QStringList& list);

// Nothing is kept without settings (tests run without any).
QStringList load(QSettings* settings);
void store(QSettings* settings, const QStringList& list);

} // namespace recentcards
