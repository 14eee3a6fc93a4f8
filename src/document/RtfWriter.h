#pragma once

#include <QByteArray>

class QIODevice;
class QTextCursor;
class QTextDocument;
class QTextDocumentFragment;

// Writes a QTextDocument as Rich Text Format that Word, LibreOffice and
// WordPad show faithfully and that RtfReader reads back unchanged.
//
// What is written: the font and colour tables, each paragraph's alignment,
// indents and spacing, each run's font, size, bold, italic, underline,
// strike-through, raised or lowered position and colour, tabs and line
// breaks, and every picture twice: as PNG for current readers and as a
// bitmap metafile for older ones. Text outside US-ASCII goes out as \uN
// with "?" for readers that know no Unicode. Sizes are written in whole
// half points, as RTF has no finer unit.
class RtfWriter final
{
public:
    QByteArray write(const QTextDocument &document);
    // The same, to the device a piece at a time; false when the device took
    // a piece short (its errorString() tells why).
    bool write(const QTextDocument &document, QIODevice *device);
    // The RTF of a part of a document. Pictures are written when the
    // fragment still carries them; prefer the cursor overload for a
    // selection of a live document.
    QByteArray write(const QTextDocumentFragment &fragment);
    // The RTF of the cursor's selection (the whole paragraph formatting of
    // each paragraph it touches, the characters it covers).
    QByteArray write(const QTextCursor &selection);
};
