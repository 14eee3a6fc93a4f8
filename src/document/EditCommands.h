#pragma once

#include <QFont>
#include <QObject>
#include <QString>

class QWidget;
class rtfText;

// The Edit menu's commands and the toolbar's formatting actions over the
// song: undo, clipboard, font, delete, copyright, bold, italic, underline,
// alignment and the font-size box.
class EditCommands final : public QObject
{
    Q_OBJECT
public:
    EditCommands(rtfText *song, QWidget *window);

    void Undo();
    void Redo();
    // The selection goes to the clipboard as rich text and as plain text.
    void Cut();
    void Copy();
    // The clipboard's rich text, else its plain text; nothing else.
    void Paste();
    void Font();

    void Delete();
    // The copyright sign and this year, before the selection.
    void Copyright();
    void Bold();
    void Italic();
    void Underline();
    // rtfText::rtfLeft, rtfCenter or rtfRight.
    void Align(int alignment);
    // The font-size box's text, a whole number of points.
    void FontSize(const QString &text);

    // The text Copyright inserts in the given year.
    static QString copyrightText(int year);

    // Starts the desktop's character map, or tells that none could start.
    void ShowCharacterMap();
    // The message shown when no character map could start.
    static QString characterMapFailure();

private:
    rtfText *m_song;
    QWidget *m_window;
    // The font dialog keeps its styles from one use to the next.
    QFont m_fontDialogStyles;
};
