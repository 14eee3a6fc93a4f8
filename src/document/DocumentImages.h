#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>

class QTextCursor;
class QTextDocument;
class QTextImageFormat;

// Pictures in a song live as image resources of the QTextDocument, each
// under its own name, placed by a QTextImageFormat whose width and height are
// the shown size in pixels (at 96 dots per inch, 15 twips a pixel).
namespace DocumentImages {

// Adds the image to the document under a fresh name and returns the format
// that places it at the given size (the image's own size when empty).
QTextImageFormat addImage(QTextDocument *document, const QImage &image, QSizeF shownSize = QSizeF());

// Inserts the image at the cursor.
void insertImage(QTextCursor &cursor, const QImage &image, QSizeF shownSize = QSizeF());

// The picture a format places; a null image when the document has none.
QImage imageFor(const QTextDocument *document, const QTextImageFormat &format);

// The size a format shows its picture at, falling back to the picture's own.
QSizeF shownSize(const QTextDocument *document, const QTextImageFormat &format);

} // namespace DocumentImages
