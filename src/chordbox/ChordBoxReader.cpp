#include "chordbox/ChordBoxReader.h"

#include "chordbox/ChordBoxFont.h"
#include "chordbox/ChordBoxGeometry.h"
#include "chordbox/ChordBoxRenderer.h"

#include <QColor>
#include <QImageReader>
#include <QSet>

#include <algorithm>
#include <optional>
#include <string>

using namespace ChordBoxGeometry;

namespace {

// A blank takes its own columns and the spacing after them.
constexpr int blankAdvance = ChordBoxFont::spaceWidth + ChordBoxFont::glyphSpacing;
// More blanks than this around a text cannot change where it is drawn.
constexpr int mostHiddenBlanks = 2 * imageWidth;

bool isBlack(const QImage &picture, int x, int y)
{
    return picture.pixel(x, y) == black;
}

struct Glyph
{
    char32_t code;
    int width;
    // The glyph drawn at the top left of a text cell of its width.
    QImage cell;
};

// One glyph for each look the font has, widest first so that a glyph is not
// taken for narrower ones it happens to contain (a double quote for two
// apostrophes); characters that look alike read as the first of them.
const QList<Glyph> &distinctGlyphs()
{
    static const QList<Glyph> glyphs = [] {
        QList<char32_t> codes = ChordBoxFont::glyphCharacters();
        codes.append(ChordBoxFont::unknownCharacter);
        QList<Glyph> list;
        for (char32_t code : codes) {
            const int width = ChordBoxFont::characterWidth(code);
            QImage cell(width, ChordBoxFont::cellHeight, QImage::Format_RGB32);
            cell.fill(white);
            ChordBoxFont::print(cell, {0, 0}, QString::fromUcs4(&code, 1));
            const bool seen = std::any_of(list.cbegin(), list.cend(), [&](const Glyph &g) { return g.cell == cell; });
            if (!seen)
                list.append({code, width, cell});
        }
        std::stable_sort(list.begin(), list.end(), [](const Glyph &a, const Glyph &b) { return a.width > b.width; });
        return list;
    }();
    return glyphs;
}

// Reads one line of text, the chord name or the top-fret text, from the
// rows of its cell. A text of n characters starts at left(n); its first
// glyph, which always has ink in its first column, stands after the leading
// blanks.
class TextLineReader
{
public:
    TextLineReader(const QImage &picture, int cellTop, int (*left)(qsizetype))
        : m_picture(picture), m_cellTop(cellTop), m_left(left)
    {
    }

    // The text, or nothing when the marks are not a text of the font.
    std::optional<QString> read()
    {
        m_start = firstInkFrom(0);
        if (m_start < 0)
            return QString();
        std::u32string characters;
        if (!search(m_start, characters))
            return std::nullopt;
        const auto [leading, trailing] = *hiddenBlanks(qsizetype(characters.size()));
        return QString(leading, QLatin1Char(' ')) + QString::fromStdU32String(characters)
               + QString(trailing, QLatin1Char(' '));
    }

    // The column from which nothing could be read.
    int stuckAt() const { return m_stuckAt; }

private:
    bool inkInColumn(int x) const
    {
        for (int row = ChordBoxFont::leadingRows; row < ChordBoxFont::cellHeight; ++row) {
            if (m_cellTop + row < m_picture.height() && isBlack(m_picture, x, m_cellTop + row))
                return true;
        }
        return false;
    }

    int firstInkFrom(int x) const
    {
        for (; x < m_picture.width(); ++x) {
            if (inkInColumn(x))
                return x;
        }
        return -1;
    }

    bool blankColumns(int from, int count) const
    {
        for (int x = from; x < from + count && x < m_picture.width(); ++x) {
            if (inkInColumn(x))
                return false;
        }
        return true;
    }

    // The glyph lies at the pen with a blank column after it; columns
    // beyond the picture's edge are cut off and match anything.
    bool fits(const Glyph &glyph, int pen) const
    {
        for (int column = 0; column < glyph.width && pen + column < m_picture.width(); ++column) {
            for (int row = ChordBoxFont::leadingRows; row < ChordBoxFont::cellHeight; ++row) {
                const int y = m_cellTop + row;
                if (y < m_picture.height() && m_picture.pixel(pen + column, y) != glyph.cell.pixel(column, row))
                    return false;
            }
        }
        return blankColumns(pen + glyph.width, ChordBoxFont::glyphSpacing);
    }

    // Characters from the pen to the end of the marks, trying every glyph
    // that fits, until the whole line is read and some count of hidden
    // blanks puts it where it was found.
    bool search(int pen, std::u32string &characters)
    {
        if (pen >= m_picture.width() || firstInkFrom(pen) < 0)
            return hiddenBlanks(qsizetype(characters.size())).has_value();
        const QPair<int, qsizetype> state(pen, qsizetype(characters.size()));
        if (m_failed.contains(state))
            return false;
        bool anyFits = false;
        for (const Glyph &glyph : distinctGlyphs()) {
            if (!fits(glyph, pen))
                continue;
            anyFits = true;
            characters.push_back(glyph.code);
            if (search(pen + glyph.width + ChordBoxFont::glyphSpacing, characters))
                return true;
            characters.pop_back();
        }
        if (blankColumns(pen, blankAdvance)) {
            anyFits = true;
            characters.push_back(U' ');
            if (search(pen + blankAdvance, characters))
                return true;
            characters.pop_back();
        }
        if (!anyFits)
            m_stuckAt = std::max(m_stuckAt, pen);
        m_failed.insert(state);
        return false;
    }

    // Blanks before and after the characters, fewest first, so that the
    // first character is drawn where the marks start.
    std::optional<QPair<int, int>> hiddenBlanks(qsizetype count) const
    {
        for (int total = 0; total <= mostHiddenBlanks; ++total) {
            for (int leading = 0; leading <= total; ++leading) {
                if (m_left(count + total) + blankAdvance * leading == m_start)
                    return QPair<int, int>(leading, total - leading);
            }
        }
        return std::nullopt;
    }

    const QImage &m_picture;
    const int m_cellTop;
    int (*const m_left)(qsizetype);
    int m_start = -1;
    int m_stuckAt = 0;
    QSet<QPair<int, qsizetype>> m_failed;
};

// Whether the cell of a string and fret space shows a block: the pixels on
// either side of the string line are black.
bool hasBlock(const QImage &picture, QPoint origin, int string, int fretSpace)
{
    const int left = origin.x() + cellCentreX(string) / boardMagnification;
    const int top = origin.y() + cellCentreY(fretSpace) / boardMagnification - 1;
    for (int row = top; row < top + blockHeight; ++row) {
        if (!isBlack(picture, left, row) || !isBlack(picture, left + blockWidth - 1, row))
            return false;
    }
    return true;
}

} // namespace

bool ChordBoxReader::fail(const QString &why)
{
    m_chord = ChordBox();
    m_name.clear();
    m_topText.clear();
    m_errorString = why;
    return false;
}

bool ChordBoxReader::readFile(const QString &path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QImage picture = reader.read();
    if (picture.isNull())
        return fail(QStringLiteral("the file cannot be read as a picture: %1").arg(reader.errorString()));
    return read(picture);
}

bool ChordBoxReader::read(const QImage &image)
{
    if (image.width() != imageWidth || image.height() != imageHeight)
        return fail(QStringLiteral("the picture is %1 x %2 pixels; a ChordBox is %3 x %4")
                        .arg(image.width())
                        .arg(image.height())
                        .arg(imageWidth)
                        .arg(imageHeight));
    const QImage picture = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) != black && picture.pixel(x, y) != white)
                return fail(QStringLiteral("the picture is not black and white: pixel (%1, %2) has the colour %3")
                                .arg(x)
                                .arg(y)
                                .arg(QColor(picture.pixel(x, y)).name()));
        }
    }

    ChordBox chord;
    const QPoint origin = ChordBoxRenderer::drawingOrigin(picture.size());
    for (int fretSpace = 1; fretSpace <= fretSpaceCount && !chord.hasBar(); ++fretSpace) {
        bool wholeRow = true;
        for (int string = 1; string <= stringCount; ++string)
            wholeRow = wholeRow && hasBlock(picture, origin, string, fretSpace);
        if (wholeRow)
            chord.setBar(fretSpace);
    }
    const int barSpace = chord.barFretSpace();
    for (int string = 1; string <= stringCount; ++string) {
        for (int fretSpace = 1; fretSpace <= fretSpaceCount; ++fretSpace) {
            if (fretSpace != barSpace && hasBlock(picture, origin, string, fretSpace))
                chord.setDot(string, fretSpace);
        }
    }

    TextLineReader nameLine(picture, nameTop, &ChordBoxRenderer::nameLeft);
    const std::optional<QString> name = nameLine.read();
    if (!name)
        return fail(QStringLiteral("the chord name cannot be read: the marks from column %1 on are no "
                                   "characters of the ChordBox font")
                        .arg(nameLine.stuckAt()));
    TextLineReader topLine(picture, topTextTop, &ChordBoxRenderer::topTextLeft);
    const std::optional<QString> topText = topLine.read();
    if (!topText)
        return fail(QStringLiteral("the top-fret text cannot be read: the marks from column %1 on are no "
                                   "characters of the ChordBox font")
                        .arg(topLine.stuckAt()));

    // Whatever was not read (a mark between the grid lines, a grid line
    // missing) shows when the chord is drawn again.
    const QImage redrawn = ChordBoxRenderer::DrawChordBox(chord, *name, *topText);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (redrawn.pixel(x, y) != picture.pixel(x, y))
                return fail(QStringLiteral("the picture is not a ChordBox drawn by Songloom: pixel (%1, %2) "
                                           "should be %3")
                                .arg(x)
                                .arg(y)
                                .arg(redrawn.pixel(x, y) == black ? QStringLiteral("black")
                                                                  : QStringLiteral("white")));
        }
    }
    m_chord = chord;
    m_name = *name;
    m_topText = *topText;
    m_errorString.clear();
    return true;
}
