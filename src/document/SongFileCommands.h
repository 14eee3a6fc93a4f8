#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QMimeData;
class QPrinter;
class QWidget;
class rtfText;

// The File menu's commands over the song in the main window: new, open,
// close, save, save as, printing, the recent songs. It keeps the song's file
// name, marks the song changed on the user's edits and asks to save them
// before the song is replaced. The window wires menus and buttons here and
// shows the title this reports.
class SongFileCommands final : public QObject
{
    Q_OBJECT
public:
    SongFileCommands(rtfText *song, QWidget *window);
    ~SongFileCommands() override;

    // The open and save dialogs' file types.
    static QString fileFilter();
    // The first song file among dropped files (.rtf or .txt), or "".
    static QString songFileIn(const QMimeData *data);

    // While the program itself replaces the song, its changes are not the
    // user's edits.
    bool isLoading() const { return mblnLoading; }
    void setLoading(bool loading) { mblnLoading = loading; }

    // The first song of a run: a new one from the template beside the program.
    void startupSong();
    // An empty new song.
    void ClearDocument();
    // A new song from the template, or an empty one without it.
    void NewSong();
    // Asks whether to save a changed song. False when the user cancelled,
    // or chose to save and the save did not happen: the caller stops.
    bool CheckSaveChanges();
    // Asks for a name and saves there; false when cancelled or failed.
    bool SaveDocumentAs();

    void New();
    void Open();
    void Close();
    bool Save();
    void SaveAs();
    void PrintSetup();
    void Print();
    void PrintPreview();
    // Opens a song named outside the Open dialog (a recent song, a dropped
    // file), asking about unsaved changes first.
    bool OpenSong(const QString &path);
    void OpenRecent(const QString &path);
    // Opens the song at path over the current one without asking (the song
    // named at start): the title names the file and the song counts as
    // unchanged. A song that cannot be read is reported with its path and
    // the reason; the current song then stays.
    bool OpenFile(const QString &path);

    // The song's own file; empty for a new song.
    QString fileName() const { return m_fileName; }
    QString title() const { return m_title; }
    QStringList recentSongs() const { return m_recentSongs; }

signals:
    // The window's caption changed ("Songloom - NewSong1", ...).
    void titleChanged(const QString &title);
    // The selection's formatting may show differently now.
    void selectionStateNeeded();
    void recentSongsChanged(const QStringList &songs);

private:
    enum class Format { Rtf, PlainText };

    void rtfText_Change();
    bool loadSong(const QString &path);
    bool readPlainText(const QString &path);
    // The song was just saved as, or opened from, that file: it is the song's
    // file now, unchanged, in the title and first among the recent songs.
    void songIsNow(const QString &path, Format format);
    bool writeSong(const QString &path, Format format);
    void setTitle(const QString &title);
    void setRecentSongs(const QStringList &songs);
    void reportFileFailure(const QString &title, const QString &what, const QString &path, int errorNumber,
                           const QString &description);
    QString songsFolder() const;
    QString templatePath() const;
    QPrinter *printer();

    rtfText *m_song;
    QWidget *m_window;
    bool mblnLoading = false;
    QString m_fileName;
    Format m_format = Format::Rtf;
    QString m_title;
    QStringList m_recentSongs;
    // Kept, so what Print Setup chose holds for the next Print.
    std::unique_ptr<QPrinter> m_printer;
    int m_fileError = 0;
    QString m_fileErrorText;
};
