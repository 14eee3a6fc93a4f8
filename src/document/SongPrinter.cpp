#include "document/SongPrinter.h"

#include "document/DocumentImages.h"

#include <QAbstractTextDocumentLayout>
#include <QHash>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextImageFormat>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace {

// The screen's pixels, in which the song's pictures and paragraph spacing
// are given.
constexpr double pictureDpi = 96;
// Enough for crisp pictures without huge ones on fine printers.
constexpr int largestPictureScale = 16;

// Draws the song's pictures on paper at their size on the screen, each of
// their pixels a whole number of the device's pixels, without smoothing: a
// chord diagram's thin lines and dots stay sharp on paper and in a PDF.
class PrintedPictures final : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    using QObject::QObject;

    QSizeF intrinsicSize(QTextDocument *document, int, const QTextFormat &format) override
    {
        const QSizeF shown = DocumentImages::shownSize(document, format.toImageFormat());
        return shown * scale(document);
    }

    void drawObject(QPainter *painter, const QRectF &rect, QTextDocument *document, int,
                    const QTextFormat &format) override
    {
        const QTextImageFormat imageFormat = format.toImageFormat();
        const QImage image = DocumentImages::imageFor(document, imageFormat);
        if (image.isNull())
            return;
        const QSize size = rect.size().toSize();
        const QString key = imageFormat.name() + QLatin1Char('@') + QString::number(size.width())
                            + QLatin1Char('x') + QString::number(size.height());
        auto it = m_scaled.constFind(key);
        if (it == m_scaled.constEnd())
            it = m_scaled.insert(key, image.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
        painter->save();
        painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter->drawImage(rect.topLeft(), *it);
        painter->restore();
    }

private:
    // Whole device pixels for each picture pixel.
    static int scale(const QTextDocument *document)
    {
        const QPaintDevice *device = document->documentLayout()->paintDevice();
        if (!device)
            return 1;
        return std::clamp(int(std::lround(device->logicalDpiX() / pictureDpi)), 1, largestPictureScale);
    }

    QHash<QString, QImage> m_scaled;
};

// Paragraph indents and spacing are kept in screen pixels; on a device with
// finer dots they would shrink to nothing. Scaled here, a printed page
// keeps the song's shape.
void scaleParagraphSpacing(QTextDocument &document, double factor)
{
    document.setIndentWidth(document.indentWidth() * factor);
    QTextCursor cursor(&document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        format.setLeftMargin(format.leftMargin() * factor);
        format.setRightMargin(format.rightMargin() * factor);
        format.setTopMargin(format.topMargin() * factor);
        format.setBottomMargin(format.bottomMargin() * factor);
        format.setTextIndent(format.textIndent() * factor);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(format);
    }
}

} // namespace

namespace SongPrinter {

bool print(const QTextDocument &document, QPagedPaintDevice *device)
{
    if (!device)
        return false;
    // A copy that finds its pictures in the song, drawn the printer's way.
    std::unique_ptr<QTextDocument> copy(document.clone(const_cast<QTextDocument *>(&document)));
    scaleParagraphSpacing(*copy, device->logicalDpiX() / pictureDpi);
    PrintedPictures pictures;
    copy->documentLayout()->registerHandler(QTextFormat::ImageObject, &pictures);
    copy->print(device);
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

#include "SongPrinter.moc"
