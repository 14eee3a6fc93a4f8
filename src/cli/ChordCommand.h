#pragma once

#include <QStringList>
class QTextStream;

// Runs "songloom-cli chord ..."; returns the process exit code.
int runChordCommand(const QStringList &args, QTextStream &out, QTextStream &err);
