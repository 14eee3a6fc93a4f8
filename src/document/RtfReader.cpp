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
#include <utility>
#include <vector>

namespace {

// Groups nested deeper than this share the state of the deepest one: it
// bounds the memory a hostile file can make us take, while writers that open
// groups and never close them (some HTML-to-RTF converters do) still show
// their text.
constexpr int maxGroupDepth = 10000;
constexpr int maxUnicodeSkip = 255;

// What a file can make the reader keep or believe is bounded: a hostile or
// broken file must not take unbounded memory, nor produce sizes that no
// layout survives. No real song comes near these.
constexpr int maxFontHalfPoints = 3276;  // 1638 points, the largest size word processors offer; \fs beyond is broken
constexpr int maxLengthTwips = 31680;    // 22 inches, the largest page side; indents and spacing beyond it are broken
constexpr int maxFieldInstruction = 65536; // characters; a field's instruction is a line or two
constexpr int maxColors = 65536;         // colour table entries; a song uses a handful
constexpr int maxFields = 100000;        // fields and hyperlink targets in one file
constexpr int maxShapeName = 256;        // characters of a shape property's name ("pib", "fillColor")

// The control words the reader knows, in the groups that handle them.
enum class WordGroup : quint8 {
    Unknown,
    Character,        // characters and paragraph ends
    Table,            // cells, rows, pages and sections
    Picture,          // what a \pict group tells about its picture
    FontTable,        // a font table entry's own words (and \f)
    ColorTable,       // a colour table entry's components
    CharacterFormat,
    ParagraphFormat,
    Document,         // the \uc count and the document's code page
    Destination,      // words that start or shape a destination
    Skipped,          // destinations read past whole
};

enum class Word : quint8 {
    Unknown,
    Unicode, Paragraph, Special,
    Page, Section, Cell, Row,
    PictureKind, PictureWidth, PictureHeight, PictureGoalWidth, PictureGoalHeight, PictureScaleX, PictureScaleY,
    BitmapBitsPerPixel, BitmapPlanes, BitmapWidthBytes,
    FontAlternative, FontCharset, FontCodePage,
    Red, Green, Blue,
    Plain, Bold, Italic, Underline, UnderlineNone, Strike, Font, FontSize, Color, Background, Vertical,
    ParagraphDefaults, Alignment, LeftIndent, RightIndent, FirstIndent, SpaceBefore, SpaceAfter,
    UnicodeSkipCount, CodePage, AnsiCodePage,
    FontTable, ColorTable, Picture, Field, FieldInstruction, FieldResult, UnicodePair, ReadAsText, Shape,
    ShapePropertyName, ShapePropertyValue, ShapeText, FootnoteNumber,
};

struct Keyword
{
    WordGroup group = WordGroup::Unknown;
    Word word = Word::Unknown;
    int value = 0; // a special's character, a picture's kind, an alignment, a code page
};

const Keyword &keyword(QByteArrayView name)
{
    using G = WordGroup;
    using W = Word;
    constexpr auto special = [](char16_t c) { return Keyword{G::Character, W::Special, c}; };
    constexpr auto picture = [](RtfPictures::Kind kind) { return Keyword{G::Picture, W::PictureKind, int(kind)}; };
    constexpr Keyword underline{G::CharacterFormat, W::Underline};
    constexpr Keyword background{G::CharacterFormat, W::Background};
    constexpr Keyword skipped{G::Skipped};
    constexpr Keyword readAsText{G::Destination, W::ReadAsText};
    static const QHash<QByteArrayView, Keyword> words = {
        {"u", {G::Character, W::Unicode}},
        {"par", {G::Character, W::Paragraph}},
        {"tab", special(u'\t')},
        {"line", special(QChar::LineSeparator)},
        {"emdash", special(0x2014)},
        {"endash", special(0x2013)},
        {"lquote", special(0x2018)},
        {"rquote", special(0x2019)},
        {"ldblquote", special(0x201C)},
        {"rdblquote", special(0x201D)},
        {"bullet", special(0x2022)},
        {"emspace", special(0x2003)},
        {"enspace", special(0x2002)},
        {"qmspace", special(0x2005)},
        {"zwj", special(0x200D)},
        {"zwnj", special(0x200C)},
        {"ltrmark", special(0x200E)},
        {"rtlmark", special(0x200F)},

        {"page", {G::Table, W::Page}},
        {"sect", {G::Table, W::Section}},
        {"cell", {G::Table, W::Cell}},
        {"nestcell", {G::Table, W::Cell}},
        {"row", {G::Table, W::Row}},
        {"nestrow", {G::Table, W::Row}},

        {"pngblip", picture(RtfPictures::Kind::Png)},
        {"jpegblip", picture(RtfPictures::Kind::Jpeg)},
        {"emfblip", picture(RtfPictures::Kind::Emf)},
        {"wmetafile", picture(RtfPictures::Kind::Wmf)},
        {"dibitmap", picture(RtfPictures::Kind::Dib)},
        {"wbitmap", picture(RtfPictures::Kind::Ddb)},
        {"macpict", picture(RtfPictures::Kind::MacPict)},
        {"pmmetafile", picture(RtfPictures::Kind::Os2Metafile)},
        {"picw", {G::Picture, W::PictureWidth}},
        {"pich", {G::Picture, W::PictureHeight}},
        {"picwgoal", {G::Picture, W::PictureGoalWidth}},
        {"pichgoal", {G::Picture, W::PictureGoalHeight}},
        {"picscalex", {G::Picture, W::PictureScaleX}},
        {"picscaley", {G::Picture, W::PictureScaleY}},
        {"wbmbitspixel", {G::Picture, W::BitmapBitsPerPixel}},
        {"wbmplanes", {G::Picture, W::BitmapPlanes}},
        {"wbmwidthbytes", {G::Picture, W::BitmapWidthBytes}},

        {"falt", {G::FontTable, W::FontAlternative}},
        {"fcharset", {G::FontTable, W::FontCharset}},
        {"cpg", {G::FontTable, W::FontCodePage}},
        {"red", {G::ColorTable, W::Red}},
        {"green", {G::ColorTable, W::Green}},
        {"blue", {G::ColorTable, W::Blue}},

        {"plain", {G::CharacterFormat, W::Plain}},
        {"b", {G::CharacterFormat, W::Bold}},
        {"i", {G::CharacterFormat, W::Italic}},
        {"ul", underline}, {"uld", underline}, {"uldash", underline}, {"uldashd", underline},
        {"uldashdd", underline}, {"uldb", underline}, {"ulth", underline}, {"ulw", underline},
        {"ulwave", underline}, {"ulhwave", underline}, {"ulldash", underline}, {"ulthd", underline},
        {"ulthdash", underline}, {"ululdbwave", underline},
        {"ulnone", {G::CharacterFormat, W::UnderlineNone}},
        {"strike", {G::CharacterFormat, W::Strike}},
        {"striked", {G::CharacterFormat, W::Strike}},
        {"f", {G::CharacterFormat, W::Font}}, // in the font table: the entry's number
        {"fs", {G::CharacterFormat, W::FontSize}},
        {"cf", {G::CharacterFormat, W::Color}},
        {"highlight", background}, {"cb", background}, {"chcbpat", background},
        {"super", {G::CharacterFormat, W::Vertical, 1}},
        {"sub", {G::CharacterFormat, W::Vertical, -1}},
        {"nosupersub", {G::CharacterFormat, W::Vertical, 0}},

        {"pard", {G::ParagraphFormat, W::ParagraphDefaults}},
        {"ql", {G::ParagraphFormat, W::Alignment, Qt::AlignLeft}},
        {"qc", {G::ParagraphFormat, W::Alignment, Qt::AlignHCenter}},
        {"qr", {G::ParagraphFormat, W::Alignment, Qt::AlignRight}},
        {"qj", {G::ParagraphFormat, W::Alignment, Qt::AlignJustify}},
        {"qd", {G::ParagraphFormat, W::Alignment, Qt::AlignJustify}},
        {"li", {G::ParagraphFormat, W::LeftIndent}},
        {"ri", {G::ParagraphFormat, W::RightIndent}},
        {"fi", {G::ParagraphFormat, W::FirstIndent}},
        {"sb", {G::ParagraphFormat, W::SpaceBefore}},
        {"sa", {G::ParagraphFormat, W::SpaceAfter}},

        {"uc", {G::Document, W::UnicodeSkipCount}},
        {"ansi", {G::Document, W::CodePage, 1252}},
        {"mac", {G::Document, W::CodePage, 10000}},
        {"pc", {G::Document, W::CodePage, 437}},
        {"pca", {G::Document, W::CodePage, 850}},
        {"ansicpg", {G::Document, W::AnsiCodePage}},

        {"fonttbl", {G::Destination, W::FontTable}},
        {"colortbl", {G::Destination, W::ColorTable}},
        {"pict", {G::Destination, W::Picture}},
        {"field", {G::Destination, W::Field}},
        {"fldinst", {G::Destination, W::FieldInstruction}},
        {"fldrslt", {G::Destination, W::FieldResult}},
        {"upr", {G::Destination, W::UnicodePair}},
        {"ud", readAsText}, // outside \upr: just a group of text
        {"shppict", readAsText}, {"result", readAsText}, {"listtext", readAsText}, {"pntext", readAsText},
        {"shpinst", readAsText}, {"sp", readAsText},
        {"nesttableprops", readAsText}, // some writers put the cells' text in it
        {"shp", {G::Destination, W::Shape}},
        {"sn", {G::Destination, W::ShapePropertyName}},
        {"sv", {G::Destination, W::ShapePropertyValue}},
        {"shptxt", {G::Destination, W::ShapeText}},
        {"chftn", {G::Destination, W::FootnoteNumber}},

        {"stylesheet", skipped}, {"info", skipped}, {"header", skipped}, {"headerl", skipped},
        {"headerr", skipped}, {"headerf", skipped}, {"footer", skipped}, {"footerl", skipped},
        {"footerr", skipped}, {"footerf", skipped}, {"footnote", skipped}, {"nonshppict", skipped},
        {"shprslt", skipped}, {"listtable", skipped}, {"listoverridetable", skipped}, {"revtbl", skipped},
        {"rsidtbl", skipped}, {"objdata", skipped}, {"objclass", skipped}, {"objname", skipped},
        {"xe", skipped}, {"tc", skipped}, {"txe", skipped}, {"annotation", skipped}, {"atnid", skipped},
        {"atnauthor", skipped}, {"atndate", skipped}, {"atnref", skipped}, {"atrfstart", skipped},
        {"atrfend", skipped}, {"comment", skipped}, {"author", skipped}, {"operator", skipped},
        {"title", skipped}, {"subject", skipped}, {"keywords", skipped}, {"doccomm", skipped},
        {"bkmkstart", skipped}, {"bkmkend", skipped}, {"pn", skipped}, {"pgdsctbl", skipped},
        {"themedata", skipped}, {"colorschememapping", skipped}, {"latentstyles", skipped},
        {"datastore", skipped}, {"xmlnstbl", skipped}, {"filetbl", skipped}, {"generator", skipped},
        {"nonesttables", skipped}, {"private", skipped}, {"do", skipped}, {"template", skipped},
        {"docvar", skipped}, {"fchars", skipped}, {"lchars", skipped}, {"pnseclvl", skipped},
        {"listpicture", skipped}, {"mmathPr", skipped}, {"userprops", skipped}, {"wgrffmtfilter", skipped},
        {"passwordhash", skipped},
    };
    static const Keyword unknown;
    const auto found = words.constFind(name);
    return found == words.constEnd() ? unknown : *found;
}

// A control word as read, with what the reader knows of it.
struct ControlWord
{
    const Keyword &keyword;
    bool hasParameter;
    int parameter;

    WordGroup group() const { return keyword.group; }
    Word word() const { return keyword.word; }
    int value() const { return keyword.value; }
};

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
    bool handle(const ControlWord &w);
    bool pictureWord(const ControlWord &w);
    bool characterWord(const ControlWord &w);
    bool tableWord(const ControlWord &w);
    bool fontTableWord(const ControlWord &w);
    bool colorTableWord(const ControlWord &w);
    bool characterFormatWord(const ControlWord &w);
    bool paragraphWord(const ControlWord &w);
    bool documentWord(const ControlWord &w);
    bool destinationWord(const ControlWord &w);
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
    void noteContent(const Group &group);
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
    // The formats in force when the paragraph's last text, picture or
    // paragraph format came.
    struct
    {
        bool known = false;
        ParaProps para;
        CharProps chars;
    } m_lastContent;
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
            // A last paragraph that no \par ends keeps the formats it was
            // written with, also when they were set in a group closed since.
            if (m_wholeDocument) {
                if (m_lastContent.known)
                    applyBlockFormats(m_lastContent.para, m_lastContent.chars);
                else
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
        if (top().field >= 0 && m_fields[top().field].instruction.size() < maxFieldInstruction)
            m_fields[top().field].instruction += text;
        break;
    case Destination::ShapeName:
        if (m_shapeName.size() < maxShapeName)
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
    noteContent(top());
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
    m_lastContent.known = false;
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
    if (m_colors.size() < size_t(maxColors))
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
    noteContent(m_groups[m_groups.size() - 2]);
}

void Parser::noteContent(const Group &group)
{
    m_lastContent.known = true;
    m_lastContent.para = group.para;
    m_lastContent.chars = group.chars;
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
    const bool ignorable = std::exchange(m_ignorableNext, false);
    Group &g = top();

    // \bin counts in every destination: its data must never be read as RTF.
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

    const ControlWord w{keyword(word), hasParameter, parameter};
    // An unknown word after \* starts a destination we do not read.
    if (!handle(w) && ignorable)
        top().destination = Destination::Skip;
}

// Which handler takes the word depends on where it stands first, on what it
// is second. Returns whether the word meant something there.
bool Parser::handle(const ControlWord &w)
{
    const Destination destination = top().destination;
    if (destination == Destination::Picture)
        return w.group() == WordGroup::Picture && pictureWord(w);
    if (w.group() == WordGroup::Character)
        return characterWord(w);

    // Whatever follows changes state; text before it keeps the old state.
    flushBytes();
    m_pendingSkip = 0;

    if (w.group() == WordGroup::Table)
        return tableWord(w);
    if (destination == Destination::FontTable || destination == Destination::FontAlt)
        return fontTableWord(w);
    if (destination == Destination::ColorTable)
        return colorTableWord(w);
    switch (w.group()) {
    case WordGroup::CharacterFormat: return characterFormatWord(w);
    case WordGroup::ParagraphFormat: return paragraphWord(w);
    case WordGroup::Document: return documentWord(w);
    case WordGroup::Destination: return destinationWord(w);
    case WordGroup::Skipped:
        top().destination = Destination::Skip;
        return true;
    default: return false;
    }
}

bool Parser::pictureWord(const ControlWord &w)
{
    RtfPictures::Picture &pic = m_picture;
    const int p = w.parameter;
    switch (w.word()) {
    case Word::PictureKind: pic.kind = RtfPictures::Kind(w.value()); break;
    case Word::PictureWidth: pic.width = p; break;
    case Word::PictureHeight: pic.height = p; break;
    case Word::PictureGoalWidth: pic.goalWidth = p; break;
    case Word::PictureGoalHeight: pic.goalHeight = p; break;
    case Word::PictureScaleX: pic.scaleX = p; break;
    case Word::PictureScaleY: pic.scaleY = p; break;
    case Word::BitmapBitsPerPixel: pic.ddbBitsPerPixel = p; break;
    case Word::BitmapPlanes: pic.ddbPlanes = p; break;
    case Word::BitmapWidthBytes: pic.ddbWidthBytes = p; break;
    default: return false;
    }
    return true;
}

// Characters and paragraph ends: they are text, so they use up the \uc
// fallback as text would.
bool Parser::characterWord(const ControlWord &w)
{
    switch (w.word()) {
    case Word::Unicode:
        if (w.hasParameter)
            unicodeChar(w.parameter);
        return true;
    case Word::Paragraph:
        if (skipFallback())
            return true;
        flushBytes();
        if (top().destination == Destination::Text)
            endParagraph();
        return true;
    default:
        if (skipFallback())
            return true;
        flushBytes();
        emitText(QString(QChar(char16_t(w.value()))));
        return true;
    }
}

// Table cells and rows, pages and sections: the song keeps their text in
// paragraphs, a table's cells parted by tabs.
bool Parser::tableWord(const ControlWord &w)
{
    if (top().destination != Destination::Text)
        return true;
    switch (w.word()) {
    case Word::Page:
        endParagraph();
        m_block.pageBreak = true;
        m_block.known = false;
        break;
    case Word::Cell:
        // An empty cell still takes its tab.
        if (m_cellPending) {
            m_cellPending = false;
            emitDocumentText(u"\t");
        }
        flushRun();
        m_cellPending = true;
        break;
    default: // \sect, \row
        endParagraph();
        break;
    }
    return true;
}

bool Parser::fontTableWord(const ControlWord &w)
{
    switch (w.word()) {
    case Word::Font:
        if (m_fontEntryIndex >= 0)
            commitFont();
        m_fontEntryIndex = w.parameter;
        top().ownsFontEntry = true;
        return true;
    case Word::FontAlternative:
        startDestination(Destination::FontAlt);
        return true;
    case Word::FontCharset: {
        const int cp = RtfCodePages::codePageForCharset(w.parameter);
        if (cp > 0 && m_fontEntry.codePage == 0)
            m_fontEntry.codePage = cp;
        return true;
    }
    case Word::FontCodePage:
        if (w.parameter > 0)
            m_fontEntry.codePage = w.parameter;
        return true;
    default: return false;
    }
}

bool Parser::colorTableWord(const ControlWord &w)
{
    int *component = w.word() == Word::Red ? &m_red : w.word() == Word::Green ? &m_green
        : w.word() == Word::Blue ? &m_blue : nullptr;
    if (!component)
        return false;
    *component = std::clamp(w.parameter, 0, 255);
    m_colorSet = true;
    return true;
}

// Hidden text (\v) is not among these: the document has no hidden text, and
// dropping it would lose it when the song is saved again; it shows.
bool Parser::characterFormatWord(const ControlWord &w)
{
    CharProps &c = top().chars;
    const bool on = !w.hasParameter || w.parameter != 0;
    switch (w.word()) {
    case Word::Plain: {
        const int link = c.link;
        c = CharProps();
        c.link = link;
        break;
    }
    case Word::Bold: c.bold = on; break;
    case Word::Italic: c.italic = on; break;
    case Word::Underline: c.underline = on; break;
    case Word::UnderlineNone: c.underline = false; break;
    case Word::Strike: c.strike = on; break;
    case Word::Font: c.font = w.hasParameter ? w.parameter : -1; break;
    case Word::FontSize:
        c.halfPoints = w.hasParameter && w.parameter > 0 && w.parameter <= maxFontHalfPoints ? w.parameter : 0;
        break;
    case Word::Color: c.color = w.parameter; break;
    case Word::Background: c.background = w.parameter; break;
    case Word::Vertical: c.vertical = qint8(w.value()); break;
    default: return false;
    }
    return true;
}

bool Parser::paragraphWord(const ControlWord &w)
{
    ParaProps &p = top().para;
    const auto length = [&](int least) { return std::clamp(w.parameter, least, maxLengthTwips); };
    switch (w.word()) {
    case Word::ParagraphDefaults: p = ParaProps(); break;
    case Word::Alignment: p.alignment = Qt::Alignment(w.value()); break;
    case Word::LeftIndent: p.leftIndent = length(-maxLengthTwips); break;
    case Word::RightIndent: p.rightIndent = length(-maxLengthTwips); break;
    case Word::FirstIndent: p.firstIndent = length(-maxLengthTwips); break;
    case Word::SpaceBefore: p.spaceBefore = length(0); break;
    case Word::SpaceAfter: p.spaceAfter = length(0); break;
    default: return false;
    }
    if (top().destination == Destination::Text)
        noteContent(top());
    return true;
}

// The \uc count and the document's code page.
bool Parser::documentWord(const ControlWord &w)
{
    switch (w.word()) {
    case Word::UnicodeSkipCount: top().unicodeSkip = std::clamp(w.parameter, 0, maxUnicodeSkip); break;
    case Word::CodePage: m_documentCodePage = w.value(); break;
    case Word::AnsiCodePage:
        if (w.parameter > 0)
            m_documentCodePage = w.parameter;
        break;
    default: return false;
    }
    return true;
}

bool Parser::destinationWord(const ControlWord &w)
{
    Group &g = top();
    switch (w.word()) {
    case Word::FontTable:
        startDestination(Destination::FontTable);
        break;
    case Word::ColorTable:
        startDestination(Destination::ColorTable);
        m_colors.clear();
        m_colorSet = false;
        break;
    case Word::Picture:
        if (g.destination == Destination::Text) {
            flushRun();
            m_picture = RtfPictures::Picture();
            m_pictureNibble = -1;
            g.ownsPicture = true;
            g.destination = Destination::Picture;
        } else {
            g.destination = Destination::Skip;
        }
        break;
    case Word::Field:
        if (m_fields.size() < size_t(maxFields)) {
            m_fields.push_back(Field());
            g.field = int(m_fields.size()) - 1;
            g.ownsField = true;
        }
        break;
    case Word::FieldInstruction:
        g.destination = g.destination == Destination::Text && g.field >= 0 ? Destination::FieldInstruction
                                                                          : Destination::Skip;
        break;
    case Word::FieldResult:
        if (g.field >= 0 && g.destination == Destination::Text) {
            const QString target = hyperlinkTarget(m_fields[g.field].instruction);
            if (!target.isEmpty()) {
                if (m_links.size() < maxFields)
                    m_links.append(target);
                g.chars.link = int(m_links.size()) - 1;
            }
        }
        break;
    case Word::UnicodePair:
        g.uprOuter = g.destination;
        g.destination = Destination::UnicodeSkip;
        break;
    case Word::ReadAsText:
        break;
    case Word::Shape:
        m_shapeHasPicture = false;
        break;
    case Word::ShapePropertyName:
        m_shapeName.clear();
        startDestination(Destination::ShapeName);
        break;
    case Word::ShapePropertyValue:
        if (g.destination == Destination::Text && m_shapeName.trimmed() == QLatin1String("pib"))
            m_shapeHasPicture = true; // the shape's picture: its \pict shows
        else
            g.destination = Destination::ShapeValue;
        break;
    case Word::ShapeText:
        // A text box's text stays in the flow. A picture frame's text box
        // only repeats the picture for older readers.
        if (m_shapeHasPicture)
            g.destination = Destination::Skip;
        break;
    case Word::FootnoteNumber:
        // The automatic number of a footnote; the note itself is not shown.
        if (g.destination == Destination::Text)
            emitText(QString::number(++m_footnotes));
        break;
    default: return false;
    }
    return true;
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
