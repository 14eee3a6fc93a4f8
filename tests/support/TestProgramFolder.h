#pragma once

#include <QString>
#include <QTemporaryDir>

// A temporary program folder with isolated settings: the program's globals
// point at it for the lifetime of this object, and settings go to a private
// configuration folder instead of the user's own.
class TestProgramFolder final
{
public:
    TestProgramFolder();
    ~TestProgramFolder();

    bool isValid() const { return m_dir.isValid(); }
    QString path() const;
    // A path inside the program folder.
    QString filePath(const QString &name) const;

private:
    QTemporaryDir m_dir;
    QTemporaryDir m_config;
};
