#pragma once

#include <QString>

// The per-user settings store: application "Songloom", section "Settings",
// every value kept as text.
namespace SettingsStore {

inline const QString MainWindowState = QStringLiteral("MainWindowState");
inline const QString MainWidth = QStringLiteral("MainWidth");
inline const QString MainHeight = QStringLiteral("MainHeight");
inline const QString ChordLibPath = QStringLiteral("ChordLibPath");
inline const QString ChordLibName = QStringLiteral("ChordLibName");
inline const QString MainDictFileName = QStringLiteral("MainDictFileName");
inline const QString CustomDictFilePath = QStringLiteral("CustomDictFilePath");
// The last songs opened or saved, newest first, one full path a line.
inline const QString RecentSongs = QStringLiteral("RecentSongs");
// "1" or "0": unknown words underlined as the user types; written when switched.
inline const QString CheckSpellingAsYouType = QStringLiteral("CheckSpellingAsYouType");

// The stored text, or defaultValue when the key is absent.
QString GetSetting(const QString &key, const QString &defaultValue);
// Creates or replaces the entry.
void SaveSetting(const QString &key, const QString &value);

} // namespace SettingsStore
