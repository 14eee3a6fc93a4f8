#pragma once

#include <QString>

#include <optional>

// What the window shows of the selection's formatting: the status panel's
// "Font" text, the font-size box's text, and which of the Bold, Italic,
// Underline and alignment buttons are pressed. Computed from the song alone,
// so it can be checked without a window.
struct SelectionState
{
    // The font name, a space and the size; a mixed value leaves its part out.
    QString fontPanelText;
    // Nothing when the sizes are mixed: the box keeps its text.
    std::optional<QString> fontSizeText;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    // The pressed alignment button (rtfText::rtfLeft, rtfRight, rtfCenter);
    // none when the paragraphs differ.
    std::optional<int> alignment;

    static SelectionState compute(const std::optional<QString> &fontName, const std::optional<double> &fontSize,
                                  std::optional<bool> bold, std::optional<bool> italic,
                                  std::optional<bool> underline, std::optional<int> alignment);

    // Any song that offers the Sel* formats of the rich text control.
    template<typename Song>
    static SelectionState of(const Song &song)
    {
        return compute(song.SelFontName(), song.SelFontSize(), song.SelBold(), song.SelItalic(),
                       song.SelUnderline(), song.SelAlignment());
    }

    // A size as the box and the panel write it: 9.75, 12.
    static QString sizeText(double points);

    bool operator==(const SelectionState &) const = default;
};
