#include "document/RtfWriter.h"

#include "base/Twips.h"

#include "document/DocumentImages.h"
#include "document/PictureCache.h"
#include "document/WindowsMetafile.h"

#include <QBuffer>
#include <QColor>
#include <QHash>
#include <QIODevice>
#include <QSet>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextImageFormat>
#include <QVector>
#include <QtGui/private/qtextdocument_p.h>
#include <QtGui/private/qtextformat_p.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Document lengths are pixels at 96 dots per inch; RTF counts twips.
// \picw and \pich of a metafile are in hundredths of a millimetre.
constexpr double himetricPerPixel = 2540.0 / 96.0;
constexpr int hexBytesPerLine = 64;
// What goes to a device at a time.
constexpr qsizetype chunkBytes = 256 * 1024;

int twips(double pixels)
{
    return int(std::lround(Twips::fromPixelsExact(pixels)));
}

// Room for n more bytes at the end of out; the caller fills all of them.
// The writer reserves generously up front, so this rarely reallocates.
char *grow(QByteArray &out, qsizetype n)
{
    const qsizetype old = out.size();
    if (out.capacity() < old + n)
        out.reserve(std::max(old + n, out.capacity() * 2));
    out.resize(old + n);
    return out.data() + old;
}

void appendNumber(QByteArray &out, const char *controlWord, long long value)
{
    out.append(controlWord);
    char digits[24];
    char *end = digits + sizeof digits;
    char *p = end;
    unsigned long long magnitude = value < 0 ? 0ull - (unsigned long long)value : (unsigned long long)value;
    do {
        *--p = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (value < 0)
        *--p = '-';
    out.append(p, end - p);
}

void appendHex(QByteArray &out, const QByteArray &data)
{
    static const char digits[] = "0123456789abcdef";
    const qsizetype lines = (data.size() + hexBytesPerLine - 1) / hexBytesPerLine;
    char *p = grow(out, data.size() * 2 + lines);
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (i % hexBytesPerLine == 0)
            *p++ = '\n';
        const auto byte = uchar(data.at(i));
        *p++ = digits[byte >> 4];
        *p++ = digits[byte & 0xf];
    }
}

// Characters that go out as they are.
bool isPlainAscii(char16_t u)
{
    return u >= 0x20 && u < 0x7f && u != u'\\' && u != u'{' && u != u'}';
}

template<size_t N>
char *put(char *d, const char (&literal)[N])
{
    std::memcpy(d, literal, N - 1);
    return d + N - 1;
}

// The longest a character can become: "\\u-32768?".
constexpr qsizetype maxBytesPerCharacter = 9;

// Text as RTF: specials escaped, tabs and line breaks as control words,
// everything beyond US-ASCII as a signed 16-bit \u with "?" as the
// fallback (\uc1), surrogate pairs as two such code units. Written
// straight into room made for the longest outcome, then cut to size.
void appendText(QByteArray &out, QStringView text)
{
    const qsizetype old = out.size();
    char *const begin = grow(out, text.size() * maxBytesPerCharacter);
    char *d = begin;
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (isPlainAscii(u)) {
            *d++ = char(u);
            continue;
        }
        switch (u) {
        case u'\\': d = put(d, "\\\\"); continue;
        case u'{': d = put(d, "\\{"); continue;
        case u'}': d = put(d, "\\}"); continue;
        case u'\t': d = put(d, "\\tab "); continue;
        case QChar::LineSeparator: d = put(d, "\\line "); continue;
        case QChar::ObjectReplacementCharacter:
        case QChar::ParagraphSeparator:
            continue;
        default:
            break;
        }
        if (u >= 0x80) {
            d = put(d, "\\u");
            const int value = qint16(u);
            unsigned magnitude = value < 0 ? unsigned(-value) : unsigned(value);
            if (value < 0)
                *d++ = '-';
            char digits[8];
            int count = 0;
            do {
                digits[count++] = char('0' + magnitude % 10);
                magnitude /= 10;
            } while (magnitude);
            while (count)
                *d++ = digits[--count];
            *d++ = '?';
        }
        // Other control characters have no place in a song.
    }
    out.resize(old + (d - begin));
}

struct Range
{
    int from = 0;
    int to = 0; // exclusive
};

class Writer
{
public:
    Writer(const QTextDocument &document, Range range)
        : m_document(document), m_formats(QTextDocumentPrivate::get(&document)->formatCollection()), m_range(range)
    {
        const QFont font = document.defaultFont();
        m_defaultFamily = font.family();
        m_defaultFamily.remove(QLatin1Char(';')); // ends an entry of the font table
        m_defaultPoints = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
    }

    // The whole RTF in memory.
    QByteArray run()
    {
        // Formatting roughly doubles plain text; pictures add their own.
        // Room that is never written costs no memory.
        QByteArray out;
        out.reserve(3 * qsizetype(m_range.to - m_range.from) + 65536);
        writeAll(out);
        return out;
    }

    // A piece at a time: the song is never held twice, and fresh memory is
    // slow to come by.
    bool run(QIODevice &device)
    {
        m_device = &device;
        QByteArray out;
        out.reserve(2 * chunkBytes);
        writeAll(out);
        flush(out);
        return !m_deviceFailed;
    }

    // The tables come first, but hold what the body uses in the order it
    // first uses it: one walk gathers them, the next writes.
    void writeAll(QByteArray &out)
    {
        fontIndex(familyOf(QTextCharFormat()));
        m_tablesOnly = true;
        writeBody(out);
        m_tablesOnly = false;
        out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n";
        writeFontTable(out);
        writeColourTable(out);
        out += "{\\*\\generator Songloom;}\\viewkind4\\uc1\n";
        writeBody(out);
        out += "}\n";
    }

    void endParagraph(QByteArray &out)
    {
        if (m_tablesOnly)
            return;
        out += "\\par\n";
        if (m_device && out.size() >= chunkBytes)
            flush(out);
    }

    void flush(QByteArray &out)
    {
        if (!m_deviceFailed && m_device->write(out) != out.size())
            m_deviceFailed = true;
        out.resize(0); // keeps the room for the next piece
    }

    // Every format's font and colour get their table entries when the
    // first walk first meets the format.
    void enterTables(int formatIndex)
    {
        if (m_tabled.contains(formatIndex))
            return;
        m_tabled.insert(formatIndex);
        const QTextCharFormat format = m_formats->charFormat(formatIndex);
        fontIndex(familyOf(format));
        if (hasColour(format))
            colourIndex(format.foreground().color().rgb() | 0xff000000u);
    }

private:
    QString familyOf(const QTextCharFormat &format) const
    {
        if (!format.hasProperty(QTextFormat::FontFamilies))
            return m_defaultFamily;
        const QStringList families = format.fontFamilies().toStringList();
        if (families.isEmpty())
            return m_defaultFamily;
        QString family = families.first();
        family.remove(QLatin1Char(';'));
        return family;
    }

    double pointSizeOf(const QTextCharFormat &format) const
    {
        if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0)
            return format.fontPointSize();
        return m_defaultPoints;
    }

    static bool hasColour(const QTextCharFormat &format)
    {
        return format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush;
    }

    int fontIndex(const QString &family)
    {
        const auto it = m_fontIndex.constFind(family);
        if (it != m_fontIndex.constEnd())
            return *it;
        m_fonts.append(family);
        m_fontIndex.insert(family, int(m_fonts.size() - 1));
        return int(m_fonts.size() - 1);
    }

    int colourIndex(QRgb rgb)
    {
        const auto it = m_colourIndex.constFind(rgb);
        if (it != m_colourIndex.constEnd())
            return *it;
        m_colours.append(rgb);
        // Entry 0 of the table is the automatic colour.
        m_colourIndex.insert(rgb, int(m_colours.size()));
        return int(m_colours.size());
    }

    void writeFontTable(QByteArray &out) const
    {
        out += "{\\fonttbl";
        for (int i = 0; i < m_fonts.size(); ++i) {
            appendNumber(out, "{\\f", i);
            out += "\\fnil\\fcharset0 ";
            appendText(out, m_fonts.at(i));
            out += ";}";
        }
        out += "}\n";
    }

    void writeColourTable(QByteArray &out) const
    {
        out += "{\\colortbl ;";
        for (QRgb rgb : m_colours) {
            appendNumber(out, "\\red", qRed(rgb));
            appendNumber(out, "\\green", qGreen(rgb));
            appendNumber(out, "\\blue", qBlue(rgb));
            out += ';';
        }
        out += "}\n";
    }

    // Paragraphs and runs share a few formats: each one's RTF is made once.
    void writeParagraphStart(QByteArray &out, int blockFormatIndex, int charFormatIndex)
    {
        if (m_tablesOnly) {
            enterTables(charFormatIndex);
            return;
        }
        const qint64 key = (qint64(blockFormatIndex) << 32) | quint32(charFormatIndex);
        auto it = m_paragraphStarts.constFind(key);
        if (it == m_paragraphStarts.constEnd()) {
            const QTextCharFormat own = m_formats->charFormat(charFormatIndex);
            QByteArray start;
            makeParagraphStart(start, m_formats->blockFormat(blockFormatIndex), own);
            it = m_paragraphStarts.insert(key, start);
        }
        out += *it;
    }

    void writeRunFormat(QByteArray &out, int formatIndex)
    {
        auto it = m_runFormats.constFind(formatIndex);
        if (it == m_runFormats.constEnd()) {
            const QTextCharFormat charFormat = m_formats->charFormat(formatIndex);
            QByteArray format;
            makeRunFormat(format, charFormat);
            it = m_runFormats.insert(formatIndex, format);
        }
        out += *it;
    }

    void makeParagraphStart(QByteArray &out, const QTextBlockFormat &format, const QTextCharFormat &own)
    {
        out += "\\pard\\plain";
        const Qt::Alignment horizontal = format.alignment() & Qt::AlignHorizontal_Mask;
        if (horizontal & Qt::AlignHCenter)
            out += "\\qc";
        else if (horizontal & Qt::AlignJustify)
            out += "\\qj";
        else if ((horizontal & Qt::AlignRight) || (horizontal & Qt::AlignTrailing))
            out += "\\qr";
        else
            out += "\\ql";
        const double left = format.leftMargin() + format.indent() * m_document.indentWidth();
        if (const int v = twips(left))
            appendNumber(out, "\\li", v);
        if (const int v = twips(format.rightMargin()))
            appendNumber(out, "\\ri", v);
        if (const int v = twips(format.textIndent()))
            appendNumber(out, "\\fi", v);
        if (const int v = twips(format.topMargin()))
            appendNumber(out, "\\sb", v);
        if (const int v = twips(format.bottomMargin()))
            appendNumber(out, "\\sa", v);
        // The paragraph's own font and size give an empty line its height.
        appendNumber(out, "\\f", fontIndex(familyOf(own)));
        appendNumber(out, "\\fs", std::lround(pointSizeOf(own) * 2));
        out += ' ';
    }

    void makeRunFormat(QByteArray &out, const QTextCharFormat &format)
    {
        appendNumber(out, "\\f", fontIndex(familyOf(format)));
        appendNumber(out, "\\fs", std::lround(pointSizeOf(format) * 2));
        if (format.fontWeight() >= QFont::Bold)
            out += "\\b";
        if (format.fontItalic())
            out += "\\i";
        switch (format.underlineStyle()) {
        case QTextCharFormat::NoUnderline:
        case QTextCharFormat::SpellCheckUnderline: // the checker's marks are no content
            if (format.fontUnderline())
                out += "\\ul";
            break;
        case QTextCharFormat::SingleUnderline: out += "\\ul"; break;
        case QTextCharFormat::DashUnderline: out += "\\uldash"; break;
        case QTextCharFormat::DotLine: out += "\\uld"; break;
        case QTextCharFormat::DashDotLine: out += "\\uldashd"; break;
        case QTextCharFormat::DashDotDotLine: out += "\\uldashdd"; break;
        case QTextCharFormat::WaveUnderline: out += "\\ulwave"; break;
        }
        if (format.fontStrikeOut())
            out += "\\strike";
        if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
            out += "\\super";
        else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
            out += "\\sub";
        if (hasColour(format))
            appendNumber(out, "\\cf", colourIndex(format.foreground().color().rgb() | 0xff000000u));
        out += ' ';
    }

    const QByteArray &pictureFor(const QTextImageFormat &format)
    {
        const QSizeF shown = DocumentImages::shownSize(&m_document, format);
        const QString key = format.name() + QLatin1Char('@') + QString::number(shown.width()) + QLatin1Char('x')
            + QString::number(shown.height());
        auto it = m_pictures.find(key);
        if (it != m_pictures.end())
            return *it;

        PictureCache &cache = PictureCache::instance();
        const QImage image = DocumentImages::imageFor(&m_document, format);
        QByteArray rtf = cache.find(image, shown);
        if (!rtf.isEmpty())
            return *m_pictures.insert(key, rtf);
        if (!image.isNull()) {
            QByteArray png = cache.find(image);
            if (png.isEmpty()) {
                QBuffer buffer(&png);
                buffer.open(QIODevice::WriteOnly);
                image.save(&buffer, "PNG");
                cache.insert(image, png);
            }
            const int goalWidth = twips(shown.width());
            const int goalHeight = twips(shown.height());

            rtf += "{\\*\\shppict{\\pict\\picscalex100\\picscaley100";
            appendNumber(rtf, "\\picw", image.width());
            appendNumber(rtf, "\\pich", image.height());
            appendNumber(rtf, "\\picwgoal", goalWidth);
            appendNumber(rtf, "\\pichgoal", goalHeight);
            rtf += "\\pngblip";
            appendHex(rtf, png);
            rtf += "}}";

            const QByteArray metafile = WindowsMetafile::fromImage(image);
            if (!metafile.isEmpty()) {
                rtf += "{\\nonshppict{\\pict\\wmetafile8";
                appendNumber(rtf, "\\picw", std::lround(shown.width() * himetricPerPixel));
                appendNumber(rtf, "\\pich", std::lround(shown.height() * himetricPerPixel));
                appendNumber(rtf, "\\picwgoal", goalWidth);
                appendNumber(rtf, "\\pichgoal", goalHeight);
                appendHex(rtf, metafile);
                rtf += "}}";
            }
            rtf += '\n';
            cache.insert(image, rtf, shown);
        }
        return *m_pictures.insert(key, rtf);
    }

    // One walk along the document's paragraphs and, beside it, along its
    // runs of text in one format (what Qt keeps them in): looking either up
    // by position would search the document's tree every time. Each
    // paragraph ends in a separator, a run of its own, whose format is the
    // next paragraph's own.
    void writeBody(QByteArray &out)
    {
        const QTextDocumentPrivate *d = QTextDocumentPrivate::get(&m_document);
        const QString buffer = d->buffer();
        const QTextDocumentPrivate::BlockMap &blocks = d->blockMap();
        const QTextDocumentPrivate::FragmentMap &runs = d->fragmentMap();

        auto block = blocks.find(m_range.from);
        int blockStart = block.position();
        auto run = runs.find(blockStart);
        int runStart = run.position();
        int paragraphFormat = m_document.findBlock(blockStart).charFormatIndex();
        for (; block != blocks.end(); ++block) {
            writeParagraphStart(out, block.value()->format, paragraphFormat);
            const int separator = blockStart + int(block.value()->size_array[0]) - 1;
            for (; runStart < separator; runStart += int(run.value()->size_array[0]), ++run) {
                const QTextFragmentData *data = run.value();
                const int start = std::max({runStart, blockStart, m_range.from});
                const int end = std::min({runStart + int(data->size_array[0]), separator, m_range.to});
                if (start < end)
                    writeRun(out, data->format, QStringView(buffer).mid(data->stringPosition + start - runStart, end - start));
            }
            if (separator >= m_range.to)
                break;
            if (runStart != separator) { // Qt keeps a separator a run of its own; were it not so
                run = runs.find(separator);
                runStart = run.position();
            }
            paragraphFormat = run.value()->format;
            blockStart = separator + 1;
            runStart += int(run.value()->size_array[0]);
            ++run;
            if (runStart != blockStart) {
                run = runs.find(blockStart);
                runStart = run.position();
            }
            endParagraph(out);
        }
    }

    void writeRun(QByteArray &out, int formatIndex, QStringView text)
    {
        if (m_tablesOnly) {
            enterTables(formatIndex);
            return;
        }
        if (m_imageFormats.value(formatIndex, true)) {
            const QTextCharFormat format = m_formats->charFormat(formatIndex);
            m_imageFormats.insert(formatIndex, format.isImageFormat());
            if (format.isImageFormat()) {
                // Neighbouring copies of one picture share a run.
                const QByteArray &picture = pictureFor(format.toImageFormat());
                for (qsizetype i = 0; i < text.size(); ++i)
                    out += picture;
                return;
            }
        }
        out += '{';
        writeRunFormat(out, formatIndex);
        appendText(out, text);
        out += '}';
    }

    const QTextDocument &m_document;
    const QTextFormatCollection *m_formats;
    const Range m_range;
    QString m_defaultFamily;
    double m_defaultPoints = 0;
    QStringList m_fonts;
    QHash<QString, int> m_fontIndex;
    QVector<QRgb> m_colours;
    QHash<QRgb, int> m_colourIndex;
    QHash<QString, QByteArray> m_pictures;
    QHash<qint64, QByteArray> m_paragraphStarts;
    QHash<int, QByteArray> m_runFormats;
    // Whether a format places a picture; absent until first seen.
    QHash<int, bool> m_imageFormats;
    // The walk that only gathers the tables, and the formats it has met.
    bool m_tablesOnly = false;
    QSet<int> m_tabled;
    QIODevice *m_device = nullptr;
    bool m_deviceFailed = false;
};

} // namespace

QByteArray RtfWriter::write(const QTextDocument &document)
{
    return Writer(document, {0, document.characterCount() - 1}).run();
}

bool RtfWriter::write(const QTextDocument &document, QIODevice *device)
{
    return Writer(document, {0, document.characterCount() - 1}).run(*device);
}

QByteArray RtfWriter::write(const QTextDocumentFragment &fragment)
{
    QTextDocument document;
    QTextCursor(&document).insertFragment(fragment);
    return write(document);
}

QByteArray RtfWriter::write(const QTextCursor &selection)
{
    const QTextDocument *document = selection.document();
    if (!document)
        return write(QTextDocument());
    return Writer(*document, {selection.selectionStart(), selection.selectionEnd()}).run();
}
