#include "spell/SpellHighlighter.h"

#include "spell/SpellWords.h"
#include "spell/psSpellCheck.h"

#include <QElapsedTimer>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {

// An edit over more paragraphs than this leaves the rest to the slices.
constexpr int paragraphsAtOnce = 32;
// How long one slice may keep the window from its events.
constexpr qint64 sliceMilliseconds = 8;

} // namespace

SpellHighlighter::SpellHighlighter(psSpellCheck &checker, QObject *parent) : QObject(parent), m_checker(checker)
{
    m_sliceTimer.setSingleShot(true);
    m_sliceTimer.setInterval(0);
    connect(&m_sliceTimer, &QTimer::timeout, this, &SpellHighlighter::highlightSlice);
    connect(&m_checker, &psSpellCheck::dictionariesOpened, this, &SpellHighlighter::rehighlight);
    connect(&m_checker, &psSpellCheck::wordAccepted, this, &SpellHighlighter::rehighlightWord);
}

SpellHighlighter::~SpellHighlighter()
{
    setDocument(nullptr);
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

void SpellHighlighter::setDocument(QTextDocument *document)
{
    if (m_document == document)
        return;
    if (m_document) {
        disconnect(m_connection);
        for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next())
            clear(block);
    }
    m_pending = -1;
    m_sliceTimer.stop();
    m_document = document;
    if (m_document) {
        m_connection = connect(m_document, &QTextDocument::contentsChange, this, &SpellHighlighter::contentsChange);
        rehighlight();
    }
}

void SpellHighlighter::rehighlight()
{
    if (m_document)
        queueFrom(0);
}

void SpellHighlighter::queueFrom(int position)
{
    if (m_pending < 0 || position < m_pending)
        m_pending = m_document->findBlock(position).position();
    m_sliceTimer.start();
}

void SpellHighlighter::contentsChange(int from, int charsRemoved, int charsAdded)
{
    if (m_pending > from)
        m_pending = m_pending >= from + charsRemoved ? m_pending + charsAdded - charsRemoved : from;
    QTextBlock block = m_document->findBlock(from);
    const QTextBlock last = m_document->findBlock(from + charsAdded);
    for (int done = 0; block.isValid(); block = block.next(), ++done) {
        if (done == paragraphsAtOnce) {
            queueFrom(block.position());
            return;
        }
        highlight(block);
        if (block == last)
            return;
    }
}

void SpellHighlighter::highlightSlice()
{
    if (m_pending < 0 || !m_document)
        return;
    QElapsedTimer clock;
    clock.start();
    QTextBlock block = m_document->findBlock(m_pending);
    while (block.isValid() && clock.elapsed() < sliceMilliseconds) {
        // A few paragraphs between looks at the clock.
        for (int i = 0; i < 16 && block.isValid(); ++i, block = block.next())
            highlight(block);
    }
    if (!block.isValid()) {
        m_pending = -1;
        return;
    }
    m_pending = block.position();
    m_sliceTimer.start();
}

void SpellHighlighter::finishPending()
{
    while (isPending())
        highlightSlice();
    m_sliceTimer.stop();
}

void SpellHighlighter::highlight(const QTextBlock &block)
{
    QTextLayout *layout = block.layout();
    if (!layout)
        return;
    QList<QTextLayout::FormatRange> ranges;
    if (m_checker.isOpen()) {
        const QString text = block.text();
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
                ranges.append({int(start + core.start), int(core.length), misspelledFormat()});
            }
        }
    }
    if (ranges == layout->formats())
        return;
    layout->setFormats(ranges);
    // Lays the paragraph out again; this is no edit and sends no change.
    m_document->markContentsDirty(block.position(), block.length());
}

void SpellHighlighter::clear(const QTextBlock &block)
{
    QTextLayout *layout = block.layout();
    if (!layout || layout->formats().isEmpty())
        return;
    layout->clearFormats();
    m_document->markContentsDirty(block.position(), block.length());
}

void SpellHighlighter::rehighlightWord(const QString &word)
{
    if (!m_document)
        return;
    for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next()) {
        if (block.text().contains(word, Qt::CaseInsensitive))
            highlight(block);
    }
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
