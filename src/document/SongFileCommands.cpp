#include "document/SongFileCommands.h"

#include "base/DataFolders.h"
#include "base/Module1.h"
#include "base/Prompt.h"
#include "document/RecentSongs.h"
#include "document/SongPrinter.h"
#include "document/rtfText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QPrinter>
#include <QSaveFile>
#include <QStringDecoder>
#include <QUrl>

namespace {

const QString templateMarker = QStringLiteral("template");
const QString newSongMarker = QStringLiteral("newsong1");
const QString newSongTitle = QStringLiteral("NewSong1");
const QString plainTextEntry = QStringLiteral("Plain Text (*.txt)");

bool hasMarker(const QString &path, const QString &marker)
{
    return path.toLower().contains(marker);
}

QString fileTitle(const QString &path)
{
    return QFileInfo(path).fileName();
}

QString songTitle(const QString &name)
{
    return AppTitle() + QStringLiteral(" - ") + name;
}

// Text files from other programs: UTF-8 where it is valid, else one byte a
// character.
QString decodedText(const QByteArray &data)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(data);
    if (utf8.hasError())
        text = QString::fromLatin1(data);
    if (text.startsWith(QChar::ByteOrderMark))
        text.remove(0, 1);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

SongFileCommands::SongFileCommands(rtfText *song, QWidget *window)
    : QObject(window), m_song(song), m_window(window), m_title(AppTitle()),
      m_recentSongs(RecentSongs::load())
{
    connect(m_song, &rtfText::Change, this, &SongFileCommands::rtfText_Change);
}

SongFileCommands::~SongFileCommands() = default;

QString SongFileCommands::fileFilter()
{
    // A .doc is written as RTF under that name, as word processors read it.
    return QStringLiteral("Rich Text Format (*.rtf);;Word6 Document (*.doc);;") + plainTextEntry;
}

QString SongFileCommands::songFileIn(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        const QString suffix = QFileInfo(path).suffix().toLower();
        if ((suffix == QLatin1String("rtf") || suffix == QLatin1String("txt")) && QFileInfo(path).isFile())
            return path;
    }
    return {};
}

QString SongFileCommands::songsFolder() const
{
    return DataFolders::SongsPath();
}

QString SongFileCommands::templatePath() const
{
    return joinPath(AppPath(), QStringLiteral("NewSongTemplate.rtf"));
}

void SongFileCommands::rtfText_Change()
{
    if (mblnLoading)
        return;
    m_song->setChanged(true);
    emit selectionStateNeeded();
}

void SongFileCommands::setTitle(const QString &title)
{
    m_title = title;
    emit titleChanged(title);
}

void SongFileCommands::setRecentSongs(const QStringList &songs)
{
    if (songs == m_recentSongs)
        return;
    m_recentSongs = songs;
    RecentSongs::save(songs);
    emit recentSongsChanged(songs);
}

void SongFileCommands::reportFileFailure(const QString &title, const QString &what, const QString &path,
                                         int errorNumber, const QString &description)
{
    prompt().message(m_window, QMessageBox::Warning, title,
                     what + QStringLiteral("\n") + QDir::toNativeSeparators(path) + QStringLiteral("\n\n")
                         + QStringLiteral("Error Number: %1  Description: %2").arg(errorNumber).arg(description));
}

// --- New songs --------------------------------------------------------------

void SongFileCommands::startupSong()
{
    const QString path = templatePath();
    if (!QFileInfo(path).isFile()) {
        prompt().message(m_window, QMessageBox::Information, QStringLiteral("Missing Template"),
                         QStringLiteral("The NewSong Template file has been renamed or deleted.\n"
                                        "You may create a new template by saving a file with the name and location:\n")
                             + path);
    } else if (m_song->LoadFile(path)) {
        m_fileName = path;
        m_format = Format::Rtf;
        setTitle(songTitle(newSongTitle));
        m_song->setChanged(false);
    }
    emit selectionStateNeeded();
}

void SongFileCommands::ClearDocument()
{
    mblnLoading = true;
    m_song->setTextRTF(QString());
    // A new song has no file: a Save must never go to the one open before.
    m_fileName.clear();
    m_format = Format::Rtf;
    setTitle(songTitle(newSongTitle));
    mblnLoading = false;
    m_song->setChanged(false);
    emit selectionStateNeeded();
}

void SongFileCommands::NewSong()
{
    ClearDocument();
    // Without the template the new song stays empty, untold.
    const QString path = templatePath();
    mblnLoading = true;
    if (QFileInfo(path).isFile() && m_song->LoadFile(path))
        m_fileName = path;
    emit selectionStateNeeded();
    mblnLoading = false;
    m_song->setChanged(false);
}

// --- Asking, saving ---------------------------------------------------------

bool SongFileCommands::CheckSaveChanges()
{
    if (!m_song->Changed())
        return true;
    const QMessageBox::StandardButton answer = prompt().message(
        m_window, QMessageBox::Question, QStringLiteral("Save Changes?"),
        QStringLiteral("The current Document has changed.\nDo you want to save it?"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::No)
        return true;
    if (answer == QMessageBox::Yes)
        return Save();
    return false;
}

bool SongFileCommands::SaveDocumentAs()
{
    QString proposed = m_fileName;
    if (proposed.isEmpty() || hasMarker(proposed, templateMarker))
        proposed = joinPath(songsFolder(), QStringLiteral("NewSong1.rtf"));

    QString path;
    QString entry;
    for (;;) {
        path = prompt().saveFileName(m_window, QStringLiteral("Save As"), proposed, fileFilter(), &entry);
        if (path.isEmpty())
            return false;
        if (!QFileInfo::exists(path))
            break;
        const QMessageBox::StandardButton answer = prompt().message(
            m_window, QMessageBox::Warning, QStringLiteral("Save As"),
            QDir::toNativeSeparators(path) + QStringLiteral(" already exists.\nDo you want to replace it?"),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer == QMessageBox::Yes)
            break;
        proposed = path;
    }

    const Format format = entry == plainTextEntry ? Format::PlainText : Format::Rtf;
    if (format == Format::PlainText) {
        const QMessageBox::StandardButton answer = prompt().message(
            m_window, QMessageBox::Information, QStringLiteral("Plain Text"),
            QStringLiteral("Plain text keeps only the words of the song:\n"
                           "its formatting and its pictures are not kept in that format."),
            QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
        if (answer != QMessageBox::Ok)
            return false;
    }

    if (!writeSong(path, format)) {
        reportFileFailure(QStringLiteral("Cannot Save Song"), QStringLiteral("The song could not be saved as:"), path,
                          m_fileError, m_fileErrorText);
        return false;
    }
    songIsNow(path, format);
    return true;
}

bool SongFileCommands::Save()
{
    // The template and new songs keep their names for new songs only.
    if (m_fileName.isEmpty() || hasMarker(m_fileName, templateMarker) || hasMarker(m_fileName, newSongMarker))
        return SaveDocumentAs();
    if (!writeSong(m_fileName, m_format)) {
        reportFileFailure(QStringLiteral("Cannot Save Song"), QStringLiteral("The song could not be saved:"), m_fileName,
                          m_fileError, m_fileErrorText);
        return false;
    }
    m_song->setChanged(false);
    return true;
}

bool SongFileCommands::writeSong(const QString &path, Format format)
{
    if (format == Format::Rtf) {
        const bool ok = m_song->SaveFile(path);
        m_fileError = m_song->fileError();
        m_fileErrorText = m_song->errorString();
        return ok;
    }
    QString text = m_song->toPlainText();
    text.remove(QChar::ObjectReplacementCharacter);
#ifdef Q_OS_WIN
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
#endif
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
        m_fileError = file.error();
        m_fileErrorText = file.errorString();
        return false;
    }
    m_fileError = QFileDevice::NoError;
    m_fileErrorText.clear();
    return true;
}

void SongFileCommands::songIsNow(const QString &path, Format format)
{
    m_fileName = path;
    m_format = format;
    m_song->setChanged(false);
    setTitle(songTitle(fileTitle(path)));
    setRecentSongs(RecentSongs::added(m_recentSongs, path));
}

// --- Opening ----------------------------------------------------------------

bool SongFileCommands::loadSong(const QString &path)
{
    mblnLoading = true;
    bool ok = m_song->LoadFile(path);
    Format format = Format::Rtf;
    // A file that reads but is not RTF is taken as plain text.
    if (!ok && m_song->fileError() == QFileDevice::NoError) {
        ok = readPlainText(path);
        format = Format::PlainText;
    } else if (!ok) {
        m_fileError = m_song->fileError();
        m_fileErrorText = m_song->errorString();
    }
    mblnLoading = false;
    if (!ok) {
        reportFileFailure(QStringLiteral("Cannot Open Song"), QStringLiteral("The song could not be opened:"), path,
                          m_fileError, m_fileErrorText);
        return false;
    }
    songIsNow(path, format);
    emit selectionStateNeeded();
    return true;
}

bool SongFileCommands::readPlainText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_fileError = file.error();
        m_fileErrorText = file.errorString();
        return false;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_fileError = file.error();
        m_fileErrorText = file.errorString();
        return false;
    }
    m_song->setTextRTF(decodedText(data));
    return true;
}

void SongFileCommands::New()
{
    if (CheckSaveChanges())
        NewSong();
}

void SongFileCommands::Open()
{
    if (!CheckSaveChanges())
        return;
    const QString path = prompt().openFileName(m_window, QStringLiteral("Open"), songsFolder(), fileFilter());
    if (path.isEmpty())
        return;
    loadSong(path);
}

bool SongFileCommands::OpenSong(const QString &path)
{
    return CheckSaveChanges() && loadSong(path);
}

bool SongFileCommands::OpenFile(const QString &path)
{
    return loadSong(path);
}

void SongFileCommands::OpenRecent(const QString &path)
{
    if (!QFileInfo(path).isFile()) {
        prompt().message(m_window, QMessageBox::Information, QStringLiteral("Missing Song"),
                         QStringLiteral("The song has been renamed, moved or deleted:\n")
                             + QDir::toNativeSeparators(path)
                             + QStringLiteral("\nIt is taken off the list of recent songs."));
        setRecentSongs(RecentSongs::removed(m_recentSongs, path));
        return;
    }
    OpenSong(path);
}

void SongFileCommands::Close()
{
    if (CheckSaveChanges())
        ClearDocument();
}

void SongFileCommands::SaveAs()
{
    SaveDocumentAs();
}

// --- Printing ---------------------------------------------------------------

QPrinter *SongFileCommands::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return m_printer.get();
}

void SongFileCommands::PrintSetup()
{
    prompt().pageSetup(m_window, printer());
}

void SongFileCommands::Print()
{
    QPrinter *device = printer();
    const bool hasSelection = m_song->SelLength() != 0;
    // A selection is offered as the range; the range picked is the one printed.
    device->setPrintRange(hasSelection ? QPrinter::Selection : QPrinter::AllPages);
    if (!prompt().print(m_window, device, hasSelection))
        return;
    if (hasSelection && device->printRange() == QPrinter::Selection)
        m_song->SelPrint(device);
    else
        SongPrinter::print(*m_song->document(), device);
}

void SongFileCommands::PrintPreview()
{
    prompt().printPreview(m_window, printer(), [this](QPrinter *device) { m_song->SelPrint(device); });
}
