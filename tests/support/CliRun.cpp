#include "support/CliRun.h"

#include <QProcess>
#include <QTemporaryDir>

QString CliRun::cliPath()
{
    return QStringLiteral(SONGLOOM_PROGRAM_DIR "/songloom-cli");
}

CliRun CliRun::run(const QStringList &args, const QString &folder, const QString &program)
{
    // Qt's own notes about a missing runtime folder would mix with the
    // program's messages.
    static QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(program.isEmpty() ? cliPath() : program, args);
    CliRun result;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}
