#include "document/rtfText.h"

#include "document/BaseFont.h"
#include "document/DocumentImages.h"
#include "document/RtfReader.h"
#include "document/RtfWriter.h"
#include "document/SongLayout.h"
#include "document/SongPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QSaveFile>
#include <QScopedValueRollback>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextImageFormat>

namespace {

const QStringList rtfMimeTypes = {QStringLiteral("text/rtf"), QStringLiteral("application/rtf")};
const QStringList imageMimeTypes = {QStringLiteral("image/png"), QStringLiteral("image/bmp")};

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

// Stands in for the song's layout while a whole song is read in.
class NoLayout final : public QAbstractTextDocumentLayout
{
public:
    using QAbstractTextDocumentLayout::QAbstractTextDocumentLayout;
    void draw(QPainter *, const PaintContext &) override {}
    int hitTest(const QPointF &, Qt::HitTestAccuracy) const override { return -1; }
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override { return {}; }
    QRectF frameBoundingRect(QTextFrame *) const override { return {}; }
    QRectF blockBoundingRect(const QTextBlock &) const override { return {}; }

protected:
    void documentChanged(int, int, int) override {}
};

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
    // Change() even when the document's content stayed the same.
    void forceChange() { m_force = true; }
    ChangeBatch(const ChangeBatch &) = delete;
    ChangeBatch &operator=(const ChangeBatch &) = delete;

private:
    rtfText *m_text;
    bool m_force;
};

rtfText::rtfText(QWidget *parent) : QTextEdit(parent), m_songText(document())
{
    setBaseFont(songBaseFont());
    setAcceptRichText(true);
    // The control deletes a document of its own when it lets go of it.
    document()->setParent(this);
    useSongLayout();

    m_songText.setCursor(textCursor());
    m_songText.setCursorListener([this](const QTextCursor &cursor) { cursorToView(cursor); });
    connect(this, &QTextEdit::textChanged, this, &rtfText::contentChanged);
    connect(this, &QTextEdit::cursorPositionChanged, this, &rtfText::cursorFromView);
    connect(this, &QTextEdit::selectionChanged, this, &rtfText::cursorFromView);
    connect(this, &QTextEdit::currentCharFormatChanged, this, &rtfText::cursorFromView);
}

// The caret, the selection and the format for typing live in the control's
// text cursor; the song's text follows every move of it, and the control
// follows every move the song's text makes.
void rtfText::cursorFromView()
{
    // While the document is emptied, Qt restores its list of cursors
    // afterwards: a cursor released now would stay in that list, freed.
    if (m_replacingDocument)
        return;
    followViewCursor();
    selectionMoved();
}

void rtfText::followViewCursor()
{
    const QScopedValueRollback guard(m_viewCursorChanging, true);
    m_songText.setCursor(textCursor());
}

void rtfText::cursorToView(const QTextCursor &cursor)
{
    if (!m_viewCursorChanging)
        setTextCursor(cursor);
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
    // A file that is not RTF changes nothing: not the song, not its undo
    // history, not the selection; and no Change() tells otherwise.
    if (!RtfReader::isRtf(data)) {
        m_errorString = tr("%1 is not a Rich Text Format file.").arg(path);
        return false;
    }

    ChangeBatch batch(this, false);
    const QTextCursor selection = textCursor();
    RtfReader reader;
    bool read = false;
    {
        const QScopedValueRollback replacing(m_replacingDocument, true);
        read = readUnseen(reader, data);
    }
    if (!read) { // leaves the document as it was
        m_changePending = false;
        setTextCursor(selection);
        followViewCursor();
        m_errorString = reader.errorString();
        return false;
    }
    batch.forceChange();
    document()->clearUndoRedoStacks();
    setTextCursor(QTextCursor(document()));
    followViewCursor();
    m_errorString.clear();
    m_fileName = path;
    return true;
}

// A whole song read in while the control shows it is laid out paragraph by
// paragraph as it arrives, and again when its length brings the scroll bar.
// So the control lets go of the document and the document of its layout
// while the song is read; a fresh layout then lays out what shows at once
// and the rest in the background.
bool rtfText::readUnseen(RtfReader &reader, const QByteArray &data)
{
    QTextDocument *song = document();
    const auto *shown = qobject_cast<QTextDocumentLayout *>(song->documentLayout());
    QPaintDevice *device = shown->paintDevice();
    const int cursorWidth = shown->cursorWidth();
    QTextDocument unseen;
    setDocument(&unseen);
    song->setDocumentLayout(new NoLayout(song));
    const bool read = reader.read(data, song);
    SongLayout::install(song, device, cursorWidth);
    setDocument(song);
    return read;
}

void rtfText::useSongLayout()
{
    const auto *qtLayout = qobject_cast<QTextDocumentLayout *>(document()->documentLayout());
    SongLayout::install(document(), qtLayout->paintDevice(), qtLayout->cursorWidth());
}

SongLayout *rtfText::songLayout() const
{
    return qobject_cast<SongLayout *>(document()->documentLayout());
}

bool rtfText::isLaidOut() const
{
    const SongLayout *layout = songLayout();
    return !layout || layout->isComplete();
}

bool rtfText::SaveFile(const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !RtfWriter().write(*document(), &file) || !file.commit()) {
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
    return m_songText.TextRTF();
}

void rtfText::setTextRTF(const QString &rtf)
{
    ChangeBatch batch(this, true);
    {
        const QScopedValueRollback replacing(m_replacingDocument, true);
        m_songText.setTextRTF(rtf);
    }
    followViewCursor();
}

QString rtfText::Text() const
{
    return m_songText.Text();
}

// --- The selection and its formats: the song's text's --------------------------

int rtfText::SelStart() const
{
    return m_songText.SelStart();
}

void rtfText::setSelStart(int start)
{
    m_songText.setSelStart(start);
}

int rtfText::SelLength() const
{
    return m_songText.SelLength();
}

void rtfText::setSelLength(int length)
{
    m_songText.setSelLength(length);
}

QString rtfText::SelText() const
{
    return m_songText.SelText();
}

void rtfText::setSelText(const QString &text)
{
    ChangeBatch batch(this, false);
    m_songText.setSelText(text);
}

QString rtfText::SelRTF() const
{
    return m_songText.SelRTF();
}

void rtfText::setSelRTF(const QString &rtf)
{
    ChangeBatch batch(this, false);
    m_songText.setSelRTF(rtf);
}

std::optional<bool> rtfText::SelBold() const
{
    return m_songText.SelBold();
}

void rtfText::setSelBold(std::optional<bool> on)
{
    ChangeBatch batch(this, false);
    m_songText.setSelBold(on);
}

std::optional<bool> rtfText::SelItalic() const
{
    return m_songText.SelItalic();
}

void rtfText::setSelItalic(std::optional<bool> on)
{
    ChangeBatch batch(this, false);
    m_songText.setSelItalic(on);
}

std::optional<bool> rtfText::SelUnderline() const
{
    return m_songText.SelUnderline();
}

void rtfText::setSelUnderline(std::optional<bool> on)
{
    ChangeBatch batch(this, false);
    m_songText.setSelUnderline(on);
}

std::optional<bool> rtfText::SelStrikeThru() const
{
    return m_songText.SelStrikeThru();
}

void rtfText::setSelStrikeThru(std::optional<bool> on)
{
    ChangeBatch batch(this, false);
    m_songText.setSelStrikeThru(on);
}

std::optional<QString> rtfText::SelFontName() const
{
    return m_songText.SelFontName();
}

void rtfText::setSelFontName(std::optional<QString> name)
{
    ChangeBatch batch(this, false);
    m_songText.setSelFontName(name);
}

std::optional<double> rtfText::SelFontSize() const
{
    return m_songText.SelFontSize();
}

void rtfText::setSelFontSize(std::optional<double> points)
{
    ChangeBatch batch(this, false);
    m_songText.setSelFontSize(points);
}

std::optional<int> rtfText::SelAlignment() const
{
    return m_songText.SelAlignment();
}

void rtfText::setSelAlignment(std::optional<int> alignment)
{
    ChangeBatch batch(this, false);
    m_songText.setSelAlignment(alignment);
}

void rtfText::Span(const QString &characterSet, bool forward, bool negate)
{
    m_songText.Span(characterSet, forward, negate);
}

// --- Printing, focus -----------------------------------------------------------

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
    // A drop sets the control's cursor to the drop point without a word.
    followViewCursor();
    QTextCursor cursor = textCursor();
    for (const QString &type : rtfMimeTypes) {
        const QByteArray rtf = source->data(type);
        if (RtfReader::isRtf(rtf)) {
            m_songText.setSelRTF(QString::fromLatin1(rtf));
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
