#pragma once

#include <QObject>
#include <QPointer>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTimer>

class QTextBlock;
class psSpellCheck;

// Underlines the words the checker does not know with a wavy red line.
// An edit underlines the paragraphs it touched at once, so typing costs the
// lookups of one paragraph; the checker remembers every word it has looked
// up. A whole song (after a load, or when the dictionaries change) is gone
// through a slice at a time between events, so the window never stalls.
// The underline lives in the paragraphs' layouts, not in the text: it is
// no edit, never saved, and never marks the song changed. Chord symbols
// are never underlined.
class SpellHighlighter final : public QObject
{
    Q_OBJECT
public:
    explicit SpellHighlighter(psSpellCheck &checker, QObject *parent = nullptr);
    ~SpellHighlighter() override;

    // Starts underlining the document (nullptr: stops and takes every
    // underline off the one before).
    void setDocument(QTextDocument *document);
    QTextDocument *document() const { return m_document; }

    // Goes through the whole document again, a slice at a time.
    void rehighlight();
    // Underlines again, at once, the paragraphs that hold the word.
    void rehighlightWord(const QString &word);
    // True while paragraphs wait for their turn; finishPending() does them now.
    bool isPending() const { return m_pending >= 0; }
    void finishPending();

    // The word at a position of a paragraph's text, as the highlighter
    // looks it up: the token there without the marks around it.
    struct Span
    {
        int start = 0;
        int length = 0;
    };
    static Span wordAt(const QString &blockText, int position);
    static const QTextCharFormat &misspelledFormat();

private:
    void contentsChange(int from, int charsRemoved, int charsAdded);
    void highlight(const QTextBlock &block);
    void clear(const QTextBlock &block);
    void highlightSlice();
    void queueFrom(int position);

    psSpellCheck &m_checker;
    QPointer<QTextDocument> m_document;
    QMetaObject::Connection m_connection;
    // Where the first paragraph still waiting starts (-1: none); moves with
    // the edits before it. A QTextCursor would do that too, but moving one
    // lays the song out up to it, which defeats laying it out in the
    // background.
    int m_pending = -1;
    QTimer m_sliceTimer;
};
