#pragma once

#include <QStringList>
class QTextStream;

// Runs "songloom-cli spell FILE [--main NAME.lex] [--custom FILE]": lists
// the unknown words of an RTF or plain-text song, one a line with its line,
// column and first suggestions. Returns 1 when it found any, 0 when none,
// 2 on an error.
int runSpellCommand(const QStringList &args, QTextStream &out, QTextStream &err);
