#pragma once

#include <QRect>
#include <QtGlobal>

// Window and dialog geometry is kept in twips (1/1440 inch), as stored sizes
// are; 15 twips make one pixel at 96 dots per inch.
namespace Twips {

constexpr int perPixel = 15;

constexpr int toPixels(qint64 twips)
{
    return int(twips / perPixel);
}

constexpr qint64 fromPixels(int pixels)
{
    return qint64(pixels) * perPixel;
}

// Fractional conversions, for document geometry (indents, picture sizes).
constexpr double toPixelsExact(double twips)
{
    return twips / perPixel;
}

constexpr double fromPixelsExact(double pixels)
{
    return pixels * perPixel;
}

// A control's place in a dialog, in twips.
struct Rect
{
    int left, top, width, height;

    constexpr QRect pixels() const
    {
        return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
    }
};

} // namespace Twips
