#include "library/ChordLibraryFolders.h"

#include "base/Module1.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool makeFolder(const QString &path, QString *errorString)
{
    QString folder = path;
    if (folder.endsWith(QDir::separator()) && folder.size() > 1)
        folder.chop(1);
    if (QFileInfo(folder).isDir())
        return true;
    const QFileInfo info(folder);
    if (QDir(info.absolutePath()).mkdir(info.fileName()))
        return true;
    if (errorString)
        *errorString = QStringLiteral("Cannot create the folder %1").arg(QDir::toNativeSeparators(folder));
    return false;
}

} // namespace

namespace ChordLibraryFolders {

QString defaultLibraryName()
{
    return QStringLiteral("Default");
}

QString bitMapsFolder(const QString &appPath)
{
    return joinPath(appPath, QStringLiteral("BitMaps"));
}

QString defaultLibraryPath(const QString &appPath)
{
    return bitMapsFolder(appPath) + QDir::separator();
}

QString libraryPath(const QString &appPath, const QString &libraryName)
{
    if (libraryName == defaultLibraryName())
        return defaultLibraryPath(appPath);
    return joinPath(bitMapsFolder(appPath), libraryName) + QDir::separator();
}

bool ensureLibraryFolders(const QString &appPath, const QString &currentLibraryPath, QString *errorString)
{
    if (!makeFolder(bitMapsFolder(appPath), errorString))
        return false;
    if (currentLibraryPath.isEmpty() || currentLibraryPath == defaultLibraryPath(appPath))
        return true;
    return makeFolder(currentLibraryPath, errorString);
}

} // namespace ChordLibraryFolders
