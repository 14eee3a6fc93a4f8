#pragma once

#include <QString>

#include <QStringList>

// What the command line asks for at start.
struct StartOptions
{
    // A song to open over the new one, as an absolute path; empty for none.
    QString songPath;
};

// Names the application (title, organisation, version) for settings,
// folders and --version.
void describeApplication(const QString &version);
// True when the arguments only ask for --help or --version, which are
// answered without a display.
bool asksOnlyForText(int argc, char *argv[]);
// Reads the command line (the program's name first). --help and --version print their text and end
// the program here; so does an unknown option, with a message.
StartOptions parseCommandLine(const QStringList &arguments);

// Starts the program: the splash while the main window loads, then the main
// window, which opens the song of the options after the new one. The program
// folder must be set first (setAppPath).
void Main(const StartOptions &options = {});
