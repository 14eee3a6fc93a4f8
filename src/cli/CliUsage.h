#pragma once

#include <QString>

// Everything songloom-cli says about how it is used: the help of each
// command, the whole help, the version and the hint after a wrong command
// line. The whole help is complete enough to make the manual page from.
namespace CliUsage {

// Exit codes of songloom-cli.
enum ExitCode : int {
    Success = 0,
    // A file could not be read or written, or a picture could not be read back.
    Failure = 1,
    // The command line was wrong.
    WrongUsage = 2,
};

// "songloom-cli --help": every command, the options and the exit codes.
QString programHelp();
// "songloom-cli chord --help".
QString chordHelp();
// "songloom-cli convert --help".
QString convertHelp();
// "songloom-cli --version".
QString versionText();
// The line that follows a complaint about the command line; the command
// may be empty.
QString hint(const QString &command);

} // namespace CliUsage
