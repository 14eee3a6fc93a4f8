#pragma once

#include "base/Result.h"

#include <QImage>
#include <QString>
#include <QStringList>

// Chord files: one picture file per chord, directly in its library's folder.
// The file name is the chord's display name with "/" written as "~", and,
// when that name is taken, ";" and a counter from 2 up. The file has no
// extension; its content is a BMP picture.
namespace ChordFiles {

// The characters a chord's display name may not contain. The semicolon and
// the tilde carry meaning in file names; the others are refused by common
// file systems.
inline constexpr char16_t refusedCharacters[] = u";~\\:?\"<>|";

// The text shown when a display name contains a refused character.
QString refusedCharactersMessage();

// The display name of a new chord: the chord name and the additional text
// (such as "5th Fret"), each trimmed, joined by one space; the chord name
// alone when there is no additional text.
QString composeDisplayName(const QString &chordName, const QString &additionalText);

// True when the display name contains none of the refused characters.
bool isAcceptedChordName(const QString &displayName);

// The display name with every "/" written as "~".
QString baseFileName(const QString &displayName);

// A file name for the display name that is free in the folder: the base
// file name, or the base file name, ";" and the first counter from 2 up that
// gives a free name. Any entry of that name counts as taken (a file, a
// folder, a link), matched as the file system matches names.
QString MakeChordFileName(const QString &displayName, const QString &folder);

// The name shown in the chord list for a file name: everything before the
// first ";", with every "~" read back as "/".
QString displayNameOfFile(const QString &fileName);

// The chord's key: the full path of its file.
QString chordKey(const QString &folder, const QString &fileName);

// The files of a library folder, in the order the file system lists them:
// every file directly inside it, sub-folders (other libraries) excluded.
QStringList listChordFiles(const QString &folder);

// Writes the picture as a BMP file without extension. The file appears only
// once it is complete: it is written beside its final name and renamed, so
// a failure leaves nothing behind.
Result saveChordFile(const QImage &picture, const QString &path);

// Deletes a chord file for good.
Result deleteChordFile(const QString &key);

} // namespace ChordFiles
