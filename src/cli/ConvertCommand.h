#pragma once

#include <QStringList>
class QTextStream;

// Runs "songloom-cli convert ..."; returns the process exit code.
int runConvertCommand(const QStringList &args, QTextStream &out, QTextStream &err);
