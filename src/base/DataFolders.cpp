#include "base/DataFolders.h"

#include "base/Module1.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

struct Decided
{
    bool perUser = false;
    QString dataPath;
    QString songsPath;
};
Decided gDecided;

const QString bitMapsName = QStringLiteral("BitMaps");
const QString customDictName = QStringLiteral("custom.dic");

QString native(const QString &path)
{
    return QDir::toNativeSeparators(QDir::cleanPath(path));
}

// Copies every file and folder of the starter tree that the target lacks.
bool copyMissing(const QString &from, const QString &to, QString *errorString)
{
    bool ok = QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = joinPath(to, QDir(from).relativeFilePath(source));
        if (it.fileInfo().isDir()) {
            ok = QDir().mkpath(target) && ok;
            continue;
        }
        if (QFileInfo::exists(target))
            continue;
        QFile file(source);
        if (!file.copy(target)) {
            if (errorString)
                *errorString = QStringLiteral("Cannot copy %1 to %2: %3").arg(native(source), native(target), file.errorString());
            ok = false;
            continue;
        }
        // Starter files of a read-only package come read-only; the user's copies are the user's.
        QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
    }
    if (!ok && errorString && errorString->isEmpty())
        *errorString = QStringLiteral("Cannot create the folder %1").arg(native(to));
    return ok;
}

bool ensureCustomDictionary(const QString &appPath, const QString &dataPath, QString *errorString)
{
    const QString target = joinPath(dataPath, customDictName);
    if (QFileInfo::exists(target))
        return true;
    const QString starter = joinPath(appPath, customDictName);
    if (QFileInfo(starter).isFile() && QFile::copy(starter, target)) {
        QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
        return true;
    }
    QFile empty(target);
    if (empty.open(QIODevice::WriteOnly))
        return true;
    if (errorString)
        *errorString = QStringLiteral("Cannot create %1: %2").arg(native(target), empty.errorString());
    return false;
}

} // namespace

namespace DataFolders {

QString DataPath()
{
    return gDecided.perUser ? gDecided.dataPath : AppPath();
}

QString SongsPath()
{
    return gDecided.perUser ? gDecided.songsPath : joinPath(AppPath(), QStringLiteral("My Songs"));
}

bool isPerUser()
{
    return gDecided.perUser;
}

bool canWriteInto(const QString &folder)
{
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(joinPath(folder, QStringLiteral(".songloom-write-test-XXXXXX")));
    return probe.open();
}

QString installedMarkerName()
{
    return QStringLiteral("installed-program-folder");
}

UserFolders standardUserFolders()
{
    return {QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)};
}

bool setUp(const QString &appPath, bool programFolderWritable, const UserFolders &user, QString *errorString)
{
    const bool installed = QFileInfo::exists(joinPath(appPath, installedMarkerName()));
    gDecided = {};
    if (programFolderWritable && !installed)
        return true;
    gDecided.perUser = true;
    gDecided.dataPath = native(user.data);
    gDecided.songsPath = joinPath(native(user.documents), QStringLiteral("Songloom"));

    if (!QDir().mkpath(gDecided.dataPath)) {
        if (errorString)
            *errorString = QStringLiteral("Cannot create the folder %1").arg(gDecided.dataPath);
        return false;
    }
    bool ok = true;
    // The starter chords come once; chords the user deletes later stay deleted.
    const QString bitMaps = joinPath(gDecided.dataPath, bitMapsName);
    if (!QFileInfo::exists(bitMaps)) {
        const QString starter = joinPath(appPath, bitMapsName);
        ok = (QFileInfo(starter).isDir() ? copyMissing(starter, bitMaps, errorString) : QDir().mkpath(bitMaps)) && ok;
    }
    ok = ensureCustomDictionary(appPath, gDecided.dataPath, errorString) && ok;
    return ok;
}

bool setUpForProgramFolder(const QString &appPath, QString *errorString)
{
    return setUp(appPath, canWriteInto(appPath), standardUserFolders(), errorString);
}

void reset()
{
    gDecided = {};
}

} // namespace DataFolders
