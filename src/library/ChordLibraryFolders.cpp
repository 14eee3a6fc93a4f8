#include "library/ChordLibraryFolders.h"

#include "base/Module1.h"

#include <QDir>
#include <QFileDevice>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

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

// Characters no folder name may hold on one of the systems a library may be
// copied to; a library made here stays usable there.
const QString refusedNameCharacters = QStringLiteral("<>:\"|?*");

bool isReservedDeviceName(const QString &name)
{
#ifdef Q_OS_WIN
    const QString stem = name.section(QLatin1Char('.'), 0, 0).trimmed().toUpper();
    static const QStringList reserved = {"CON", "PRN", "AUX", "NUL", "COM1", "COM2", "COM3", "COM4", "COM5",
                                         "COM6", "COM7", "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4",
                                         "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};
    return reserved.contains(stem);
#else
    Q_UNUSED(name);
    return false;
#endif
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

QStringList listLibraryNames(const QString &appPath)
{
    return QDir(bitMapsFolder(appPath)).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::NoSort);
}

QString libraryNameProblem(const QString &appPath, const QString &name)
{
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return QStringLiteral("A Chord Library name cannot contain a path separator (/ or \\): "
                              "a library is one folder directly inside the BitMaps folder.");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("\"%1\" cannot name a Chord Library: it stands for a folder that is already "
                              "there.").arg(name);
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || refusedNameCharacters.contains(c))
            return QStringLiteral("A Chord Library name cannot include the following characters:\n"
                                  "< > : \" | ? * or control characters.");
    }
    if (name.endsWith(QLatin1Char('.')))
        return QStringLiteral("A Chord Library name cannot end with a dot.");
    if (isReservedDeviceName(name))
        return QStringLiteral("\"%1\" is reserved by the system and cannot name a folder.").arg(name);
    const QFileInfo entry(joinPath(bitMapsFolder(appPath), name));
    if ((entry.exists() || entry.isSymLink()) && !entry.isDir())
        return QStringLiteral("A file named \"%1\" stands in the BitMaps folder, so no library folder of that "
                              "name can be made there. Please choose another name.").arg(name);
    return {};
}

Result makeLibraryFolder(const QString &appPath, const QString &name, QString *actualName)
{
    const QStringList existing = listLibraryNames(appPath);
    QString folderName = name;
    if (!existing.contains(name) && QFileInfo(joinPath(bitMapsFolder(appPath), name)).isDir()) {
        // The file system found it under another spelling.
        for (const QString &listed : existing) {
            if (listed.compare(name, Qt::CaseInsensitive) == 0) {
                folderName = listed;
                break;
            }
        }
    }
    if (actualName)
        *actualName = folderName;
    const QString path = joinPath(bitMapsFolder(appPath), folderName);
    if (QFileInfo(path).isDir())
        return {};
    std::error_code error;
    // BitMaps itself may have been removed by hand since the start.
    const QString bitMaps = bitMapsFolder(appPath);
    if (!QFileInfo(bitMaps).isDir())
        std::filesystem::create_directory(std::filesystem::path(bitMaps.toStdU16String()), error);
    if (!error)
        std::filesystem::create_directory(std::filesystem::path(path.toStdU16String()), error);
    if (!error && QFileInfo(path).isDir())
        return {};
    if (error)
        return Result::failed(error.value(), QString::fromLocal8Bit(error.message().c_str()));
    return Result::failed(0, QStringLiteral("The folder is not there after it was made."));
}

} // namespace ChordLibraryFolders
