#include "document/EditCommands.h"

#include "base/Module1.h"
#include "base/Prompt.h"
#include "document/rtfText.h"

#include <QClipboard>
#include <QDate>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>

#include <cmath>

namespace {

const QStringList rtfMimeTypes = {QStringLiteral("text/rtf"), QStringLiteral("application/rtf")};

// Sizes the font-size box accepts, in points.
constexpr double smallestFontSize = 1;
constexpr double largestFontSize = 1638;

bool isRtf(const QByteArray &data)
{
    return data.trimmed().startsWith("{\\rtf");
}

} // namespace

EditCommands::EditCommands(rtfText *song, QWidget *window) : QObject(window), m_song(song), m_window(window)
{
    m_fontDialogStyles.setBold(false);
    m_fontDialogStyles.setItalic(false);
    m_fontDialogStyles.setStrikeOut(false);
    m_fontDialogStyles.setUnderline(false);
}

void EditCommands::Undo()
{
    m_song->SetFocus();
    m_song->undo();
}

void EditCommands::Redo()
{
    m_song->SetFocus();
    m_song->redo();
}

void EditCommands::Cut()
{
    // The song's own clipboard data: RTF, HTML and plain text.
    m_song->cut();
}

void EditCommands::Copy()
{
    m_song->copy();
}

void EditCommands::Paste()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return;
    for (const QString &type : rtfMimeTypes) {
        const QByteArray rtf = data->data(type);
        if (isRtf(rtf)) {
            m_song->setSelRTF(QString::fromLatin1(rtf));
            return;
        }
    }
    // A picture alone is for Ctrl+V; text goes in as typed.
    const QString text = data->hasText() ? data->text() : QString();
    if (!text.isEmpty())
        m_song->setSelText(text);
}

void EditCommands::Font()
{
    // Primed with the song's base font, not the selection's, and with the
    // styles chosen last time.
    QFont initial = m_fontDialogStyles;
    initial.setFamily(m_song->Font());
    if (const std::optional<double> size = m_song->SelFontSize())
        initial.setPointSizeF(*size);
    const std::optional<QFont> chosen = prompt().font(m_window, QStringLiteral("Font"), initial);
    if (!chosen)
        return;
    m_fontDialogStyles.setBold(chosen->bold());
    m_fontDialogStyles.setItalic(chosen->italic());
    m_fontDialogStyles.setStrikeOut(chosen->strikeOut());
    m_fontDialogStyles.setUnderline(chosen->underline());

    m_song->setSelFontName(chosen->family());
    if (chosen->pointSizeF() > 0)
        m_song->setSelFontSize(chosen->pointSizeF());
    m_song->setSelBold(chosen->bold());
    m_song->setSelItalic(chosen->italic());
    m_song->setSelStrikeThru(chosen->strikeOut());
    m_song->setSelUnderline(chosen->underline());
}

void EditCommands::Delete()
{
    m_song->setSelText(QString());
}

QString EditCommands::copyrightText(int year)
{
    return QString(QChar(0x00A9)) + QLatin1Char(' ') + QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0'))
           + QLatin1Char(' ');
}

void EditCommands::Copyright()
{
    // Before the selection, which stays in the song.
    m_song->setSelLength(0);
    m_song->setSelText(copyrightText(QDate::currentDate().year()));
}

// A mixed selection reads undetermined: its negation is undetermined too and
// changes nothing.
void EditCommands::Bold()
{
    const std::optional<bool> on = m_song->SelBold();
    m_song->setSelBold(on ? std::optional<bool>(!*on) : std::nullopt);
}

void EditCommands::Italic()
{
    const std::optional<bool> on = m_song->SelItalic();
    m_song->setSelItalic(on ? std::optional<bool>(!*on) : std::nullopt);
}

void EditCommands::Underline()
{
    const std::optional<bool> on = m_song->SelUnderline();
    m_song->setSelUnderline(on ? std::optional<bool>(!*on) : std::nullopt);
}

void EditCommands::Align(int alignment)
{
    m_song->setSelAlignment(alignment);
}

void EditCommands::FontSize(const QString &text)
{
    bool ok = false;
    const double points = std::round(text.trimmed().toDouble(&ok));
    if (ok && points >= smallestFontSize && points <= largestFontSize)
        m_song->setSelFontSize(points);
    m_song->SetFocus();
}

QString EditCommands::characterMapFailure()
{
#ifdef Q_OS_WIN
    const QString program = QStringLiteral("The Windows Character Map");
#else
    const QString program = QStringLiteral("The character map (gucharmap or kcharselect)");
#endif
    return program + QStringLiteral(" could not be launched.\nThis option may not be installed.");
}

void EditCommands::ShowCharacterMap()
{
    // The first character map program this desktop has.
#ifdef Q_OS_WIN
    const QStringList programs = {QStringLiteral("charmap")};
#else
    const QStringList programs = {QStringLiteral("gucharmap"), QStringLiteral("kcharselect")};
#endif
    for (const QString &program : programs) {
        if (QProcess::startDetached(program, {}))
            return;
    }
    prompt().message(m_window, QMessageBox::Information, AppTitle(), characterMapFailure());
}
