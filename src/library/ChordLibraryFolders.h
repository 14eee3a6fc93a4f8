#pragma once

#include "base/Result.h"

#include <QString>
#include <QStringList>

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

// The names of the libraries beside Default: the folders directly inside
// BitMaps, in the order the file system lists them.
QStringList listLibraryNames(const QString &appPath);

// Why the name cannot be given to a new library folder in BitMaps, as the
// user is told it; empty when it can. The name is taken as typed (trimmed by
// the caller). A folder of that name already there is fine.
QString libraryNameProblem(const QString &appPath, const QString &name);

// The folder of a library in BitMaps, made when it is missing. A folder that
// is there under the same name in other letter case (on a file system that
// ignores case) is used, and *actualName is its name as listed. The
// failure's number and reason when the folder could not be made.
Result makeLibraryFolder(const QString &appPath, const QString &name, QString *actualName);

} // namespace ChordLibraryFolders
