#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

class psSpellCheck;

// Underlines the words the checker does not know with a wavy red line.
// Qt hands it one paragraph at a time, when the paragraph changes, so
// typing costs the lookups of one paragraph; the checker remembers every
// word it has looked up. Chord symbols are never underlined.
class SpellHighlighter final : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    explicit SpellHighlighter(psSpellCheck &checker, QObject *parent = nullptr);

    // The word at a position of a paragraph's text, as the highlighter
    // looks it up: the token there without the marks around it.
    struct Span
    {
        int start = 0;
        int length = 0;
    };
    static Span wordAt(const QString &blockText, int position);
    static const QTextCharFormat &misspelledFormat();

    // Highlights again the paragraphs that hold the word.
    void rehighlightWord(const QString &word);

protected:
    void highlightBlock(const QString &text) override;

private:
    psSpellCheck &m_checker;
};
