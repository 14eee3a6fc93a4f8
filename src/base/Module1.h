#pragma once

#include <QString>

class frmSongloom;

// The globals the windows and dialogs share, living for the whole run.

// Folder of the current chord library, always ending in the separator.
extern QString gstrChordLibPath;
// Display name of the current library: "Default" or its sub-folder's name.
extern QString gstrChordLibName;
// File name (no folder) of the chord the editor has just saved; empty if none.
extern QString gstrNewChordName;
// The spell checker's main dictionary file name and custom dictionary path.
extern QString gstrMainDictFileName;
extern QString gstrCustomDictFilePath;
// The one main window.
extern frmSongloom *gfrmMain;

// The program folder: the executable's folder, with no trailing separator
// except at the file-system root. It is handed in at start, so tests can run
// the whole program on a temporary folder.
QString AppPath();
void setAppPath(const QString &path);

// The program's title and version as shown to the user.
QString AppTitle();
QString AppVersionText();

// Joins a folder and a name with exactly one separator between them.
QString joinPath(const QString &folder, const QString &name);

// The platform's shared spelling-dictionary folder, without trailing
// separator; empty when there is none.
QString GetSystemDir();

// Clears every global, as at a fresh start. For tests.
void resetGlobals();
