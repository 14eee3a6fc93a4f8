#include "library/ChordThumbnails.h"

#include <QFile>
#include <QImageReader>

namespace ChordThumbnails {

namespace {

QSize fittedSize(const QSize &size)
{
    if (size.width() <= chordPictureSize.width() && size.height() <= chordPictureSize.height())
        return size;
    return size.scaled(chordPictureSize, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

bool onlyBlackAndWhite(const QImage &image)
{
    const QImage pixels = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < pixels.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            const QRgb rgb = line[x] | 0xff000000u;
            if (rgb != 0xff000000u && rgb != 0xffffffffu)
                return false;
        }
    }
    return true;
}

} // namespace

Thumbnail read(const QString &path)
{
    Thumbnail result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.reason = file.errorString();
        return result;
    }
    // Chord files have no extension: the reader looks at the content.
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    const QSize size = reader.size();
    if (size.isValid() && size != chordPictureSize && reader.supportsOption(QImageIOHandler::ScaledSize))
        reader.setScaledSize(fittedSize(size));
    QImage image = reader.read();
    if (image.isNull()) {
        result.outcome = Thumbnail::Outcome::NotAPicture;
        result.reason = QStringLiteral("not a picture");
        return result;
    }
    result.outcome = Thumbnail::Outcome::Picture;
    result.image = compact(fitted(image));
    return result;
}

QImage readPicture(const QString &path, QString *reason)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (reason)
            *reason = file.errorString();
        return {};
    }
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    if (image.isNull() && reason)
        *reason = QStringLiteral("not a picture");
    return image;
}

QImage fitted(const QImage &image)
{
    const QSize size = fittedSize(image.size());
    if (size == image.size())
        return image;
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage compact(const QImage &image)
{
    if (image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (onlyBlackAndWhite(image))
        return image.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither);
    if (image.allGray())
        return image.convertToFormat(QImage::Format_Grayscale8);
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace ChordThumbnails
