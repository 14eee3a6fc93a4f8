#include "document/RtfWriter.h"

#include "base/Twips.h"

#include "document/DocumentImages.h"
#include "document/WindowsMetafile.h"

#include <QBuffer>
#include <QColor>
#include <QHash>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextImageFormat>
#include <QVector>

#include <cmath>

namespace {

// Document lengths are pixels at 96 dots per inch; RTF counts twips.
// \picw and \pich of a metafile are in hundredths of a millimetre.
constexpr double himetricPerPixel = 2540.0 / 96.0;
constexpr int hexBytesPerLine = 64;

int twips(double pixels)
{
    return int(std::lround(Twips::fromPixelsExact(pixels)));
}

void appendNumber(QByteArray &out, const char *controlWord, long long value)
{
    out += controlWord;
    out += QByteArray::number(value);
}

void appendHex(QByteArray &out, const QByteArray &data)
{
    static const char digits[] = "0123456789abcdef";
    out.reserve(out.size() + data.size() * 2 + data.size() / hexBytesPerLine + 2);
    for (qsizetype i = 0; i < data.size(); ++i) {
        if (i % hexBytesPerLine == 0)
            out += '\n';
        const auto byte = uchar(data.at(i));
        out += digits[byte >> 4];
        out += digits[byte & 0xf];
    }
}

// Text as RTF: specials escaped, tabs and line breaks as control words,
// everything beyond US-ASCII as a signed 16-bit \u with "?" as the
// fallback (\uc1), surrogate pairs as two such code units.
void appendText(QByteArray &out, QStringView text)
{
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        switch (u) {
        case u'\\': out += "\\\\"; continue;
        case u'{': out += "\\{"; continue;
        case u'}': out += "\\}"; continue;
        case u'\t': out += "\\tab "; continue;
        case QChar::LineSeparator: out += "\\line "; continue;
        case QChar::ObjectReplacementCharacter:
        case QChar::ParagraphSeparator:
            continue;
        default:
            break;
        }
        if (u >= 0x20 && u < 0x7f)
            out += char(u);
        else if (u >= 0x80)
            appendNumber(out, "\\u", qint16(u)), out += '?';
        // Other control characters have no place in a song.
    }
}

struct Range
{
    int from = 0;
    int to = 0; // exclusive
};

class Writer
{
public:
    Writer(const QTextDocument &document, Range range) : m_document(document), m_range(range)
    {
        const QFont font = document.defaultFont();
        m_defaultFamily = font.family();
        m_defaultFamily.remove(QLatin1Char(';')); // ends an entry of the font table
        m_defaultPoints = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
    }

    QByteArray run()
    {
        collectTables();
        QByteArray body;
        body.reserve(m_range.to - m_range.from + 1024);
        writeBody(body);

        QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n";
        writeFontTable(out);
        writeColourTable(out);
        out += "{\\*\\generator Songloom;}\\viewkind4\\uc1\n";
        out += body;
        out += "}\n";
        return out;
    }

private:
    template<typename Visit>
    void forEachFragment(Visit visit) const
    {
        for (QTextBlock block = m_document.findBlock(m_range.from); block.isValid(); block = block.next()) {
            visit(block, QTextFragment());
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                const int start = std::max(fragment.position(), m_range.from);
                const int end = std::min(fragment.position() + fragment.length(), m_range.to);
                if (start < end)
                    visit(block, fragment);
            }
            if (block.position() + block.length() - 1 >= m_range.to)
                break;
        }
    }

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

    void collectTables()
    {
        fontIndex(familyOf(QTextCharFormat()));
        forEachFragment([this](const QTextBlock &block, const QTextFragment &fragment) {
            const QTextCharFormat format = fragment.isValid() ? fragment.charFormat() : block.charFormat();
            fontIndex(familyOf(format));
            if (hasColour(format))
                colourIndex(format.foreground().color().rgb() | 0xff000000u);
        });
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

    void writeParagraphStart(QByteArray &out, const QTextBlock &block)
    {
        const QTextBlockFormat format = block.blockFormat();
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
        const QTextCharFormat own = block.charFormat();
        appendNumber(out, "\\f", fontIndex(familyOf(own)));
        appendNumber(out, "\\fs", std::lround(pointSizeOf(own) * 2));
        out += ' ';
    }

    void writeRunFormat(QByteArray &out, const QTextCharFormat &format)
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

        QByteArray rtf;
        const QImage image = DocumentImages::imageFor(&m_document, format);
        if (!image.isNull()) {
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
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
        }
        return *m_pictures.insert(key, rtf);
    }

    void writeBody(QByteArray &out)
    {
        for (QTextBlock block = m_document.findBlock(m_range.from); block.isValid(); block = block.next()) {
            writeParagraphStart(out, block);
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                const int start = std::max(fragment.position(), m_range.from);
                const int end = std::min(fragment.position() + fragment.length(), m_range.to);
                if (start >= end)
                    continue;
                const QTextCharFormat format = fragment.charFormat();
                if (format.isImageFormat()) {
                    // Neighbouring copies of one picture share a fragment.
                    const QByteArray &picture = pictureFor(format.toImageFormat());
                    for (int i = start; i < end; ++i)
                        out += picture;
                    continue;
                }
                out += '{';
                writeRunFormat(out, format);
                appendText(out, QStringView(fragment.text()).mid(start - fragment.position(), end - start));
                out += '}';
            }
            const int separator = block.position() + block.length() - 1;
            if (separator >= m_range.to)
                break;
            out += "\\par\n";
        }
    }

    const QTextDocument &m_document;
    const Range m_range;
    QString m_defaultFamily;
    double m_defaultPoints = 0;
    QStringList m_fonts;
    QHash<QString, int> m_fontIndex;
    QVector<QRgb> m_colours;
    QHash<QRgb, int> m_colourIndex;
    QHash<QString, QByteArray> m_pictures;
};

} // namespace

QByteArray RtfWriter::write(const QTextDocument &document)
{
    return Writer(document, {0, document.characterCount() - 1}).run();
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
