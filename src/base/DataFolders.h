#pragma once

#include <QString>

// Where the user's own files live. A program folder the user can write to (a
// build folder, an unpacked copy) keeps everything beside the program. An
// installed program folder is left alone: the chord libraries and the custom
// dictionary go to the user's data folder, the songs to "Songloom" in the
// user's documents, and the program folder is only read.
namespace DataFolders {

// The folder holding BitMaps and custom.dic, without trailing separator.
QString DataPath();
// The songs' default folder.
QString SongsPath();
// True when the user's files are kept per user, away from the program folder.
bool isPerUser();

// True when a file can really be created in the folder. Permission bits are
// not trusted: root writes into read-only folders, a read-only mount refuses
// everybody.
bool canWriteInto(const QString &folder);

// The file an installed program folder carries; with it the program folder
// is never written, even by a user who could (root).
QString installedMarkerName();

// The platform's per-user folders for this program.
struct UserFolders
{
    QString data;      // the user's data folder for Songloom
    QString documents; // the user's documents folder
};
UserFolders standardUserFolders();

// Decides where the user's files live for this program folder. Per user, it
// makes the data folder and, at the first start, copies the starter chords
// into it; custom.dic is copied (or made empty) when missing. A file the user
// already has is never replaced. False and why when something could not be
// made; the folders are decided all the same.
bool setUp(const QString &appPath, bool programFolderWritable, const UserFolders &user,
           QString *errorString = nullptr);
// setUp for the running program: its folder, a real write probe, the
// platform's folders.
bool setUpForProgramFolder(const QString &appPath, QString *errorString = nullptr);

// Back to everything beside the program folder, as before any set-up.
void reset();

} // namespace DataFolders
