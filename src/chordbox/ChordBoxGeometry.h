#pragma once

#include <QRgb>

// The fretboard of a ChordBox: six strings left to right, five fret spaces
// top to bottom. The editing board shows it five times magnified; the
// ChordBox picture is the small version that is saved and put into songs.
namespace ChordBoxGeometry {

constexpr int stringCount = 6;
constexpr int fretSpaceCount = 5;

// The editing board, in pixels.
constexpr int boardSize = 150;
constexpr int boardMagnification = 5;
// Distance between neighbouring strings and between neighbouring frets.
constexpr int boardCellPitch = 25;
// Centre of the cell of string 1, fret space 1; the others follow at the pitch.
constexpr int firstCellCentreX = 13;
constexpr int firstCellCentreY = 15;
// A cell reaches this far right of its centre, and this far below it.
constexpr int snapReachX = 10;
constexpr int snapReachY = 11;
// Dots on the board are discs of this radius.
constexpr int dotRadius = 7;

// The board's background picture before magnification: strings and frets as
// one-pixel lines, with a white margin.
constexpr int backgroundSize = 30;
constexpr int backgroundFirstString = 2;
constexpr int backgroundLinePitch = 5;
// The strings run from the top line down to and including the last fret.
constexpr int backgroundLineLength = 26;

// The ChordBox picture, in pixels.
constexpr int imageWidth = 40;
constexpr int imageHeight = 48;
// The grid is centred on the picture and lowered by a few rows to leave
// room for the top-fret text.
constexpr int gridSpan = 32;
constexpr int gridLowering = 3;
// Inside the grid's frame the first string lies this far right of the origin.
constexpr int gridFirstStringOffset = 3;
constexpr int gridLinePitch = 5;
constexpr int gridLineLength = 26;
// A dot or a bar segment on the picture is a block this big, starting one
// pixel left of its string and one row above the middle of its fret space.
constexpr int blockWidth = 3;
constexpr int blockHeight = 2;
// The chord name's text cell starts on the row of the last fret line.
constexpr int nameTop = 36;
constexpr int topTextTop = 0;
// Shorter texts move left as they grow, to stay roughly centred: the name
// by two pixels a character, the top text by 1.9 (given in tenths).
constexpr int shortTextBaseLeft = 17;
constexpr int nameStep = 2;
constexpr int topTextStepTenths = 19;
// Texts of this length or longer start at the fixed left positions below.
constexpr int longTextLength = 9;
constexpr int longNameLeft = 0;
constexpr int longTopTextLeft = 1;

constexpr QRgb white = 0xffffffff;
constexpr QRgb black = 0xff000000;
// The pointer's cell on the board; never part of a saved picture.
constexpr QRgb hoverColour = 0xff808080;
constexpr int hoverRadius = 10;
constexpr int hoverRingWidth = 2;

// Centres of the cells, in board pixels; column c and row r count from 1.
constexpr int cellCentreX(int column)
{
    return firstCellCentreX + boardCellPitch * (column - 1);
}

constexpr int cellCentreY(int row)
{
    return firstCellCentreY + boardCellPitch * (row - 1);
}

} // namespace ChordBoxGeometry
