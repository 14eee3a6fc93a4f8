#include "spell/SpellHighlighter.h"

#include "spell/SpellWords.h"
#include "spell/psSpellCheck.h"

#include <QTextBlock>
#include <QTextDocument>

SpellHighlighter::SpellHighlighter(psSpellCheck &checker, QObject *parent)
    : QSyntaxHighlighter(parent), m_checker(checker)
{
    connect(&m_checker, &psSpellCheck::dictionariesOpened, this, [this] {
        if (document())
            rehighlight();
    });
    connect(&m_checker, &psSpellCheck::wordAccepted, this, &SpellHighlighter::rehighlightWord);
}

const QTextCharFormat &SpellHighlighter::misspelledFormat()
{
    static const QTextCharFormat format = [] {
        QTextCharFormat f;
        f.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
        f.setUnderlineColor(Qt::red);
        return f;
    }();
    return format;
}

SpellHighlighter::Span SpellHighlighter::wordAt(const QString &blockText, int position)
{
    int start = std::clamp(position, 0, int(blockText.size()));
    int end = start;
    while (start > 0 && !SpellWords::endsWord(blockText.at(start - 1)))
        --start;
    while (end < blockText.size() && !SpellWords::endsWord(blockText.at(end)))
        ++end;
    const QStringView token = QStringView(blockText).mid(start, end - start);
    const SpellWords::Core core = SpellWords::coreOf(token);
    return {start + int(core.start), int(core.length)};
}

void SpellHighlighter::highlightBlock(const QString &text)
{
    if (!m_checker.isOpen())
        return;
    const qsizetype size = text.size();
    qsizetype position = 0;
    while (position < size) {
        while (position < size && SpellWords::endsWord(text.at(position)))
            ++position;
        const qsizetype start = position;
        while (position < size && !SpellWords::endsWord(text.at(position)))
            ++position;
        if (position == start)
            break;
        const QStringView token = QStringView(text).mid(start, position - start);
        if (!m_checker.isCorrect(token)) {
            const SpellWords::Core core = SpellWords::coreOf(token);
            setFormat(int(start + core.start), int(core.length), misspelledFormat());
        }
    }
}

void SpellHighlighter::rehighlightWord(const QString &word)
{
    const QTextDocument *doc = document();
    if (!doc)
        return;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (block.text().contains(word, Qt::CaseInsensitive))
            rehighlightBlock(block);
    }
}
