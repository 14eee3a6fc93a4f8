#pragma once

#include "chordbox/ChordBox.h"

#include <QImage>
#include <QString>

// Reads a ChordBox picture drawn by Songloom back into the chord it shows:
// its dots and bar, the chord name and the top-fret text. The picture is
// pixel-exact and its texts use our own bitmap font, so everything can be
// recovered; drawing what was read gives back the same picture pixel for
// pixel.
//
// Some pictures can be drawn in more than one way, and the reader picks one:
// a row with all six dots becomes the bar (the topmost such row), characters
// with the same glyph read as the first of them ("#" rather than the sharp
// sign, a letter without its accent), any white space as blanks, a
// character the font has no glyph for as U+FFFD, and blanks that move a
// text without being seen as leading or trailing blanks.
class ChordBoxReader final
{
public:
    // False, with errorString() saying why, for a picture that is not a
    // ChordBox drawn by Songloom: the wrong size, colours other than black
    // and white, marks outside the grid's dots and bar, or texts that are not
    // made of the font's glyphs.
    bool read(const QImage &picture);
    // Loads the picture file (a chord file has no extension) and reads it.
    bool readFile(const QString &path);

    const ChordBox &chord() const { return m_chord; }
    QString name() const { return m_name; }
    QString topText() const { return m_topText; }
    QString errorString() const { return m_errorString; }

private:
    bool fail(const QString &why);

    ChordBox m_chord;
    QString m_name;
    QString m_topText;
    QString m_errorString;
};
