#pragma once

#include <QString>
#include <QStringList>

// songloom-cli of the build run as the real program.
struct CliRun
{
    int exitCode = -1; // -1 on a crash or hang
    QString out;
    QString err;

    // The program at `program` (songloom-cli unless given) with `args`, in
    // the working folder `folder`.
    static CliRun run(const QStringList &args, const QString &folder, const QString &program = {});
    static QString cliPath();
};
