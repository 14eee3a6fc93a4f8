#include "base/Module1.h"

#include "base/DataFolders.h"

#include <QDir>
#include <QFileInfo>

QString gstrChordLibPath;
QString gstrChordLibName;
QString gstrNewChordName;
QString gstrMainDictFileName;
QString gstrCustomDictFilePath;
frmSongloom *gfrmMain = nullptr;

namespace {
QString gAppPath;
}

QString AppPath()
{
    return gAppPath;
}

void setAppPath(const QString &path)
{
    QString clean = QDir::toNativeSeparators(QDir::cleanPath(path));
    // Only a root folder keeps its trailing separator.
    if (clean.size() > 1 && clean.endsWith(QDir::separator()) && !QDir(clean).isRoot())
        clean.chop(1);
    gAppPath = clean;
}

QString AppTitle()
{
    return QStringLiteral("Songloom");
}

QString AppVersionText()
{
    return QStringLiteral("Version %1.%2.%3")
        .arg(SONGLOOM_VERSION_MAJOR)
        .arg(SONGLOOM_VERSION_MINOR)
        .arg(SONGLOOM_VERSION_PATCH);
}

QString joinPath(const QString &folder, const QString &name)
{
    if (folder.endsWith(QDir::separator()))
        return folder + name;
    return folder + QDir::separator() + name;
}

QString GetSystemDir()
{
#ifdef Q_OS_WIN
    // The Windows system folder, where older spell checkers kept their lists.
    return QDir::toNativeSeparators(qEnvironmentVariable("SystemRoot") + QStringLiteral("\\System32"));
#else
    const QString shared = QStringLiteral("/usr/share/hunspell");
    return QFileInfo(shared).isDir() ? shared : QString();
#endif
}

void resetGlobals()
{
    gstrChordLibPath.clear();
    gstrChordLibName.clear();
    gstrNewChordName.clear();
    gstrMainDictFileName.clear();
    gstrCustomDictFilePath.clear();
    gfrmMain = nullptr;
    DataFolders::reset();
}
