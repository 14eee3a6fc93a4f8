#include "document/SongText.h"

#include "document/RtfReader.h"
#include "document/RtfWriter.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace {

const QString lineBreak = QStringLiteral("\r\n");

bool isBreak(QChar ch)
{
    return ch == QChar::ParagraphSeparator || ch == QChar::LineSeparator;
}

// The document's text with every break written as CR LF.
QString withLineBreaks(const QString &raw)
{
    QString text;
    text.reserve(raw.size() + raw.size() / 16);
    for (const QChar ch : raw) {
        if (isBreak(ch))
            text += lineBreak;
        else
            text += ch;
    }
    return text;
}

// RTF source handed over as text: bytes as they are, anything a byte cannot
// hold as the \u control word it stands for.
QByteArray rtfBytes(const QString &rtf)
{
    QByteArray bytes;
    bytes.reserve(rtf.size());
    for (const QChar ch : rtf) {
        if (ch.unicode() < 0x100)
            bytes += char(ch.unicode());
        else
            bytes += "\\u" + QByteArray::number(qint16(ch.unicode())) + '?';
    }
    return bytes;
}

// Replaces the cursor's selection with the RTF's content, as one step to undo.
void insertRtf(const QByteArray &rtf, QTextCursor &cursor)
{
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    if (!RtfReader().insert(rtf, cursor))
        cursor.insertText(QString::fromLatin1(rtf));
    cursor.endEditBlock();
}

int toAlignmentCode(Qt::Alignment alignment)
{
    const Qt::Alignment horizontal = alignment & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignHCenter)
        return SongText::rtfCenter;
    if ((horizontal & Qt::AlignRight) || (horizontal & Qt::AlignTrailing))
        return SongText::rtfRight;
    return SongText::rtfLeft;
}

} // namespace

SongText::SongText(QTextDocument *document) : m_document(document), m_cursor(document)
{
    m_contentsChange = QObject::connect(document, &QTextDocument::contentsChange, [this] { m_lineSeparators.reset(); });
}

SongText::~SongText()
{
    QObject::disconnect(m_contentsChange);
}

void SongText::setCursor(const QTextCursor &cursor)
{
    Q_ASSERT(cursor.isNull() || cursor.document() == m_document);
    moved(cursor);
}

void SongText::moved(const QTextCursor &cursor)
{
    m_cursor = cursor;
    if (m_listener)
        m_listener(m_cursor);
}

// --- Whole content -----------------------------------------------------------

QString SongText::TextRTF() const
{
    return QString::fromLatin1(RtfWriter().write(*m_document));
}

void SongText::setTextRTF(const QString &rtf)
{
    const QByteArray bytes = rtfBytes(rtf);
    // A whole song read as a file is, so its last paragraph keeps its own
    // formats rather than taking those of the paragraph it would be pasted into.
    if (!RtfReader::isRtf(bytes) || !RtfReader().read(bytes, m_document)) {
        m_document->clear();
        if (!rtf.isEmpty())
            QTextCursor(m_document).insertText(rtf);
    }
    m_document->clearUndoRedoStacks();
    moved(QTextCursor(m_document));
}

QString SongText::Text() const
{
    return withLineBreaks(m_document->toRawText());
}

// --- Positions --------------------------------------------------------------

bool SongText::mayHaveLineSeparators() const
{
    if (!m_lineSeparators)
        m_lineSeparators = m_document->toRawText().contains(QChar::LineSeparator);
    return *m_lineSeparators;
}

int SongText::toSongPosition(int position) const
{
    const QTextDocument *doc = m_document;
    position = std::clamp(position, 0, doc->characterCount() - 1);
    const QTextBlock block = doc->findBlock(position);
    // Each paragraph break before the position is one character more.
    int song = position + block.blockNumber();
    if (mayHaveLineSeparators()) {
        for (QTextBlock b = doc->begin(); b.isValid() && b != block; b = b.next())
            song += int(b.text().count(QChar::LineSeparator));
        song += int(QStringView(block.text()).left(position - block.position()).count(QChar::LineSeparator));
    }
    return song;
}

int SongText::toDocumentPosition(int song, bool preferAfterBreak) const
{
    const QTextDocument *doc = m_document;
    const int end = doc->characterCount() - 1;
    if (song <= 0)
        return 0;

    if (!mayHaveLineSeparators()) {
        // The last paragraph starting at or before the song position.
        int low = 0;
        int high = doc->blockCount() - 1;
        while (low < high) {
            const int mid = (low + high + 1) / 2;
            const QTextBlock b = doc->findBlockByNumber(mid);
            if (b.position() + mid <= song)
                low = mid;
            else
                high = mid - 1;
        }
        const QTextBlock block = doc->findBlockByNumber(low);
        const int offset = song - (block.position() + low);
        const int textLength = block.length() - 1;
        if (offset <= textLength)
            return block.position() + offset;
        // Between the CR and the LF of the paragraph's break.
        if (preferAfterBreak && block.next().isValid())
            return block.next().position();
        return std::min(block.position() + textLength, end);
    }

    int counted = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text() + QChar::ParagraphSeparator;
        for (int i = 0; i < text.size(); ++i) {
            const int position = block.position() + i;
            if (position >= end)
                return end;
            const int width = isBreak(text.at(i)) ? 2 : 1;
            if (counted == song)
                return position;
            if (counted + width > song) // inside a CR LF pair
                return preferAfterBreak ? position + 1 : position;
            counted += width;
        }
    }
    return end;
}

int SongText::SelStart() const
{
    return toSongPosition(m_cursor.selectionStart());
}

void SongText::setSelStart(int start)
{
    QTextCursor cursor = m_cursor;
    cursor.setPosition(toDocumentPosition(start, false));
    moved(cursor);
}

int SongText::SelLength() const
{
    return toSongPosition(m_cursor.selectionEnd()) - toSongPosition(m_cursor.selectionStart());
}

void SongText::setSelLength(int length)
{
    QTextCursor cursor = m_cursor;
    const int start = cursor.selectionStart();
    const int songEnd = toSongPosition(start) + std::max(length, 0);
    cursor.setPosition(start);
    cursor.setPosition(std::max(start, toDocumentPosition(songEnd, true)), QTextCursor::KeepAnchor);
    moved(cursor);
}

// --- Selected content -------------------------------------------------------

QString SongText::SelText() const
{
    return withLineBreaks(m_cursor.selectedText());
}

void SongText::setSelText(const QString &text)
{
    QTextCursor cursor = m_cursor;
    cursor.insertText(text);
    moved(cursor);
}

QString SongText::SelRTF() const
{
    return QString::fromLatin1(RtfWriter().write(m_cursor));
}

void SongText::setSelRTF(const QString &rtf)
{
    const QByteArray bytes = rtfBytes(rtf);
    QTextCursor cursor = m_cursor;
    if (RtfReader::isRtf(bytes))
        insertRtf(bytes, cursor);
    else
        cursor.insertText(rtf);
    moved(cursor);
}

// --- Character and paragraph formats ----------------------------------------

QList<QTextCharFormat> SongText::selectedFormats() const
{
    if (!m_cursor.hasSelection())
        return {m_cursor.charFormat()};

    QList<QTextCharFormat> text;
    QList<QTextCharFormat> pictures;
    const int from = m_cursor.selectionStart();
    const int to = m_cursor.selectionEnd();
    for (QTextBlock block = m_document->findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.position() + fragment.length() <= from || fragment.position() >= to)
                continue;
            // Pictures take part only when nothing else is selected: a
            // chord among bold words leaves the words bold.
            (fragment.charFormat().isImageFormat() ? pictures : text).append(fragment.charFormat());
        }
    }
    if (!text.isEmpty())
        return text;
    if (!pictures.isEmpty())
        return pictures;
    // Only paragraph breaks: the format at the start.
    QTextCursor start(m_document);
    start.setPosition(from);
    return {start.charFormat()};
}

template<typename T, typename Get>
std::optional<T> SongText::uniform(Get get) const
{
    const QFont base = m_document->defaultFont();
    std::optional<T> value;
    for (const QTextCharFormat &format : selectedFormats()) {
        const T v = get(format.font().resolve(base));
        if (value && *value != v)
            return std::nullopt;
        value = v;
    }
    return value;
}

// Over a selection the format goes onto the selected text; a bare caret
// keeps it for the text typed next.
void SongText::mergeFormat(const QTextCharFormat &format)
{
    QTextCursor cursor = m_cursor;
    cursor.mergeCharFormat(format);
    moved(cursor);
}

void SongText::mergeStyle(std::optional<bool> on, void (*apply)(QTextCharFormat &, bool))
{
    // An undetermined state changes nothing.
    if (!on)
        return;
    QTextCharFormat format;
    apply(format, *on);
    mergeFormat(format);
}

std::optional<bool> SongText::SelBold() const
{
    return uniform<bool>([](const QFont &f) { return f.bold(); });
}

void SongText::setSelBold(std::optional<bool> on)
{
    mergeStyle(on, [](QTextCharFormat &format, bool value) {
        format.setFontWeight(value ? QFont::Bold : QFont::Normal);
    });
}

std::optional<bool> SongText::SelItalic() const
{
    return uniform<bool>([](const QFont &f) { return f.italic(); });
}

void SongText::setSelItalic(std::optional<bool> on)
{
    mergeStyle(on, [](QTextCharFormat &format, bool value) { format.setFontItalic(value); });
}

std::optional<bool> SongText::SelUnderline() const
{
    return uniform<bool>([](const QFont &f) { return f.underline(); });
}

void SongText::setSelUnderline(std::optional<bool> on)
{
    mergeStyle(on, [](QTextCharFormat &format, bool value) { format.setFontUnderline(value); });
}

std::optional<bool> SongText::SelStrikeThru() const
{
    return uniform<bool>([](const QFont &f) { return f.strikeOut(); });
}

void SongText::setSelStrikeThru(std::optional<bool> on)
{
    mergeStyle(on, [](QTextCharFormat &format, bool value) { format.setFontStrikeOut(value); });
}

std::optional<QString> SongText::SelFontName() const
{
    return uniform<QString>([](const QFont &f) { return f.family(); });
}

void SongText::setSelFontName(std::optional<QString> name)
{
    if (!name || name->isEmpty())
        return;
    QTextCharFormat format;
    format.setFontFamilies(QStringList{*name});
    mergeFormat(format);
}

std::optional<double> SongText::SelFontSize() const
{
    return uniform<double>([](const QFont &f) { return f.pointSizeF(); });
}

void SongText::setSelFontSize(std::optional<double> points)
{
    if (!points || *points <= 0)
        return;
    QTextCharFormat format;
    format.setFontPointSize(*points);
    mergeFormat(format);
}

std::optional<int> SongText::SelAlignment() const
{
    const QTextBlock last = m_document->findBlock(m_cursor.selectionEnd());
    std::optional<int> value;
    for (QTextBlock block = m_document->findBlock(m_cursor.selectionStart()); block.isValid(); block = block.next()) {
        const int code = toAlignmentCode(block.blockFormat().alignment());
        if (value && *value != code)
            return std::nullopt;
        value = code;
        if (block == last)
            break;
    }
    return value;
}

void SongText::setSelAlignment(std::optional<int> alignment)
{
    if (!alignment)
        return;
    Qt::Alignment qt;
    switch (*alignment) {
    case rtfLeft: qt = Qt::AlignLeft; break;
    case rtfRight: qt = Qt::AlignRight; break;
    case rtfCenter: qt = Qt::AlignHCenter; break;
    default: return;
    }
    QTextBlockFormat format;
    format.setAlignment(qt);
    QTextCursor cursor = m_cursor;
    cursor.mergeBlockFormat(format);
}

// --- Selection helpers -------------------------------------------------------

void SongText::Span(const QString &characterSet, bool forward, bool negate)
{
    const QTextDocument *doc = m_document;
    // A line break is CR LF: it belongs to the set when either does.
    const bool breakInSet = characterSet.contains(QLatin1Char('\r')) || characterSet.contains(QLatin1Char('\n'));
    const auto endsSpan = [&](QChar ch) {
        const bool inSet = isBreak(ch) ? breakInSet : characterSet.contains(ch);
        return negate ? inSet : !inSet;
    };

    QTextCursor cursor = m_cursor;
    const int end = doc->characterCount() - 1;
    if (forward) {
        int position = cursor.selectionEnd();
        while (position < end && !endsSpan(doc->characterAt(position)))
            ++position;
        cursor.setPosition(cursor.selectionStart());
        cursor.setPosition(position, QTextCursor::KeepAnchor);
    } else {
        int position = cursor.selectionStart();
        while (position > 0 && !endsSpan(doc->characterAt(position - 1)))
            --position;
        cursor.setPosition(cursor.selectionEnd());
        cursor.setPosition(position, QTextCursor::KeepAnchor);
    }
    moved(cursor);
}
