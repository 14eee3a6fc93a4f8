#include "document/DocumentImages.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <QVariant>

namespace DocumentImages {

namespace {

const char *const namePrefix = "songloom-image:";
const char *const counterProperty = "songloomImageCounter";

QString freshName(QTextDocument *document)
{
    // The counter lives on the document so names never repeat within it,
    // even after pictures were deleted and others added.
    for (;;) {
        const int next = document->property(counterProperty).toInt() + 1;
        document->setProperty(counterProperty, next);
        const QString name = QLatin1String(namePrefix) + QString::number(next);
        if (document->resource(QTextDocument::ImageResource, QUrl(name)).isNull())
            return name;
    }
}

} // namespace

QTextImageFormat addImage(QTextDocument *document, const QImage &image, QSizeF size)
{
    const QString name = freshName(document);
    document->addResource(QTextDocument::ImageResource, QUrl(name), image);
    if (size.isEmpty())
        size = image.size();
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(size.width());
    format.setHeight(size.height());
    return format;
}

void insertImage(QTextCursor &cursor, const QImage &image, QSizeF size)
{
    cursor.insertImage(addImage(cursor.document(), image, size));
}

QImage imageFor(const QTextDocument *document, const QTextImageFormat &format)
{
    const QVariant resource = document->resource(QTextDocument::ImageResource, QUrl(format.name()));
    if (resource.canConvert<QImage>())
        return resource.value<QImage>();
    return {};
}

QSizeF shownSize(const QTextDocument *document, const QTextImageFormat &format)
{
    QSizeF size(format.width(), format.height());
    const QSizeF own = imageFor(document, format).size();
    if (size.width() <= 0)
        size.setWidth(own.width());
    if (size.height() <= 0)
        size.setHeight(own.height());
    return size;
}

} // namespace DocumentImages
