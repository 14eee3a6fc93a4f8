#pragma once

#include <QByteArray>
#include <QImage>

// A minimal Windows metafile that draws one bitmap: the fallback picture
// that older RTF readers (WordPad before Windows 7, early RichEdit) show when
// they cannot take PNG. It holds a window origin and extent and a single
// StretchDIB record carrying the picture as a device-independent bitmap.
namespace WindowsMetafile {

// The metafile for the image, without the placeable header (RTF's
// \wmetafile data starts at the metafile header itself). Transparent parts
// are laid on white. The bitmap uses the fewest bits per pixel that hold
// every colour of the image (1, 4, 8 or 24). Returns an empty array for an
// image a metafile cannot describe (null, or a side over 32767 pixels).
QByteArray fromImage(const QImage &image);

// The device-independent bitmap (BITMAPINFOHEADER, colour table, bottom-up
// rows) of the image, as stored in the StretchDIB record.
QByteArray deviceIndependentBitmap(const QImage &image);

} // namespace WindowsMetafile
