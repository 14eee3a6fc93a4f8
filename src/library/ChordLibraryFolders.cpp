#include "library/ChordLibraryFolders.h"

#include "base/Module1.h"

#include <QDir>
#include <QFileDevice>
#include <QFileInfo>

namespace {

Result makeFolder(const QString &path)
{
    QString folder = path;
    if (folder.endsWith(QDir::separator()) && folder.size() > 1)
        folder.chop(1);
    if (QFileInfo(folder).isDir())
        return {};
    const QFileInfo info(folder);
    if (QDir(info.absolutePath()).mkdir(info.fileName()))
        return {};
    return Result::failed(QFileDevice::OpenError,
                          QStringLiteral("Cannot create the folder %1").arg(QDir::toNativeSeparators(folder)));
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

Result ensureLibraryFolders(const QString &appPath, const QString &currentLibraryPath)
{
    if (Result made = makeFolder(bitMapsFolder(appPath)); !made)
        return made;
    if (currentLibraryPath.isEmpty() || currentLibraryPath == defaultLibraryPath(appPath))
        return {};
    return makeFolder(currentLibraryPath);
}

} // namespace ChordLibraryFolders
