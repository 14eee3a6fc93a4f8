#pragma once

#include <QObject>
#include <QString>

class QWidget;
class rtfText;

// The File menu's commands over the song in the main window: new, open,
// close, save, save as, printing. The window wires menus and buttons here
// and shows the title this reports.
class SongFileCommands final : public QObject
{
    Q_OBJECT
public:
    SongFileCommands(rtfText *song, QWidget *window);

    // The first song of a run: a new one from the template beside the program.
    void startupSong();

    void New();
    void Open();
    void Close();
    void Save();
    void SaveAs();
    void PrintSetup();
    void Print();
    void PrintPreview();

    // Opens the song at path over the current one: the title names the file
    // and the song counts as unchanged. A song that cannot be read is
    // reported with its path and the reason; the current song then stays.
    bool OpenFile(const QString &path);

signals:
    // The window's caption changed ("Songloom - NewSong1", ...).
    void titleChanged(const QString &title);

private:
    rtfText *m_song;
    QWidget *m_window;
};
