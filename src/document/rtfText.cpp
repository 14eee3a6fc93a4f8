#include "document/rtfText.h"

#include "document/BaseFont.h"
#include "document/DocumentImages.h"
#include "document/RtfReader.h"
#include "document/RtfWriter.h"
#include "document/SongPrinter.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextImageFormat>

namespace {

const QString lineBreak = QStringLiteral("\r\n");
const QStringList rtfMimeTypes = {QStringLiteral("text/rtf"), QStringLiteral("application/rtf")};
const QStringList imageMimeTypes = {QStringLiteral("image/png"), QStringLiteral("image/bmp")};

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

bool looksLikeRtf(const QByteArray &data)
{
    qsizetype i = 0;
    if (data.startsWith("\xEF\xBB\xBF"))
        i = 3;
    while (i < data.size() && QChar::isSpace(uchar(data.at(i))))
        ++i;
    return data.mid(i, 5) == "{\\rtf";
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

QImage imageFrom(const QMimeData *source)
{
    if (source->hasImage()) {
        const QImage image = qvariant_cast<QImage>(source->imageData());
        if (!image.isNull())
            return image;
    }
    for (const QString &type : imageMimeTypes) {
        if (source->hasFormat(type)) {
            const QImage image = QImage::fromData(source->data(type));
            if (!image.isNull())
                return image;
        }
    }
    return {};
}

int toAlignmentCode(Qt::Alignment alignment)
{
    const Qt::Alignment horizontal = alignment & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignHCenter)
        return rtfText::rtfCenter;
    if ((horizontal & Qt::AlignRight) || (horizontal & Qt::AlignTrailing))
        return rtfText::rtfRight;
    return rtfText::rtfLeft;
}

} // namespace

// Gathers the signals of one operation on the content: one Change() at the
// end (always, when forced), one SelChange() if the selection moved.
class rtfText::ChangeBatch
{
public:
    ChangeBatch(rtfText *text, bool forceChange) : m_text(text), m_force(forceChange) { ++m_text->m_batchDepth; }
    ~ChangeBatch()
    {
        if (--m_text->m_batchDepth > 0)
            return;
        if (m_force || m_text->m_changePending) {
            m_text->m_changePending = false;
            emit m_text->Change();
        }
        m_text->selectionMoved();
    }
    ChangeBatch(const ChangeBatch &) = delete;
    ChangeBatch &operator=(const ChangeBatch &) = delete;

private:
    rtfText *m_text;
    bool m_force;
};

rtfText::rtfText(QWidget *parent) : QTextEdit(parent)
{
    setBaseFont(songBaseFont());
    setAcceptRichText(true);

    connect(this, &QTextEdit::textChanged, this, &rtfText::contentChanged);
    connect(this, &QTextEdit::cursorPositionChanged, this, &rtfText::selectionMoved);
    connect(this, &QTextEdit::selectionChanged, this, &rtfText::selectionMoved);
    connect(document(), &QTextDocument::contentsChange, this, [this] { m_lineSeparators.reset(); });
}

QFont rtfText::baseFont() const
{
    return document()->defaultFont();
}

void rtfText::setBaseFont(const QFont &font)
{
    // The widget hands its font to the document as the default.
    setFont(font);
    document()->setDefaultFont(font);
}

QString rtfText::Font() const
{
    return baseFont().family();
}

void rtfText::contentChanged()
{
    if (m_batchDepth > 0) {
        m_changePending = true;
        return;
    }
    emit Change();
}

void rtfText::selectionMoved()
{
    if (m_batchDepth > 0)
        return;
    const QTextCursor cursor = textCursor();
    if (cursor.anchor() == m_lastAnchor && cursor.position() == m_lastPosition)
        return;
    m_lastAnchor = cursor.anchor();
    m_lastPosition = cursor.position();
    emit SelChange();
}

// --- Files and whole content ------------------------------------------------

bool rtfText::LoadFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_fileError = file.error();
        m_errorString = file.errorString();
        return false;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_fileError = file.error();
        m_errorString = file.errorString();
        return false;
    }
    m_fileError = QFileDevice::NoError;
    if (!looksLikeRtf(data)) {
        m_errorString = tr("%1 is not a Rich Text Format file.").arg(path);
        return false;
    }

    ChangeBatch batch(this, true);
    RtfReader reader;
    const bool ok = reader.read(data, document());
    document()->clearUndoRedoStacks();
    setTextCursor(QTextCursor(document()));
    if (!ok) {
        m_errorString = reader.errorString();
        return false;
    }
    m_errorString.clear();
    m_fileName = path;
    return true;
}

bool rtfText::SaveFile(const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(RtfWriter().write(*document())) < 0 || !file.commit()) {
        m_fileError = file.error();
        m_errorString = file.errorString();
        return false;
    }
    m_fileError = QFileDevice::NoError;
    m_errorString.clear();
    return true;
}

QString rtfText::TextRTF() const
{
    return QString::fromLatin1(RtfWriter().write(*document()));
}

void rtfText::setTextRTF(const QString &rtf)
{
    ChangeBatch batch(this, true);
    document()->clear();
    setCurrentCharFormat(QTextCharFormat());
    const QByteArray bytes = rtfBytes(rtf);
    QTextCursor cursor(document());
    if (looksLikeRtf(bytes))
        insertRtf(bytes, cursor);
    else if (!rtf.isEmpty())
        cursor.insertText(rtf);
    document()->clearUndoRedoStacks();
    setTextCursor(QTextCursor(document()));
}

QString rtfText::Text() const
{
    return withLineBreaks(document()->toRawText());
}

void rtfText::insertRtf(const QByteArray &rtf, QTextCursor &cursor)
{
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    RtfReader reader;
    if (!reader.insert(rtf, cursor))
        cursor.insertText(QString::fromLatin1(rtf));
    cursor.endEditBlock();
}

// --- Positions --------------------------------------------------------------

bool rtfText::mayHaveLineSeparators() const
{
    if (!m_lineSeparators)
        m_lineSeparators = document()->toRawText().contains(QChar::LineSeparator);
    return *m_lineSeparators;
}

int rtfText::toSongPosition(int position) const
{
    const QTextDocument *doc = document();
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

int rtfText::toDocumentPosition(int song, bool preferAfterBreak) const
{
    const QTextDocument *doc = document();
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

int rtfText::SelStart() const
{
    return toSongPosition(textCursor().selectionStart());
}

void rtfText::setSelStart(int start)
{
    QTextCursor cursor = textCursor();
    cursor.setPosition(toDocumentPosition(start, false));
    setTextCursor(cursor);
}

int rtfText::SelLength() const
{
    const QTextCursor cursor = textCursor();
    return toSongPosition(cursor.selectionEnd()) - toSongPosition(cursor.selectionStart());
}

void rtfText::setSelLength(int length)
{
    QTextCursor cursor = textCursor();
    const int start = cursor.selectionStart();
    const int songEnd = toSongPosition(start) + std::max(length, 0);
    cursor.setPosition(start);
    cursor.setPosition(std::max(start, toDocumentPosition(songEnd, true)), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

// --- Selected content -------------------------------------------------------

QString rtfText::SelText() const
{
    return withLineBreaks(textCursor().selectedText());
}

void rtfText::setSelText(const QString &text)
{
    ChangeBatch batch(this, false);
    QTextCursor cursor = textCursor();
    cursor.insertText(text);
    setTextCursor(cursor);
}

QString rtfText::SelRTF() const
{
    return QString::fromLatin1(RtfWriter().write(textCursor()));
}

void rtfText::setSelRTF(const QString &rtf)
{
    ChangeBatch batch(this, false);
    const QByteArray bytes = rtfBytes(rtf);
    QTextCursor cursor = textCursor();
    if (looksLikeRtf(bytes))
        insertRtf(bytes, cursor);
    else
        cursor.insertText(rtf);
    setTextCursor(cursor);
}

// --- Character and paragraph formats ----------------------------------------

QList<QTextCharFormat> rtfText::selectedFormats() const
{
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return {currentCharFormat()};

    QList<QTextCharFormat> text;
    QList<QTextCharFormat> pictures;
    const int from = cursor.selectionStart();
    const int to = cursor.selectionEnd();
    for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() < to;
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
    QTextCursor start(document());
    start.setPosition(from);
    return {start.charFormat()};
}

template<typename T, typename Get>
std::optional<T> rtfText::uniform(Get get) const
{
    const QFont base = baseFont();
    std::optional<T> value;
    for (const QTextCharFormat &format : selectedFormats()) {
        const T v = get(format.font().resolve(base));
        if (value && *value != v)
            return std::nullopt;
        value = v;
    }
    return value;
}

void rtfText::mergeFormat(const QTextCharFormat &format)
{
    ChangeBatch batch(this, false);
    mergeCurrentCharFormat(format);
}

void rtfText::mergeStyle(std::optional<bool> on, void (*apply)(QTextCharFormat &, bool))
{
    // An undetermined state changes nothing.
    if (!on)
        return;
    QTextCharFormat format;
    apply(format, *on);
    mergeFormat(format);
}

std::optional<bool> rtfText::SelBold() const
{
    return uniform<bool>([](const QFont &f) { return f.bold(); });
}

void rtfText::setSelBold(std::optional<bool> on)
{
    mergeStyle(on, [](QTextCharFormat &format, bool value) {
        format.setFontWeight(value ? QFont::Bold : QFont::Normal);
    });
}

std::optional<bool> rtfText::SelItalic() const
{
    return uniform<bool>([](const QFont &f) { return f.italic(); });
}

void rtfText::setSelItalic(std::optional<bool> on)
{
    mergeStyle(on, [](QTextCharFormat &format, bool value) { format.setFontItalic(value); });
}

std::optional<bool> rtfText::SelUnderline() const
{
    return uniform<bool>([](const QFont &f) { return f.underline(); });
}

void rtfText::setSelUnderline(std::optional<bool> on)
{
    mergeStyle(on, [](QTextCharFormat &format, bool value) { format.setFontUnderline(value); });
}

std::optional<bool> rtfText::SelStrikeThru() const
{
    return uniform<bool>([](const QFont &f) { return f.strikeOut(); });
}

void rtfText::setSelStrikeThru(std::optional<bool> on)
{
    mergeStyle(on, [](QTextCharFormat &format, bool value) { format.setFontStrikeOut(value); });
}

std::optional<QString> rtfText::SelFontName() const
{
    return uniform<QString>([](const QFont &f) { return f.family(); });
}

void rtfText::setSelFontName(std::optional<QString> name)
{
    if (!name || name->isEmpty())
        return;
    QTextCharFormat format;
    format.setFontFamilies(QStringList{*name});
    mergeFormat(format);
}

std::optional<double> rtfText::SelFontSize() const
{
    return uniform<double>([](const QFont &f) { return f.pointSizeF(); });
}

void rtfText::setSelFontSize(std::optional<double> points)
{
    if (!points || *points <= 0)
        return;
    QTextCharFormat format;
    format.setFontPointSize(*points);
    mergeFormat(format);
}

std::optional<int> rtfText::SelAlignment() const
{
    const QTextCursor cursor = textCursor();
    const QTextBlock last = document()->findBlock(cursor.selectionEnd());
    std::optional<int> value;
    for (QTextBlock block = document()->findBlock(cursor.selectionStart()); block.isValid(); block = block.next()) {
        const int code = toAlignmentCode(block.blockFormat().alignment());
        if (value && *value != code)
            return std::nullopt;
        value = code;
        if (block == last)
            break;
    }
    return value;
}

void rtfText::setSelAlignment(std::optional<int> alignment)
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
    ChangeBatch batch(this, false);
    QTextBlockFormat format;
    format.setAlignment(qt);
    QTextCursor cursor = textCursor();
    cursor.mergeBlockFormat(format);
}

// --- Selection helpers, printing, focus -------------------------------------

void rtfText::Span(const QString &characterSet, bool forward, bool negate)
{
    const QTextDocument *doc = document();
    // A line break is CR LF: it belongs to the set when either does.
    const bool breakInSet = characterSet.contains(QLatin1Char('\r')) || characterSet.contains(QLatin1Char('\n'));
    const auto endsSpan = [&](QChar ch) {
        const bool inSet = isBreak(ch) ? breakInSet : characterSet.contains(ch);
        return negate ? inSet : !inSet;
    };

    QTextCursor cursor = textCursor();
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
    setTextCursor(cursor);
}

bool rtfText::SelPrint(QPagedPaintDevice *device)
{
    return SongPrinter::printSelection(textCursor(), device);
}

void rtfText::SetFocus()
{
    setFocus(Qt::OtherFocusReason);
}

// --- Clipboard and drag and drop --------------------------------------------

bool rtfText::canInsertFromMimeData(const QMimeData *source) const
{
    for (const QString &type : rtfMimeTypes + imageMimeTypes) {
        if (source->hasFormat(type))
            return true;
    }
    return source->hasImage() || QTextEdit::canInsertFromMimeData(source);
}

void rtfText::insertFromMimeData(const QMimeData *source)
{
    ChangeBatch batch(this, false);
    QTextCursor cursor = textCursor();
    for (const QString &type : rtfMimeTypes) {
        const QByteArray rtf = source->data(type);
        if (looksLikeRtf(rtf)) {
            insertRtf(rtf, cursor);
            setTextCursor(cursor);
            return;
        }
    }
    const QImage image = imageFrom(source);
    if (!image.isNull()) {
        // A picture lands where it is dropped or pasted, at its own size.
        DocumentImages::insertImage(cursor, image);
        setTextCursor(cursor);
        return;
    }
    QTextEdit::insertFromMimeData(source);
}

QMimeData *rtfText::createMimeDataFromSelection() const
{
    auto *data = new QMimeData;
    const QTextCursor cursor = textCursor();
    const QTextDocumentFragment fragment = cursor.selection();
    data->setText(fragment.toPlainText());
    data->setHtml(fragment.toHtml());
    const QByteArray rtf = RtfWriter().write(cursor);
    for (const QString &type : rtfMimeTypes)
        data->setData(type, rtf);

    // A single picture also goes out as a picture, for painting programs.
    if (cursor.selectionEnd() - cursor.selectionStart() == 1) {
        QTextCursor picture = cursor;
        picture.setPosition(cursor.selectionEnd());
        const QTextCharFormat format = picture.charFormat();
        if (format.isImageFormat()) {
            const QImage image = DocumentImages::imageFor(document(), format.toImageFormat());
            if (!image.isNull())
                data->setImageData(image);
        }
    }
    return data;
}
