#pragma once

#include "chordbox/ChordBox.h"

#include <QString>

// A chord shape written as a ChordPro chord definition, such as
// "{define: Am base-fret 1 frets x 0 2 2 1 0}", turned into a ChordBox.
class ChordProDefinition
{
public:
    QString name;
    // The fret label shown above the grid when the shape starts above the
    // first fret ("5th Fret"); empty otherwise.
    QString topText;
    ChordBox chord;
    // Why the text could not be read; empty when it was.
    QString errorString() const { return m_errorString; }
    bool isValid() const { return m_errorString.isEmpty(); }

    // Reads one definition. The frets list gives strings 1 to 6 left to
    // right: "x" (or "N", or -1) for a string not played, 0 for an open
    // string, 1 to 5 for the fret space relative to the base fret. When no
    // string is open or muted and the lowest fret is held on both outer
    // strings, that fret is drawn as the bar. "fingers" is accepted and
    // ignored.
    static ChordProDefinition parse(const QString &text);

private:
    QString m_errorString;
};
