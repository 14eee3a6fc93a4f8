#include "cli/ConvertCommand.h"

#include <QStringList>
#include <QTextStream>

int runConvertCommand(const QStringList &, QTextStream &, QTextStream &err)
{
    err << "songloom-cli: not available yet\n";
    return 1;
}
