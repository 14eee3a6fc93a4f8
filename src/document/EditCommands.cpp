#include "document/EditCommands.h"

#include "base/Module1.h"
#include "base/Prompt.h"
#include "document/rtfText.h"

#include <QProcess>

EditCommands::EditCommands(rtfText *song, QWidget *window) : QObject(window), m_song(song), m_window(window) {}

void EditCommands::Undo()
{
    m_song->undo();
    m_song->SetFocus();
}

void EditCommands::Cut() {}
void EditCommands::Copy() {}
void EditCommands::Paste() {}
void EditCommands::Font() {}
void EditCommands::Delete() {}
void EditCommands::Copyright() {}
void EditCommands::Bold() {}
void EditCommands::Italic() {}
void EditCommands::Underline() {}
void EditCommands::Align(int alignment) { Q_UNUSED(alignment); }
void EditCommands::FontSize(const QString &text) { Q_UNUSED(text); }

void EditCommands::ShowCharacterMap()
{
    // The first character map program this desktop has.
    for (const QString &program : {QStringLiteral("gucharmap"), QStringLiteral("kcharselect"),
                                   QStringLiteral("charmap")}) {
        if (QProcess::startDetached(program, {}))
            return;
    }
    prompt().message(m_window, QMessageBox::Information, AppTitle(),
                     QStringLiteral("The Windows Character Map could not be launched.\n"
                                    "This option may not be installed."));
}
