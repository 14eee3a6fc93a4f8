#pragma once

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

} // namespace Twips
