#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>

// The pictures of RTF's \pict groups: what the control words told about one,
// and how it turns into an image and a shown size.
namespace RtfPictures {

enum class Kind { Unknown, Png, Jpeg, Emf, Wmf, Dib, Ddb, MacPict, Os2Metafile };

struct Picture
{
    Kind kind = Kind::Unknown;
    int width = 0;        // \picw: pixels for bitmaps, 0.01 mm for metafiles
    int height = 0;       // \pich
    int goalWidth = 0;    // \picwgoal, twips
    int goalHeight = 0;   // \pichgoal, twips
    int scaleX = 100;     // \picscalex, percent
    int scaleY = 100;     // \picscaley, percent
    int ddbBitsPerPixel = 1; // \wbmbitspixel
    int ddbPlanes = 1;       // \wbmplanes
    int ddbWidthBytes = 0;   // \wbmwidthbytes
    QByteArray data;
};

struct Shown
{
    QImage image;      // never null: a placeholder when the data could not be read
    QSizeF size;       // in pixels at 96 dpi
    bool decoded = false;
};

// Decodes the picture's data and works out the size to show it at.
Shown decode(const Picture &picture);

// A bitmap inside a Windows metafile (StretchDIB, DIBStretchBlt, DIBBitBlt,
// SetDIBToDev records); the largest one when there are several.
QImage imageFromWmf(const QByteArray &wmf);

// A bitmap inside an enhanced metafile (StretchDIBits records).
QImage imageFromEmf(const QByteArray &emf);

// A packed device-independent bitmap: BITMAPINFO followed by the bits.
QImage imageFromDib(QByteArrayView dib);

// The picture shown in place of one that could not be read.
QImage placeholder();

} // namespace RtfPictures
