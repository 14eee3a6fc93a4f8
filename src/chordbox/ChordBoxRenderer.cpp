#include "chordbox/ChordBoxRenderer.h"

#include "chordbox/ChordBox.h"
#include "chordbox/ChordBoxFont.h"
#include "chordbox/ChordBoxGeometry.h"

using namespace ChordBoxGeometry;

namespace {

// Rounds a fraction to the nearest whole number, halves to the even one.
int roundHalfEven(int numerator, int denominator)
{
    int quotient = numerator / denominator;
    int remainder = numerator % denominator;
    if (remainder < 0) {
        remainder += denominator;
        --quotient;
    }
    const int twice = 2 * remainder;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

// A line covers its start and stops short of its end point.
void horizontalLine(QImage &image, int x1, int x2, int y)
{
    for (int x = x1; x < x2; ++x) {
        if (image.rect().contains(x, y))
            image.setPixel(x, y, black);
    }
}

void verticalLine(QImage &image, int x, int y1, int y2)
{
    for (int y = y1; y < y2; ++y) {
        if (image.rect().contains(x, y))
            image.setPixel(x, y, black);
    }
}

// A dot or bar segment: a block whose left column and top row come from the
// cell's centre scaled down, so it sits centred on its string in the middle
// of its fret space.
void drawBlock(QImage &image, int left, int top)
{
    for (int row = 0; row < blockHeight; ++row)
        horizontalLine(image, left, left + blockWidth, top + row);
}

int toImage(float boardCoordinate)
{
    return int(boardCoordinate / boardMagnification);
}

} // namespace

namespace ChordBoxRenderer {

QPoint drawingOrigin(QSize imageSize)
{
    return {roundHalfEven(imageSize.width() - gridSpan, 2),
            roundHalfEven(imageSize.height() - gridSpan + 2 * gridLowering, 2)};
}

int nameLeft(qsizetype length)
{
    return length < longTextLength ? shortTextBaseLeft - nameStep * int(length) : longNameLeft;
}

int topTextLeft(qsizetype length)
{
    // Reckoned in tenths of a pixel so the rounding is exact.
    return length < longTextLength
               ? roundHalfEven(10 * shortTextBaseLeft - topTextStepTenths * int(length), 10)
               : longTopTextLeft;
}

QImage DrawChordBox(const ChordBox &chord, const QString &name, const QString &topText)
{
    QImage image(imageWidth, imageHeight, QImage::Format_RGB32);
    image.fill(white);
    const QPoint origin = drawingOrigin(image.size());
    DrawGrid(image, origin);
    DrawBar(image, origin, chord);
    drawDots(image, origin, chord);
    if (!name.isEmpty())
        ChordBoxFont::print(image, {nameLeft(name.size()), nameTop}, name);
    if (!topText.isEmpty())
        ChordBoxFont::print(image, {topTextLeft(topText.size()), topTextTop}, topText);
    return image;
}

void DrawGrid(QImage &image, QPoint origin)
{
    const int left = origin.x() + gridFirstStringOffset;
    for (int k = 0; k <= fretSpaceCount; ++k) {
        const int y = origin.y() + gridLinePitch * k;
        horizontalLine(image, left, left + gridLineLength, y);
    }
    for (int k = 0; k < stringCount; ++k) {
        const int x = left + gridLinePitch * k;
        verticalLine(image, x, origin.y(), origin.y() + gridLineLength);
    }
}

void DrawBar(QImage &image, QPoint origin, const ChordBox &chord)
{
    if (chord.mlngBarY < 1)
        return;
    const int rowInGrid = chord.mlngBarY / boardMagnification;
    for (int string = 1; string <= stringCount; ++string) {
        const int left = origin.x() + toImage(float(cellCentreX(string)));
        drawBlock(image, left, origin.y() + rowInGrid - 1);
    }
}

void drawDots(QImage &image, QPoint origin, const ChordBox &chord)
{
    for (int i = 0; i < chord.dotCount(); ++i) {
        const int left = origin.x() + toImage(chord.mcolDotX.at(i));
        const int top = origin.y() + toImage(chord.mcolDotY.at(i)) - 1;
        drawBlock(image, left, top);
    }
}

QImage boardBackground()
{
    QImage background(backgroundSize, backgroundSize, QImage::Format_RGB32);
    background.fill(white);
    const int first = backgroundFirstString;
    for (int k = 0; k < stringCount; ++k) {
        const int line = first + backgroundLinePitch * k;
        verticalLine(background, line, 0, backgroundLineLength);
    }
    for (int k = 0; k <= fretSpaceCount; ++k) {
        const int line = backgroundLinePitch * k;
        horizontalLine(background, first, first + backgroundLineLength, line);
    }
    return background;
}

QImage boardImage(const ChordBox &chord)
{
    QImage board = enlarged(boardBackground(), boardMagnification);
    for (int i = 0; i < chord.dotCount(); ++i) {
        const QPoint centre(int(chord.mcolDotX.at(i)), int(chord.mcolDotY.at(i)));
        fillDisc(board, centre, dotRadius, black);
    }
    if (chord.hasBar()) {
        for (int string = 1; string <= stringCount; ++string)
            fillDisc(board, {cellCentreX(string), chord.mlngBarY}, dotRadius, black);
    }
    return board;
}

void fillDisc(QImage &image, QPoint centre, int radius, QRgb colour)
{
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint pixel = centre + QPoint(dx, dy);
            if (dx * dx + dy * dy <= radius * radius && image.rect().contains(pixel))
                image.setPixel(pixel, colour);
        }
    }
}

QImage enlarged(const QImage &image, int factor)
{
    const QImage source = image.convertToFormat(QImage::Format_RGB32);
    QImage result(source.width() * factor, source.height() * factor, QImage::Format_RGB32);
    for (int y = 0; y < result.height(); ++y) {
        for (int x = 0; x < result.width(); ++x)
            result.setPixel(x, y, source.pixel(x / factor, y / factor));
    }
    return result;
}

} // namespace ChordBoxRenderer
