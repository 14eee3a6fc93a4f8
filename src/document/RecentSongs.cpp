#include "document/RecentSongs.h"

#include "base/SettingsStore.h"

#include <QDir>
#include <QFileInfo>

namespace RecentSongs {

namespace {

const QChar separator = QLatin1Char('\n');

QString normalised(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

bool samePath(const QString &a, const QString &b)
{
#ifdef Q_OS_WIN
    return normalised(a).compare(normalised(b), Qt::CaseInsensitive) == 0;
#else
    return normalised(a) == normalised(b);
#endif
}

} // namespace

QStringList load()
{
    QStringList songs;
    const QStringList stored = SettingsStore::GetSetting(SettingsStore::RecentSongs, QString())
                                   .split(separator, Qt::SkipEmptyParts);
    for (const QString &path : stored) {
        if (songs.size() < maxSongs)
            songs.append(path);
    }
    return songs;
}

void save(const QStringList &songs)
{
    SettingsStore::SaveSetting(SettingsStore::RecentSongs, songs.mid(0, maxSongs).join(separator));
}

QStringList added(const QStringList &songs, const QString &path)
{
    QStringList result{normalised(path)};
    for (const QString &song : removed(songs, path)) {
        if (result.size() < maxSongs)
            result.append(song);
    }
    return result;
}

QStringList removed(const QStringList &songs, const QString &path)
{
    QStringList result;
    for (const QString &song : songs) {
        if (!samePath(song, path))
            result.append(song);
    }
    return result;
}

} // namespace RecentSongs
