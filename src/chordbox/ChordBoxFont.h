#pragma once

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

// Draws the text in black with the top left of its cell at the position.
// Nothing is filled behind the glyphs; pixels outside the image are cut off.
void print(QImage &image, QPoint cellTopLeft, const QString &text);

} // namespace ChordBoxFont
