#include "base/SettingsStore.h"

#include <QSettings>

namespace SettingsStore {

namespace {

QString groupedKey(const QString &key)
{
    return QStringLiteral("Settings/") + key;
}

QSettings store()
{
    return QSettings(QSettings::UserScope, QStringLiteral("Songloom"), QStringLiteral("Songloom"));
}

} // namespace

QString GetSetting(const QString &key, const QString &defaultValue)
{
    return store().value(groupedKey(key), defaultValue).toString();
}

void SaveSetting(const QString &key, const QString &value)
{
    QSettings settings = store();
    settings.setValue(groupedKey(key), value);
    settings.sync();
}

} // namespace SettingsStore
