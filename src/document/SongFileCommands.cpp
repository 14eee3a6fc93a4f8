#include "document/SongFileCommands.h"

#include "base/Module1.h"
#include "base/Prompt.h"
#include "document/rtfText.h"

#include <QDir>
#include <QFileInfo>

SongFileCommands::SongFileCommands(rtfText *song, QWidget *window)
    : QObject(window), m_song(song), m_window(window)
{
}

void SongFileCommands::startupSong()
{
    const QString templatePath = joinPath(AppPath(), QStringLiteral("NewSongTemplate.rtf"));
    if (!QFileInfo(templatePath).isFile()) {
        prompt().message(m_window, QMessageBox::Information, QStringLiteral("Missing Template"),
                         QStringLiteral("The NewSong Template file has been renamed or deleted.\n"
                                        "You may create a new template by saving a file with the name and location:\n")
                             + templatePath);
        return;
    }
    if (!m_song->LoadFile(templatePath))
        return;
    emit titleChanged(AppTitle() + QStringLiteral(" - NewSong1"));
    m_song->setChanged(false);
}

void SongFileCommands::New() {}
void SongFileCommands::Open() {}
void SongFileCommands::Close() {}
void SongFileCommands::Save() {}
void SongFileCommands::SaveAs() {}
void SongFileCommands::PrintSetup() {}
void SongFileCommands::Print() {}
void SongFileCommands::PrintPreview() {}

bool SongFileCommands::OpenFile(const QString &path)
{
    if (!m_song->LoadFile(path)) {
        prompt().message(m_window, QMessageBox::Warning, QStringLiteral("Cannot Open Song"),
                         QStringLiteral("The song could not be opened:\n%1\n%2")
                             .arg(QDir::toNativeSeparators(path), m_song->errorString()));
        return false;
    }
    m_song->setChanged(false);
    emit titleChanged(AppTitle() + QStringLiteral(" - ") + QFileInfo(path).fileName());
    return true;
}
