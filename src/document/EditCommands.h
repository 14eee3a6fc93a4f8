#pragma once

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
    void Cut();
    void Copy();
    void Paste();
    void Font();

    void Delete();
    void Copyright();
    void Bold();
    void Italic();
    void Underline();
    // rtfText::rtfLeft, rtfCenter or rtfRight.
    void Align(int alignment);
    // The font-size box's text, a whole number of points.
    void FontSize(const QString &text);

    // Starts the desktop's character map, or tells that none could start.
    void ShowCharacterMap();

private:
    rtfText *m_song;
    QWidget *m_window;
};
