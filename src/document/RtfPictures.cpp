#include "document/RtfPictures.h"

#include "base/Twips.h"
#include "document/PictureCache.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>

#include <algorithm>

namespace RtfPictures {

namespace {

constexpr double hundredthsMmPerInch = 2540.0;
constexpr double pixelsPerInch = 96.0;
constexpr double largestSide = 16384.0;   // pixels; larger sizes are corrupt data
constexpr double fallbackSide = 32.0;     // pixels, for a picture that gives no size
constexpr int largestImageBytes = 256 * 1024 * 1024;

quint16 word16(QByteArrayView data, qsizetype at)
{
    return qFromLittleEndian<quint16>(data.data() + at);
}

quint32 word32(QByteArrayView data, qsizetype at)
{
    return qFromLittleEndian<quint32>(data.data() + at);
}

QImage readWith(QBuffer &buffer, const QByteArray &format)
{
    buffer.seek(0);
    QImageReader reader(&buffer, format);
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() * 4 > largestImageBytes)
        return {};
    return reader.read();
}

// Reads the picture in the format it claims (none: whatever it looks like),
// and, since writers do mislabel pictures, in the format its bytes show.
// Only the bitmap formats RTF writers embed are tried: data from a file is
// never handed to every image plugin there is.
QImage readImage(QByteArrayView data, const char *claimed)
{
    QByteArray bytes = QByteArray::fromRawData(data.data(), data.size());
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    if (claimed) {
        const QImage image = readWith(buffer, claimed);
        if (!image.isNull())
            return image;
    }
    buffer.seek(0);
    const QByteArray seen = QImageReader::imageFormat(&buffer).toLower();
    static const QByteArrayList accepted = {"png", "jpeg", "jpg", "bmp", "gif"};
    if (seen.isEmpty() || !accepted.contains(seen) || (claimed && seen == QByteArray(claimed).toLower()))
        return {};
    return readWith(buffer, seen);
}

// A Windows device-dependent bitmap: rows of raw pixels with no palette.
QImage imageFromDdb(const Picture &picture)
{
    const int w = picture.width;
    const int h = picture.height;
    if (picture.ddbPlanes > 1)
        return {}; // planar bitmaps died with EGA cards
    const int bits = picture.ddbBitsPerPixel;
    if (w <= 0 || h <= 0 || w > int(largestSide) || h > int(largestSide))
        return {};
    qint64 stride = picture.ddbWidthBytes;
    const qint64 needed = (qint64(w) * bits + 7) / 8;
    if (stride < needed)
        stride = (needed + 1) / 2 * 2; // rows are word aligned
    if (stride * h > picture.data.size())
        return {};
    const auto *bytes = reinterpret_cast<const uchar *>(picture.data.constData());

    QImage image(w, h, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    for (int y = 0; y < h; ++y) {
        const uchar *row = bytes + stride * y;
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            switch (bits) {
            case 1:
                out[x] = (row[x / 8] & (0x80 >> (x % 8))) ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
                break;
            case 4: {
                const int v = (x % 2 ? row[x / 2] & 0x0F : row[x / 2] >> 4) * 17;
                out[x] = qRgb(v, v, v);
                break;
            }
            case 8:
                out[x] = qRgb(row[x], row[x], row[x]);
                break;
            case 24:
                out[x] = qRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
                break;
            case 32:
                out[x] = qRgb(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]);
                break;
            default:
                return {};
            }
        }
    }
    return image;
}

double positiveOr(double value, double fallback)
{
    return value > 0 ? value : fallback;
}

} // namespace

QImage imageFromDib(QByteArrayView dib)
{
    if (dib.size() < 12)
        return {};
    const quint32 headerSize = word32(dib, 0);
    if (headerSize < 12 || headerSize > quint32(dib.size()))
        return {};

    quint32 paletteBytes = 0;
    if (headerSize == 12) {
        const int bitCount = word16(dib, 10);
        if (bitCount <= 8)
            paletteBytes = 3u << bitCount;
    } else {
        if (dib.size() < 40 || headerSize < 40)
            return {};
        const int bitCount = word16(dib, 14);
        const quint32 compression = word32(dib, 16);
        quint32 colorsUsed = word32(dib, 32);
        if (bitCount <= 8 && (colorsUsed == 0 || colorsUsed > (1u << bitCount)))
            colorsUsed = 1u << bitCount;
        if (bitCount > 8 && colorsUsed > 256)
            colorsUsed = 0;
        paletteBytes = colorsUsed * 4;
        if (headerSize == 40 && (compression == 3 || compression == 6))
            paletteBytes += compression == 3 ? 12 : 16; // the colour masks
    }
    const qint64 bitsOffset = 14 + qint64(headerSize) + paletteBytes;
    if (bitsOffset - 14 > dib.size())
        return {};

    // A file header in front makes it a BMP file that Qt reads.
    QByteArray file(14, '\0');
    file[0] = 'B';
    file[1] = 'M';
    qToLittleEndian<quint32>(quint32(14 + dib.size()), file.data() + 2);
    qToLittleEndian<quint32>(quint32(bitsOffset), file.data() + 10);
    file.append(dib.data(), dib.size());
    return readImage(file, "BMP");
}

QImage imageFromWmf(const QByteArray &wmf)
{
    const QByteArrayView data(wmf);
    qsizetype pos = 0;
    // An Aldus placeable header may precede the standard one.
    if (data.size() >= 22 && word32(data, 0) == 0x9AC6CDD7u)
        pos = 22;
    if (data.size() < pos + 18)
        return {};
    const qsizetype headerWords = word16(data, pos + 2);
    pos += std::max<qsizetype>(headerWords, 9) * 2;

    QImage best;
    while (pos + 6 <= data.size()) {
        const qint64 recordBytes = qint64(word32(data, pos)) * 2;
        const quint16 function = word16(data, pos + 4);
        if (recordBytes < 6 || function == 0x0000)
            break;
        const qint64 available = std::min<qint64>(recordBytes, data.size() - pos);
        qsizetype dibAt = 0;
        switch (function) {
        case 0x0F43: dibAt = 28; break; // StretchDIB
        case 0x0B41: dibAt = 26; break; // DIBStretchBlt
        case 0x0940: dibAt = 22; break; // DIBBitBlt
        case 0x0D33: dibAt = 24; break; // SetDIBToDev
        default: break;
        }
        if (dibAt > 0 && available > dibAt) {
            const QImage image = imageFromDib(data.sliced(pos + dibAt, available - dibAt));
            if (!image.isNull() && qint64(image.width()) * image.height() > qint64(best.width()) * best.height())
                best = image;
        }
        pos += recordBytes;
    }
    return best;
}

QImage imageFromEmf(const QByteArray &emf)
{
    const QByteArrayView data(emf);
    qsizetype pos = 0;
    QImage best;
    while (pos + 8 <= data.size()) {
        const quint32 type = word32(data, pos);
        const qint64 size = word32(data, pos + 4);
        if (size < 8)
            break;
        const qint64 available = std::min<qint64>(size, data.size() - pos);
        if (type == 0x51 && available >= 80) { // StretchDIBits
            const QByteArrayView record = data.sliced(pos, available);
            const quint32 bmiAt = word32(record, 48);
            const quint32 bmiSize = word32(record, 52);
            const quint32 bitsAt = word32(record, 56);
            const quint32 bitsSize = word32(record, 60);
            if (bmiAt >= 80 && bmiSize > 0 && qint64(bmiAt) + bmiSize <= available
                && qint64(bitsAt) + bitsSize <= available && bitsAt >= bmiAt + bmiSize) {
                QByteArray dib = record.sliced(bmiAt, bmiSize).toByteArray();
                dib.append(record.sliced(bitsAt, bitsSize).data(), bitsSize);
                const QImage image = imageFromDib(dib);
                if (!image.isNull() && qint64(image.width()) * image.height() > qint64(best.width()) * best.height())
                    best = image;
            }
        }
        if (type == 0x0E) // end of file
            break;
        pos += size;
    }
    return best;
}

QImage placeholder()
{
    // Small and scaled up: a placeholder costs no memory whatever its size.
    static const QImage image = [] {
        QImage box(32, 32, QImage::Format_RGB32);
        box.fill(QColor(0xE0, 0xE0, 0xE0));
        QPainter painter(&box);
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.drawRect(0, 0, 31, 31);
        painter.drawLine(0, 0, 31, 31);
        painter.drawLine(0, 31, 31, 0);
        return box;
    }();
    return image;
}

Shown decode(const Picture &picture)
{
    QImage image;
    bool metafile = false;
    switch (picture.kind) {
    case Kind::Png:
        image = readImage(picture.data, "PNG");
        // Saved again, the picture goes out as the PNG it came in (if that
        // was a PNG: writers do mislabel pictures).
        if (picture.data.startsWith("\x89PNG\r\n\x1a\n"))
            PictureCache::instance().insert(image, picture.data);
        break;
    case Kind::Jpeg: image = readImage(picture.data, "JPEG"); break;
    case Kind::Dib: image = imageFromDib(picture.data); break;
    case Kind::Ddb: image = imageFromDdb(picture); break;
    case Kind::Wmf: image = imageFromWmf(picture.data); metafile = true; break;
    case Kind::Emf: image = imageFromEmf(picture.data); metafile = true; break;
    case Kind::MacPict:
    case Kind::Os2Metafile: metafile = true; break;
    case Kind::Unknown: image = readImage(picture.data, nullptr); break;
    }

    // The natural size: metafiles give theirs in hundredths of a millimetre,
    // bitmaps in pixels.
    double naturalW = picture.width;
    double naturalH = picture.height;
    if (metafile) {
        naturalW = picture.width * pixelsPerInch / hundredthsMmPerInch;
        naturalH = picture.height * pixelsPerInch / hundredthsMmPerInch;
    }
    if (!image.isNull() && !metafile) {
        naturalW = image.width();
        naturalH = image.height();
    }
    double w = picture.goalWidth > 0 ? Twips::toPixelsExact(picture.goalWidth) : naturalW;
    double h = picture.goalHeight > 0 ? Twips::toPixelsExact(picture.goalHeight) : naturalH;
    if (!image.isNull()) {
        w = positiveOr(w, image.width());
        h = positiveOr(h, image.height());
    }
    w = positiveOr(w, fallbackSide) * positiveOr(picture.scaleX, 100) / 100.0;
    h = positiveOr(h, fallbackSide) * positiveOr(picture.scaleY, 100) / 100.0;

    Shown shown;
    shown.size = QSizeF(std::clamp(w, 1.0, largestSide), std::clamp(h, 1.0, largestSide));
    shown.decoded = !image.isNull();
    shown.image = shown.decoded ? image : placeholder();
    return shown;
}

} // namespace RtfPictures
