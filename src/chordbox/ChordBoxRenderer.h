#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

class ChordBox;

// Draws a ChordBox twice: large on the editing board, and small as the
// 40 x 48 ChordBox picture that is saved as the chord file. Everything is
// set pixel by pixel, with no antialiasing and no machine fonts.
namespace ChordBoxRenderer {

// The grid's origin on a picture of the given size: the grid centred, and
// lowered to leave room for the top-fret text. (4, 11) on the 40 x 48 picture.
QPoint drawingOrigin(QSize imageSize);

// Left edge of the chord name's and of the top text's cell for a text of
// that many characters.
int nameLeft(qsizetype length);
int topTextLeft(qsizetype length);

// The ChordBox picture: grid, bar, dots, the chord name below and the
// top-fret label or other text above, each text exactly as typed.
QImage DrawChordBox(const ChordBox &chord, const QString &name, const QString &topText);

// The parts of the picture, drawn onto an existing image at the origin.
void DrawGrid(QImage &image, QPoint origin);
void DrawBar(QImage &image, QPoint origin, const ChordBox &chord);
void drawDots(QImage &image, QPoint origin, const ChordBox &chord);

// The board's background: strings and frets as one-pixel lines, 30 x 30.
QImage boardBackground();

// The editing board, 150 x 150: the background magnified five times, a
// disc for every dot, and six discs in a row for the bar.
QImage boardImage(const ChordBox &chord);

// A filled disc of the dot radius; a pixel belongs to it when its distance
// from the centre is at most the radius.
void fillDisc(QImage &image, QPoint centre, int radius, QRgb colour);

// The picture enlarged by whole pixels, each becoming a square block.
QImage enlarged(const QImage &image, int factor);

} // namespace ChordBoxRenderer
