#pragma once

#include "base/Result.h"

#include <QString>

// Where chord libraries lie: BitMaps in the program folder is the library
// "Default"; every immediate sub-folder of BitMaps is a library of that name.
// Folder paths of libraries end in the separator.
namespace ChordLibraryFolders {

// The name that always means BitMaps itself, never a sub-folder.
QString defaultLibraryName();

// BitMaps in the program folder, without trailing separator.
QString bitMapsFolder(const QString &appPath);

// The Default library's folder: BitMaps itself, ending in the separator.
QString defaultLibraryPath(const QString &appPath);

// The folder of the library of that name, ending in the separator.
QString libraryPath(const QString &appPath, const QString &libraryName);

// Creates BitMaps when it is missing, then the current library's folder
// when it is another one and missing (that folder only, not its parents).
Result ensureLibraryFolders(const QString &appPath, const QString &currentLibraryPath);

} // namespace ChordLibraryFolders
