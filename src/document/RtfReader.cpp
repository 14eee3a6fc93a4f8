#include "document/RtfReader.h"

#include "base/Twips.h"

#include "document/DocumentImages.h"
#include "document/RtfCodePages.h"
#include "document/RtfPictures.h"
#include "document/RtfTokenizer.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <vector>

namespace {

// Groups nested deeper than this share the state of the deepest one: it
// bounds the memory a hostile file can make us take, while writers that open
// groups and never close them (some HTML-to-RTF converters do) still show
// their text.
constexpr int maxGroupDepth = 10000;
constexpr int maxUnicodeSkip = 255;

enum class Destination : quint8 {
    Text,         // shown in the document
    Skip,         // read past: only braces and \bin count
    UnicodeSkip,  // the ANSI half of \upr: skipped, except its \ud
    FontTable,
    FontAlt,
    ColorTable,
    Picture,
    FieldInstruction,
    ShapeName,
    ShapeValue,   // a shape property other than the picture
};

struct CharProps
{
    int font = -1;       // index into the font table; -1 keeps the default
    int halfPoints = 0;  // 0 keeps the default size
    int color = -1;      // colour table entries
    int background = -1;
    int link = -1;       // index into the hyperlink targets
    qint8 vertical = 0;  // 1 superscript, -1 subscript
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;

    bool operator==(const CharProps &) const = default;
};

struct ParaProps
{
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftIndent = 0;  // twips
    int rightIndent = 0;
    int firstIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;

    bool operator==(const ParaProps &) const = default;
};

struct Group
{
    CharProps chars;
    ParaProps para;
    Destination destination = Destination::Text;
    Destination uprOuter = Destination::Text; // where \ud inside \upr goes back to
    int unicodeSkip = 1;   // \uc
    int field = -1;        // the field whose instruction or result this is
    bool ownsField = false;
    bool ownsPicture = false;
    bool ownsFontEntry = false;
    bool inUpr = false;
};

struct FontEntry
{
    QString name;
    QString alternative;
    int codePage = 0; // 0: the document's
};

struct Field
{
    QString instruction;
    bool hadResult = false;
};

class Parser
{
public:
    Parser(QByteArrayView source, QTextCursor &cursor, bool wholeDocument)
        : m_tokens(source), m_cursor(cursor), m_wholeDocument(wholeDocument)
    {
    }

    void run();

private:
    Group &top() { return m_groups.back(); }
    int currentCodePage();

    void pushGroup();
    void popGroup();
    void controlWord(QByteArrayView word, bool hasParameter, int parameter);
    void controlSymbol(char symbol);
    void textBytes(QByteArrayView bytes);
    void hexByte(unsigned char byte);
    void binary(int length);
    void unicodeChar(int value);
    bool skipFallback();

    void flushBytes();
    void emitText(const QString &text);
    void emitDocumentText(QStringView text);
    void flushRun();
    void endParagraph();
    void startDestination(Destination destination);
    void finishPicture();
    void commitFont();
    void commitColor();
    QTextCharFormat charFormat(const CharProps &props) const;
    QTextBlockFormat blockFormat(const ParaProps &props, bool pageBreak) const;
    void applyBlockFormats(const ParaProps &para, const CharProps &chars);
    void finishField();
    void overflowControlWord(QByteArrayView word, bool hasParameter, int parameter);
    static QString hyperlinkTarget(const QString &instruction);

    RtfTokenizer m_tokens;
    QTextCursor &m_cursor;
    bool m_wholeDocument;

    std::vector<Group> m_groups;
    int m_excessDepth = 0;        // groups past maxGroupDepth
    int m_excessSkipFrom = 0;     // the excess depth from which all is skipped
    bool m_finished = false;      // the document's outermost group closed
    ParaProps m_finalParagraph;
    CharProps m_finalChars;
    int m_footnotes = 0;
    bool m_ignorableNext = false; // after \*
    int m_pendingSkip = 0;        // \uc fallback units still to skip

    RtfCodePages m_codePages;
    int m_documentCodePage = 1252;
    QHash<int, FontEntry> m_fonts;
    int m_fontEntryIndex = -1;
    FontEntry m_fontEntry;
    std::vector<QColor> m_colors;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorSet = false;
    std::vector<Field> m_fields;
    QStringList m_links;
    QString m_shapeName;
    bool m_shapeHasPicture = false;
    RtfPictures::Picture m_picture;
    int m_pictureNibble = -1;

    QByteArray m_bytes;        // undecoded text bytes, in m_bytesCodePage
    int m_bytesCodePage = 0;
    QString m_run;             // decoded text waiting in m_runProps
    CharProps m_runProps;
    char16_t m_highSurrogate = 0;

    bool m_cellPending = false;  // a \cell ended; a tab goes before more text
    // What the block the cursor is in carries already: a new block starts
    // with the formats in force at its birth, and most paragraphs keep them.
    struct
    {
        bool known = false;
        bool pageBreak = false;
        ParaProps para;
        CharProps chars;
    } m_block;
};

int Parser::currentCodePage()
{
    const Group &g = top();
    if (g.chars.font >= 0) {
        const auto found = m_fonts.constFind(g.chars.font);
        if (found != m_fonts.constEnd() && found->codePage > 0)
            return found->codePage;
    }
    return m_documentCodePage;
}

void Parser::run()
{
    m_groups.reserve(64);
    m_groups.emplace_back();
    m_run.reserve(256);

    for (;;) {
        // Whatever follows the document's closing brace is not part of it.
        const RtfTokenizer::Token t = m_finished ? RtfTokenizer::Token() : m_tokens.next();
        const bool skipping = m_excessSkipFrom > 0;
        switch (t.type) {
        case RtfTokenizer::Type::End:
            flushBytes();
            flushRun();
            // A pasted fragment leaves the paragraph it lands in as it was.
            if (m_wholeDocument) {
                applyBlockFormats(m_finished ? m_finalParagraph : top().para,
                                  m_finished ? m_finalChars : top().chars);
            }
            // Groups left open by a truncated file end here.
            while (m_groups.size() > 1) {
                if (top().ownsPicture)
                    finishPicture();
                if (top().ownsField)
                    finishField();
                m_groups.pop_back();
            }
            flushRun();
            return;
        case RtfTokenizer::Type::GroupStart:
            flushBytes();
            m_ignorableNext = false;
            m_pendingSkip = 0;
            pushGroup();
            break;
        case RtfTokenizer::Type::GroupEnd:
            flushBytes();
            m_ignorableNext = false;
            m_pendingSkip = 0;
            popGroup();
            break;
        case RtfTokenizer::Type::ControlWord:
            if (skipping) {
                if (t.word == "bin" && t.hasParameter)
                    m_tokens.takeBinary(t.parameter);
            } else if (m_excessDepth > 0) {
                overflowControlWord(t.word, t.hasParameter, t.parameter);
            } else {
                controlWord(t.word, t.hasParameter, t.parameter);
            }
            break;
        case RtfTokenizer::Type::ControlSymbol:
            if (!skipping)
                controlSymbol(t.symbol);
            break;
        case RtfTokenizer::Type::Text:
            m_ignorableNext = false;
            if (!skipping)
                textBytes(t.text);
            break;
        case RtfTokenizer::Type::HexByte:
            m_ignorableNext = false;
            if (!skipping)
                hexByte(t.byte);
            break;
        }
    }
}

void Parser::pushGroup()
{
    if (m_excessDepth > 0 || int(m_groups.size()) >= maxGroupDepth) {
        ++m_excessDepth;
        return;
    }
    Group g = top();
    g.ownsPicture = false;
    g.ownsFontEntry = false;
    g.ownsField = false;
    m_groups.push_back(g);
}

void Parser::popGroup()
{
    if (m_excessDepth > 0) {
        if (m_excessDepth == m_excessSkipFrom)
            m_excessSkipFrom = 0;
        --m_excessDepth;
        return;
    }
    if (m_groups.size() <= 1)
        return; // a closing brace before any opening one
    Group &g = top();
    if (g.ownsPicture)
        finishPicture();
    if (g.ownsFontEntry)
        commitFont();
    if (g.ownsField)
        finishField();
    if (m_groups.size() == 2) {
        // The document's own group closes: what it set for the last
        // paragraph holds, whatever follows the brace.
        m_finished = true;
        m_finalParagraph = top().para;
        m_finalChars = top().chars;
    }
    m_groups.pop_back();
}

// Past the depth limit, groups share the deepest group's state. Formatting
// may then outlive its group; a destination must not, so a group that starts
// one there is skipped whole.
void Parser::overflowControlWord(QByteArrayView word, bool hasParameter, int parameter)
{
    const Group before = top();
    controlWord(word, hasParameter, parameter);
    Group &after = top();
    if (after.destination != before.destination || after.ownsPicture != before.ownsPicture
        || after.field != before.field || after.chars.link != before.chars.link
        || after.ownsFontEntry != before.ownsFontEntry) {
        after = before;
        m_excessSkipFrom = m_excessDepth;
    }
}

void Parser::finishField()
{
    Group &g = top();
    g.ownsField = false;
    if (g.field < 0 || g.destination != Destination::Text)
        return;
    Field &field = m_fields[g.field];
    // A SYMBOL field that brings no result shows its character.
    const QString instruction = field.instruction.trimmed();
    if (field.hadResult || !instruction.startsWith(QLatin1String("SYMBOL"), Qt::CaseInsensitive))
        return;
    const QString number = instruction.mid(6).trimmed().section(QLatin1Char(' '), 0, 0);
    bool ok = false;
    const uint code = number.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? number.mid(2).toUInt(&ok, 16)
                                                                                 : number.toUInt(&ok, 10);
    if (ok && code > 0 && code <= 0xFFFF) {
        flushBytes();
        emitText(QString(QChar(char16_t(code))));
    }
}

bool Parser::skipFallback()
{
    if (m_pendingSkip > 0) {
        --m_pendingSkip;
        return true;
    }
    return false;
}

void Parser::textBytes(QByteArrayView bytes)
{
    const Destination d = top().destination;
    if (d == Destination::Skip || d == Destination::UnicodeSkip || d == Destination::ShapeValue)
        return;
    if (d == Destination::Picture) {
        for (const char c : bytes) {
            int v;
            if (c >= '0' && c <= '9')
                v = c - '0';
            else if (c >= 'a' && c <= 'f')
                v = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F')
                v = c - 'A' + 10;
            else
                continue;
            if (m_pictureNibble < 0) {
                m_pictureNibble = v;
            } else {
                m_picture.data.append(char(m_pictureNibble * 16 + v));
                m_pictureNibble = -1;
            }
        }
        return;
    }
    if (m_pendingSkip > 0) {
        const qsizetype n = std::min<qsizetype>(m_pendingSkip, bytes.size());
        m_pendingSkip -= int(n);
        bytes = bytes.sliced(n);
        if (bytes.isEmpty())
            return;
    }
    int cp = currentCodePage();
    if ((d == Destination::FontTable || d == Destination::FontAlt) && m_fontEntry.codePage > 0)
        cp = m_fontEntry.codePage;
    if (!m_bytes.isEmpty() && cp != m_bytesCodePage)
        flushBytes();
    m_bytesCodePage = cp;
    m_bytes.append(bytes.data(), bytes.size());
}

void Parser::hexByte(unsigned char byte)
{
    if (skipFallback())
        return;
    const Destination d = top().destination;
    if (d == Destination::Picture) {
        m_picture.data.append(char(byte));
        return;
    }
    const char c = char(byte);
    textBytes(QByteArrayView(&c, 1));
}

void Parser::binary(int length)
{
    const QByteArrayView data = m_tokens.takeBinary(length);
    if (top().destination == Destination::Picture)
        m_picture.data.append(data.data(), data.size());
}

void Parser::flushBytes()
{
    if (m_bytes.isEmpty())
        return;
    const QString text = m_codePages.decode(m_bytes, m_bytesCodePage);
    m_bytes.clear();
    emitText(text);
}

void Parser::unicodeChar(int value)
{
    flushBytes();
    m_pendingSkip = top().unicodeSkip;
    const char16_t unit = char16_t(value < 0 ? value + 65536 : value);
    if (QChar::isHighSurrogate(unit)) {
        m_highSurrogate = unit;
        return;
    }
    if (QChar::isLowSurrogate(unit)) {
        if (m_highSurrogate) {
            const QChar pair[2] = {QChar(m_highSurrogate), QChar(unit)};
            m_highSurrogate = 0;
            emitText(QString(pair, 2));
        }
        return; // a lone low surrogate is no character
    }
    m_highSurrogate = 0;
    if (unit == 0)
        return;
    emitText(QString(QChar(unit)));
}

void Parser::emitText(const QString &text)
{
    switch (top().destination) {
    case Destination::Text:
        emitDocumentText(text);
        break;
    case Destination::FontTable:
        m_fontEntry.name += text;
        if (m_fontEntry.name.contains(QLatin1Char(';'))) {
            m_fontEntry.name.truncate(m_fontEntry.name.indexOf(QLatin1Char(';')));
            commitFont();
        }
        break;
    case Destination::FontAlt:
        m_fontEntry.alternative += text;
        break;
    case Destination::ColorTable:
        for (const QChar c : text) {
            if (c == QLatin1Char(';'))
                commitColor();
        }
        break;
    case Destination::FieldInstruction:
        if (top().field >= 0 && m_fields[top().field].instruction.size() < 65536)
            m_fields[top().field].instruction += text;
        break;
    case Destination::ShapeName:
        if (m_shapeName.size() < 256)
            m_shapeName += text;
        break;
    default:
        break;
    }
}

void Parser::emitDocumentText(QStringView text)
{
    const CharProps &props = top().chars;
    if (text.isEmpty())
        return;
    if (top().field >= 0)
        m_fields[top().field].hadResult = true;
    if (m_highSurrogate)
        m_highSurrogate = 0;
    if (props != m_runProps) {
        flushRun();
        m_runProps = props;
    }
    if (m_cellPending) {
        m_cellPending = false;
        m_run += QLatin1Char('\t');
    }
    // Characters QTextDocument keeps for its own structure never come from
    // the file; other control characters are not text either.
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20) {
            if (u == '\t')
                m_run += c;
        } else if (u == QChar::ParagraphSeparator) {
            m_run += QChar(QChar::LineSeparator);
        } else if (u == QChar::ObjectReplacementCharacter || u == 0xFDD0 || u == 0xFDD1 || u == 0xFFFE
                   || u == 0xFFFF) {
            continue;
        } else {
            m_run += c;
        }
    }
}

void Parser::flushRun()
{
    if (m_run.isEmpty())
        return;
    m_cursor.insertText(m_run, charFormat(m_runProps));
    m_run.clear();
}

void Parser::endParagraph()
{
    flushBytes();
    flushRun();
    m_cellPending = false;
    const Group &g = top();
    applyBlockFormats(g.para, g.chars);
    m_cursor.insertBlock(blockFormat(g.para, false), charFormat(g.chars));
    m_block.known = true;
    m_block.pageBreak = false;
    m_block.para = g.para;
    m_block.chars = g.chars;
}

// The paragraph's properties as they stand at its mark; the mark's character
// format sizes an empty line.
void Parser::applyBlockFormats(const ParaProps &para, const CharProps &chars)
{
    if (!m_block.known || m_block.para != para)
        m_cursor.setBlockFormat(blockFormat(para, m_block.pageBreak));
    if (!m_block.known || m_block.chars != chars)
        m_cursor.setBlockCharFormat(charFormat(chars));
}

QTextCharFormat Parser::charFormat(const CharProps &p) const
{
    QTextCharFormat f;
    if (p.font >= 0) {
        const auto found = m_fonts.constFind(p.font);
        if (found != m_fonts.constEnd()) {
            const QString name = found->name.trimmed().isEmpty() ? found->alternative.trimmed()
                                                                 : found->name.trimmed();
            if (!name.isEmpty())
                f.setFontFamilies({name});
        }
    }
    if (p.halfPoints > 0)
        f.setFontPointSize(p.halfPoints / 2.0);
    if (p.bold)
        f.setFontWeight(QFont::Bold);
    if (p.italic)
        f.setFontItalic(true);
    if (p.underline)
        f.setFontUnderline(true);
    if (p.strike)
        f.setFontStrikeOut(true);
    if (p.color >= 0 && p.color < int(m_colors.size()) && m_colors[p.color].isValid())
        f.setForeground(m_colors[p.color]);
    if (p.background >= 0 && p.background < int(m_colors.size()) && m_colors[p.background].isValid())
        f.setBackground(m_colors[p.background]);
    if (p.vertical > 0)
        f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (p.vertical < 0)
        f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (p.link >= 0) {
        f.setAnchor(true);
        f.setAnchorHref(m_links.at(p.link));
    }
    return f;
}

QTextBlockFormat Parser::blockFormat(const ParaProps &p, bool pageBreak) const
{
    QTextBlockFormat f;
    if (pageBreak)
        f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    f.setAlignment(p.alignment);
    f.setLeftMargin(Twips::toPixelsExact(p.leftIndent));
    f.setRightMargin(Twips::toPixelsExact(p.rightIndent));
    f.setTextIndent(Twips::toPixelsExact(p.firstIndent));
    f.setTopMargin(Twips::toPixelsExact(p.spaceBefore));
    f.setBottomMargin(Twips::toPixelsExact(p.spaceAfter));
    return f;
}

void Parser::startDestination(Destination destination)
{
    Group &g = top();
    // Nothing inside a skipped part comes back to light.
    if (g.destination == Destination::Skip || g.destination == Destination::UnicodeSkip)
        return;
    g.destination = destination;
}

void Parser::commitFont()
{
    if (m_fontEntryIndex >= 0) {
        FontEntry entry = m_fontEntry;
        entry.name = entry.name.trimmed();
        if (entry.name.endsWith(QLatin1Char(';')))
            entry.name.chop(1);
        m_fonts.insert(m_fontEntryIndex, entry);
    }
    m_fontEntry = FontEntry();
    m_fontEntryIndex = -1;
}

void Parser::commitColor()
{
    if (m_colors.size() < 65536)
        m_colors.push_back(m_colorSet ? QColor(m_red, m_green, m_blue) : QColor());
    m_red = m_green = m_blue = 0;
    m_colorSet = false;
}

void Parser::finishPicture()
{
    Group &g = top();
    g.ownsPicture = false;
    flushRun();
    RtfPictures::Picture picture = std::move(m_picture);
    m_picture = RtfPictures::Picture();
    m_pictureNibble = -1;
    // A picture shows only where its group sits in the text.
    if (m_groups.size() < 2 || m_groups[m_groups.size() - 2].destination != Destination::Text)
        return;
    const RtfPictures::Shown shown = RtfPictures::decode(picture);
    if (m_cellPending) {
        m_cellPending = false;
        m_cursor.insertText(QStringLiteral("\t"), charFormat(m_groups[m_groups.size() - 2].chars));
    }
    DocumentImages::insertImage(m_cursor, shown.image, shown.size);
}

QString Parser::hyperlinkTarget(const QString &instruction)
{
    const QString text = instruction.trimmed();
    if (!text.startsWith(QLatin1String("HYPERLINK"), Qt::CaseInsensitive))
        return {};
    // HYPERLINK "target" [\l "bookmark"] [other switches]
    QString target;
    QString bookmark;
    qsizetype i = 9;
    bool nextIsBookmark = false;
    while (i < text.size()) {
        while (i < text.size() && text.at(i).isSpace())
            ++i;
        if (i >= text.size())
            break;
        QString argument;
        if (text.at(i) == QLatin1Char('"')) {
            const qsizetype end = text.indexOf(QLatin1Char('"'), i + 1);
            argument = text.mid(i + 1, end < 0 ? -1 : end - i - 1);
            i = end < 0 ? text.size() : end + 1;
        } else {
            const qsizetype start = i;
            while (i < text.size() && !text.at(i).isSpace())
                ++i;
            argument = text.mid(start, i - start);
            if (argument.startsWith(QLatin1Char('\\'))) {
                nextIsBookmark = argument == QLatin1String("\\l");
                continue;
            }
        }
        if (nextIsBookmark) {
            bookmark = argument;
            nextIsBookmark = false;
        } else if (target.isEmpty()) {
            target = argument;
        }
    }
    target.replace(QLatin1String("\\\\"), QLatin1String("\\"));
    if (!bookmark.isEmpty())
        target += QLatin1Char('#') + bookmark;
    return target;
}

void Parser::controlSymbol(char symbol)
{
    if (symbol == '*') {
        m_ignorableNext = true;
        return;
    }
    m_ignorableNext = false;
    if (skipFallback())
        return;
    switch (symbol) {
    case '\\':
    case '{':
    case '}': {
        // Escaped as bytes: in double-byte code pages they can be trail bytes.
        const char c = symbol;
        textBytes(QByteArrayView(&c, 1));
        return;
    }
    default:
        break;
    }
    flushBytes();
    switch (symbol) {
    case '~': emitText(QString(QChar(0x00A0))); break;
    case '-': emitText(QString(QChar(0x00AD))); break;
    case '_': emitText(QString(QChar(0x2011))); break;
    case '\t': emitText(QStringLiteral("\t")); break;
    case '\n':
        if (top().destination == Destination::Text)
            endParagraph();
        break;
    default: break; // \: \| and unknown symbols show nothing
    }
}

void Parser::controlWord(QByteArrayView word, bool hasParameter, int parameter)
{
    const bool ignorable = m_ignorableNext;
    m_ignorableNext = false;
    Group &g = top();

    if (word == "bin") {
        flushBytes();
        if (hasParameter)
            binary(parameter);
        return;
    }
    if (g.destination == Destination::Skip)
        return;
    if (g.destination == Destination::UnicodeSkip) {
        if (word == "ud")
            g.destination = g.uprOuter;
        return;
    }
    if (g.destination == Destination::Picture) {
        const int p = parameter;
        RtfPictures::Picture &pic = m_picture;
        if (word == "pngblip") pic.kind = RtfPictures::Kind::Png;
        else if (word == "jpegblip") pic.kind = RtfPictures::Kind::Jpeg;
        else if (word == "emfblip") pic.kind = RtfPictures::Kind::Emf;
        else if (word == "wmetafile") pic.kind = RtfPictures::Kind::Wmf;
        else if (word == "dibitmap") pic.kind = RtfPictures::Kind::Dib;
        else if (word == "wbitmap") pic.kind = RtfPictures::Kind::Ddb;
        else if (word == "macpict") pic.kind = RtfPictures::Kind::MacPict;
        else if (word == "pmmetafile") pic.kind = RtfPictures::Kind::Os2Metafile;
        else if (word == "picw") pic.width = p;
        else if (word == "pich") pic.height = p;
        else if (word == "picwgoal") pic.goalWidth = p;
        else if (word == "pichgoal") pic.goalHeight = p;
        else if (word == "picscalex") pic.scaleX = p;
        else if (word == "picscaley") pic.scaleY = p;
        else if (word == "wbmbitspixel") pic.ddbBitsPerPixel = p;
        else if (word == "wbmplanes") pic.ddbPlanes = p;
        else if (word == "wbmwidthbytes") pic.ddbWidthBytes = p;
        else if (ignorable) g.destination = Destination::Skip;
        return;
    }

    // Characters and breaks.
    auto special = [&](char16_t c) {
        if (skipFallback())
            return;
        flushBytes();
        emitText(QString(QChar(c)));
    };
    if (word == "par") {
        if (skipFallback())
            return;
        flushBytes();
        if (g.destination == Destination::Text)
            endParagraph();
        return;
    }
    if (word == "u") {
        if (hasParameter)
            unicodeChar(parameter);
        return;
    }
    if (word == "tab") return special(u'\t');
    if (word == "line") return special(QChar::LineSeparator);
    if (word == "emdash") return special(0x2014);
    if (word == "endash") return special(0x2013);
    if (word == "lquote") return special(0x2018);
    if (word == "rquote") return special(0x2019);
    if (word == "ldblquote") return special(0x201C);
    if (word == "rdblquote") return special(0x201D);
    if (word == "bullet") return special(0x2022);
    if (word == "emspace") return special(0x2003);
    if (word == "enspace") return special(0x2002);
    if (word == "qmspace") return special(0x2005);
    if (word == "zwj") return special(0x200D);
    if (word == "zwnj") return special(0x200C);
    if (word == "ltrmark") return special(0x200E);
    if (word == "rtlmark") return special(0x200F);

    // Whatever follows changes state; text before it keeps the old state.
    flushBytes();
    m_pendingSkip = 0;

    if (word == "page" || word == "sect") {
        if (g.destination == Destination::Text) {
            endParagraph();
            if (word == "page") {
                m_block.pageBreak = true;
                m_block.known = false;
            }
        }
        return;
    }
    if (word == "cell" || word == "nestcell") {
        if (g.destination == Destination::Text) {
            // Cells are parted by tabs; an empty cell still takes its tab.
            if (m_cellPending) {
                m_cellPending = false;
                emitDocumentText(u"\t");
            }
            flushRun();
            m_cellPending = true;
        }
        return;
    }
    if (word == "row" || word == "nestrow") {
        if (g.destination == Destination::Text)
            endParagraph();
        return;
    }

    if (g.destination == Destination::FontTable || g.destination == Destination::FontAlt) {
        if (word == "f") {
            if (m_fontEntryIndex >= 0)
                commitFont();
            m_fontEntryIndex = parameter;
            g.ownsFontEntry = true;
            return;
        }
        if (word == "falt") { startDestination(Destination::FontAlt); return; }
        if (word == "fcharset") {
            const int cp = RtfCodePages::codePageForCharset(parameter);
            if (cp > 0 && m_fontEntry.codePage == 0)
                m_fontEntry.codePage = cp;
            return;
        }
        if (word == "cpg") { if (parameter > 0) m_fontEntry.codePage = parameter; return; }
        if (ignorable) g.destination = Destination::Skip;
        return;
    }
    if (g.destination == Destination::ColorTable) {
        if (word == "red") { m_red = std::clamp(parameter, 0, 255); m_colorSet = true; }
        else if (word == "green") { m_green = std::clamp(parameter, 0, 255); m_colorSet = true; }
        else if (word == "blue") { m_blue = std::clamp(parameter, 0, 255); m_colorSet = true; }
        else if (ignorable) g.destination = Destination::Skip;
        return;
    }

    CharProps &c = g.chars;
    const bool on = !hasParameter || parameter != 0;
    if (word == "plain") { const int link = c.link; c = CharProps(); c.link = link; return; }
    // Hidden text (\v) is shown: the document has no hidden text, and
    // dropping it would lose it when the song is saved again.
    if (word == "b") { c.bold = on; return; }
    if (word == "i") { c.italic = on; return; }
    if (word == "ul" || word == "uld" || word == "uldash" || word == "uldashd" || word == "uldashdd"
        || word == "uldb" || word == "ulth" || word == "ulw" || word == "ulwave" || word == "ulhwave"
        || word == "ulldash" || word == "ulthd" || word == "ulthdash" || word == "ululdbwave") {
        c.underline = on;
        return;
    }
    if (word == "ulnone") { c.underline = false; return; }
    if (word == "strike" || word == "striked") { c.strike = on; return; }
    if (word == "f") { c.font = hasParameter ? parameter : -1; return; }
    if (word == "fs") { c.halfPoints = hasParameter && parameter > 0 && parameter <= 3276 ? parameter : 0; return; }
    if (word == "cf") { c.color = parameter; return; }
    if (word == "highlight" || word == "cb" || word == "chcbpat") { c.background = parameter; return; }
    if (word == "super") { c.vertical = 1; return; }
    if (word == "sub") { c.vertical = -1; return; }
    if (word == "nosupersub") { c.vertical = 0; return; }

    ParaProps &p = g.para;
    if (word == "pard") { p = ParaProps(); return; }
    if (word == "ql") { p.alignment = Qt::AlignLeft; return; }
    if (word == "qc") { p.alignment = Qt::AlignHCenter; return; }
    if (word == "qr") { p.alignment = Qt::AlignRight; return; }
    if (word == "qj" || word == "qd") { p.alignment = Qt::AlignJustify; return; }
    if (word == "li") { p.leftIndent = std::clamp(parameter, -31680, 31680); return; }
    if (word == "ri") { p.rightIndent = std::clamp(parameter, -31680, 31680); return; }
    if (word == "fi") { p.firstIndent = std::clamp(parameter, -31680, 31680); return; }
    if (word == "sb") { p.spaceBefore = std::clamp(parameter, 0, 31680); return; }
    if (word == "sa") { p.spaceAfter = std::clamp(parameter, 0, 31680); return; }

    if (word == "uc") { g.unicodeSkip = std::clamp(parameter, 0, maxUnicodeSkip); return; }

    // Code pages.
    if (word == "ansi") { m_documentCodePage = 1252; return; }
    if (word == "mac") { m_documentCodePage = 10000; return; }
    if (word == "pc") { m_documentCodePage = 437; return; }
    if (word == "pca") { m_documentCodePage = 850; return; }
    if (word == "ansicpg") { if (parameter > 0) m_documentCodePage = parameter; return; }

    // Destinations.
    if (word == "fonttbl") { startDestination(Destination::FontTable); return; }
    if (word == "colortbl") {
        startDestination(Destination::ColorTable);
        m_colors.clear();
        m_colorSet = false;
        return;
    }
    if (word == "pict") {
        if (g.destination == Destination::Text) {
            flushRun();
            m_picture = RtfPictures::Picture();
            m_pictureNibble = -1;
            g.ownsPicture = true;
            g.destination = Destination::Picture;
        } else {
            g.destination = Destination::Skip;
        }
        return;
    }
    if (word == "field") {
        if (m_fields.size() < 100000) {
            m_fields.push_back(Field());
            g.field = int(m_fields.size()) - 1;
            g.ownsField = true;
        }
        return;
    }
    if (word == "fldinst") {
        if (g.destination == Destination::Text && g.field >= 0)
            g.destination = Destination::FieldInstruction;
        else
            g.destination = Destination::Skip;
        return;
    }
    if (word == "fldrslt") {
        if (g.field >= 0 && g.destination == Destination::Text) {
            const QString target = hyperlinkTarget(m_fields[g.field].instruction);
            if (!target.isEmpty()) {
                if (m_links.size() < 100000)
                    m_links.append(target);
                g.chars.link = int(m_links.size()) - 1;
            }
        }
        return;
    }
    if (word == "upr") {
        g.uprOuter = g.destination;
        g.destination = Destination::UnicodeSkip;
        return;
    }
    if (word == "ud") return; // outside \upr: just a group of text
    if (word == "shppict" || word == "result" || word == "listtext" || word == "pntext")
        return; // read as text
    if (word == "shp") {
        m_shapeHasPicture = false;
        return;
    }
    if (word == "shpinst") return;
    if (word == "sp") return;
    if (word == "sn") {
        m_shapeName.clear();
        startDestination(Destination::ShapeName);
        return;
    }
    if (word == "sv") {
        if (g.destination == Destination::Text && m_shapeName.trimmed() == QLatin1String("pib")) {
            m_shapeHasPicture = true;
            return; // the shape's picture: its \pict shows
        }
        g.destination = Destination::ShapeValue;
        return;
    }
    if (word == "shptxt") {
        // A text box's text stays in the flow. A picture frame's text box
        // only repeats the picture for older readers.
        if (m_shapeHasPicture)
            g.destination = Destination::Skip;
        return;
    }
    if (word == "nesttableprops") return; // some writers put the cells' text in it
    if (word == "chftn") {
        // The automatic number of a footnote; the note itself is not shown.
        if (g.destination == Destination::Text)
            emitText(QString::number(++m_footnotes));
        return;
    }

    static const QByteArrayView skipped[] = {
        "stylesheet", "info", "header", "headerl", "headerr", "headerf", "footer", "footerl",
        "footerr", "footerf", "footnote", "nonshppict", "shprslt", "listtable", "listoverridetable",
        "revtbl", "rsidtbl", "objdata", "objclass", "objname", "xe", "tc", "txe", "annotation",
        "atnid", "atnauthor", "atndate", "atnref", "atrfstart", "atrfend", "comment", "author",
        "operator", "title", "subject", "keywords", "doccomm", "bkmkstart", "bkmkend", "pn",
        "pgdsctbl", "themedata", "colorschememapping", "latentstyles", "datastore", "xmlnstbl",
        "filetbl", "generator", "nonesttables", "private", "do", "template", "docvar", "fchars",
        "lchars", "pnseclvl", "listpicture", "mmathPr", "userprops", "wgrffmtfilter", "passwordhash",
    };
    for (const QByteArrayView s : skipped) {
        if (word == s) {
            g.destination = Destination::Skip;
            return;
        }
    }
    if (ignorable)
        g.destination = Destination::Skip;
}

} // namespace

bool RtfReader::read(const QByteArray &rtf, QTextDocument *document)
{
    m_error.clear();
    if (!isRtf(rtf)) {
        m_error = QStringLiteral("The file is not in Rich Text Format.");
        return false;
    }
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    document->clear();
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    Parser parser(rtfStart(rtf), cursor, true);
    parser.run();
    cursor.endEditBlock();
    document->setUndoRedoEnabled(undo);
    return true;
}

bool RtfReader::insert(const QByteArray &rtf, QTextCursor &cursor)
{
    m_error.clear();
    if (!isRtf(rtf)) {
        m_error = QStringLiteral("The text is not in Rich Text Format.");
        return false;
    }
    cursor.beginEditBlock();
    if (cursor.hasSelection())
        cursor.removeSelectedText();
    Parser parser(rtfStart(rtf), cursor, false);
    parser.run();
    cursor.endEditBlock();
    return true;
}

// The source from its opening "{\rtf": a byte-order mark or blanks before
// it are tolerated. Empty when the data is not RTF.
QByteArrayView RtfReader::rtfStart(QByteArrayView data)
{
    qsizetype i = data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (i < data.size() && (data[i] == ' ' || data[i] == '\t' || data[i] == '\r' || data[i] == '\n'))
        ++i;
    const QByteArrayView source = data.sliced(i);
    return source.startsWith("{\\rtf") ? source : QByteArrayView();
}

bool RtfReader::isRtf(QByteArrayView data)
{
    return !rtfStart(data).isEmpty();
}
