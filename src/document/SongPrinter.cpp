#include "document/SongPrinter.h"

#include "document/DocumentImages.h"

#include <QPagedPaintDevice>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextImageFormat>
#include <QUrl>

namespace SongPrinter {

bool print(const QTextDocument &document, QPagedPaintDevice *device)
{
    if (!device)
        return false;
    document.print(device);
    return true;
}

bool printSelection(const QTextCursor &cursor, QPagedPaintDevice *device)
{
    if (!cursor.document())
        return false;
    if (!cursor.hasSelection())
        return print(*cursor.document(), device);
    return print(*selectedDocument(cursor), device);
}

std::unique_ptr<QTextDocument> selectedDocument(const QTextCursor &selection)
{
    auto copy = std::make_unique<QTextDocument>();
    const QTextDocument *source = selection.document();
    if (!source)
        return copy;
    copy->setDefaultFont(source->defaultFont());
    copy->setIndentWidth(source->indentWidth());
    QTextCursor(copy.get()).insertFragment(selection.selection());

    // A fragment carries the formats that name the pictures, not the
    // pictures themselves: bring them over from the source.
    for (QTextBlock block = copy->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QTextImageFormat image = format.toImageFormat();
            const QImage picture = DocumentImages::imageFor(source, image);
            if (!picture.isNull())
                copy->addResource(QTextDocument::ImageResource, QUrl(image.name()), picture);
        }
    }
    return copy;
}

} // namespace SongPrinter
