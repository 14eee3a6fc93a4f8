#pragma once

// Qt's own document layout, which is not public API: the song's layout
// builds on it, so the program is tied to the Qt it was built with (the
// package says so).
#include <QtGui/private/qtextdocumentlayout_p.h>

class QPaintDevice;

// The song's layout: Qt's document layout, which lays a long song out in
// the background, a step at a time, after it is opened or the window's
// width changes, so the song shows and takes the keyboard at once.
//
// Qt takes an edit made before it has reached the end for the end of that
// work: every paragraph it has not reached yet stays without lines, the
// song ends after a few screens and nothing below shows. This layout hands
// it such an edit in a form it handles right.
class SongLayout final : public QTextDocumentLayout
{
    Q_OBJECT
public:
    explicit SongLayout(QTextDocument *document);

    // True once every paragraph has its lines.
    bool isComplete() const { return layoutStatus() == 100; }

    // Gives the document a new SongLayout that draws on the device (and
    // with the caret width) the one before drew with.
    static void install(QTextDocument *document, QPaintDevice *device, int cursorWidth);

protected:
    void documentChanged(int from, int oldLength, int length) override;
};
