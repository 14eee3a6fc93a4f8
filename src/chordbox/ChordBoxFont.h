#pragma once

#include <QList>
#include <QPoint>
#include <QString>

class QImage;

// The small bitmap font of the ChordBox picture's texts. It is part of the
// program, not taken from the machine's fonts, so a chord drawn anywhere
// comes out the same pixel for pixel.
//
// A text cell is cellHeight rows high: two rows of leading, capitals five
// rows high resting on the baseline, and two rows for descenders. Glyphs
// are proportional and followed by one blank column.
namespace ChordBoxFont {

constexpr int cellHeight = 9;
// Rows above the capitals in a text cell; glyphs are drawn from this row on.
constexpr int leadingRows = 2;
// Glyph rows at most, descenders included.
constexpr int glyphRows = 7;
// The blank column after every glyph, and the advance of a blank.
constexpr int glyphSpacing = 1;
constexpr int spaceWidth = 2;
// Drawn as the box the font shows for characters it has no glyph for.
constexpr char32_t unknownCharacter = U'\uFFFD';

// The characters that have a glyph of their own, in the font's order.
QList<char32_t> glyphCharacters();

// The columns a character's glyph covers (a blank's for white space),
// without the blank column that follows it.
int characterWidth(char32_t code);

// Draws the text in black with the top left of its cell at the position.
// Nothing is filled behind the glyphs; pixels outside the image are cut off.
void print(QImage &image, QPoint cellTopLeft, const QString &text);

} // namespace ChordBoxFont
