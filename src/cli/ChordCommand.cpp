#include "cli/ChordCommand.h"

#include <QStringList>
#include <QTextStream>

int runChordCommand(const QStringList &, QTextStream &, QTextStream &err)
{
    err << "songloom-cli: not available yet\n";
    return 1;
}
