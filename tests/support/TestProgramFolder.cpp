#include "support/TestProgramFolder.h"

#include "base/Module1.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

TestProgramFolder::TestProgramFolder()
{
    QStandardPaths::setTestModeEnabled(true);
    // A fresh settings location per folder, so no test sees another's values.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_config.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_config.path());
    resetGlobals();
    setAppPath(m_dir.path());
}

TestProgramFolder::~TestProgramFolder()
{
    resetGlobals();
}

QString TestProgramFolder::path() const
{
    return AppPath();
}

QString TestProgramFolder::filePath(const QString &name) const
{
    return joinPath(AppPath(), name);
}
