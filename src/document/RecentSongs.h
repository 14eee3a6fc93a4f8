#pragma once

#include <QString>
#include <QStringList>

// The songs last opened or saved, newest first, kept in the settings so the
// File menu can offer them again in the next run.
namespace RecentSongs {

constexpr int maxSongs = 8;

// The stored list (absent or empty lines dropped, at most maxSongs).
QStringList load();
void save(const QStringList &songs);

// The list with the path in front, any earlier mention of it removed.
QStringList added(const QStringList &songs, const QString &path);
// The list without the path.
QStringList removed(const QStringList &songs, const QString &path);

} // namespace RecentSongs
