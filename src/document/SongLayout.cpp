#include "document/SongLayout.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

SongLayout::SongLayout(QTextDocument *document) : QTextDocumentLayout(document) {}

void SongLayout::install(QTextDocument *document, QPaintDevice *device, int cursorWidth)
{
    auto *layout = new SongLayout(document);
    layout->setPaintDevice(device);
    layout->setCursorWidth(cursorWidth);
    document->setDocumentLayout(layout); // deletes the one before
}

void SongLayout::documentChanged(int from, int oldLength, int length)
{
    const int documentLength = document()->characterCount();
    const bool wholeSong = oldLength == 0 && length == documentLength;
    if (wholeSong || isComplete()) {
        QTextDocumentLayout::documentChanged(from, oldLength, length);
        return;
    }

    // Paragraphs the background work has not reached yet are laid out when
    // it gets there; until then they only lose the lines they may have. The
    // work goes from the top down, so the paragraph before the change tells
    // (the changed ones may have lost their lines already: a new spelling
    // underline takes them before the layout hears of it).
    const QTextBlock first = document()->findBlock(from);
    const QTextBlock before = first.previous();
    if (first.isValid() && before.isValid() && before.layout()->lineCount() == 0) {
        const QTextBlock last = document()->findBlock(from + length);
        for (QTextBlock block = first; block.isValid(); block = block.next()) {
            block.clearLayout();
            if (block == last)
                break;
        }
        return;
    }

    // An edit among the paragraphs laid out already: either start again
    // from the top, which lays out again what lies before the edit, or lay
    // out everything from the edit up to where the work had got to, from
    // where it goes on. Whichever is less to do now.
    const qint64 reached = qint64(layoutStatus()) * documentLength / 100;
    if (from < reached - from) {
        QTextDocumentLayout::documentChanged(0, 0, documentLength);
    } else {
        const int rest = documentLength - from;
        QTextDocumentLayout::documentChanged(from, rest, rest);
    }
}
