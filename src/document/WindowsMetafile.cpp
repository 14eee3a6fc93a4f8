#include "document/WindowsMetafile.h"

#include <QHash>
#include <QPainter>
#include <QVector>
#include <QtEndian>

namespace WindowsMetafile {

namespace {

constexpr quint16 metaSetWindowOrg = 0x020B;
constexpr quint16 metaSetWindowExt = 0x020C;
constexpr quint16 metaStretchDib = 0x0F43;
constexpr quint16 metaEof = 0x0000;
constexpr quint32 ropSourceCopy = 0x00CC0020;
constexpr quint16 dibRgbColors = 0;
constexpr qint32 pixelsPerMetreAt96Dpi = 3780;
constexpr int bitmapInfoHeaderSize = 40;
constexpr int largestSide = 32767;

void put16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void put32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

// Lays the picture on white: a metafile bitmap has no transparency.
QImage opaque(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage canvas(image.size(), QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.drawImage(0, 0, image);
    painter.end();
    return canvas;
}

// A record of a word-sized function with word parameters.
void putRecord(QByteArray &out, quint16 function, std::initializer_list<qint16> params)
{
    put32(out, quint32(3 + params.size()));
    put16(out, function);
    for (qint16 p : params)
        put16(out, quint16(p));
}

} // namespace

QByteArray deviceIndependentBitmap(const QImage &source)
{
    const QImage image = opaque(source);
    const int width = image.width();
    const int height = image.height();

    // The palette, as long as the picture has no more than 256 colours.
    QVector<QRgb> palette;
    QHash<QRgb, int> index;
    for (int y = 0; y < height && palette.size() <= 256; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb rgb = line[x] | 0xff000000u;
            if (!index.contains(rgb)) {
                index.insert(rgb, int(palette.size()));
                palette.append(rgb);
                if (palette.size() > 256)
                    break;
            }
        }
    }
    int bits = 24;
    if (palette.size() <= 2)
        bits = 1;
    else if (palette.size() <= 16)
        bits = 4;
    else if (palette.size() <= 256)
        bits = 8;
    const int colours = bits == 24 ? 0 : (1 << bits);
    const int stride = ((width * bits + 31) / 32) * 4;

    QByteArray dib;
    dib.reserve(bitmapInfoHeaderSize + colours * 4 + stride * height);
    put32(dib, bitmapInfoHeaderSize);
    put32(dib, quint32(width));
    put32(dib, quint32(height)); // positive: rows run bottom-up
    put16(dib, 1);
    put16(dib, quint16(bits));
    put32(dib, 0); // BI_RGB
    put32(dib, quint32(stride * height));
    put32(dib, pixelsPerMetreAt96Dpi);
    put32(dib, pixelsPerMetreAt96Dpi);
    put32(dib, quint32(colours));
    put32(dib, 0);
    for (int i = 0; i < colours; ++i) {
        const QRgb rgb = i < palette.size() ? palette.at(i) : qRgb(0, 0, 0);
        dib.append(char(qBlue(rgb)));
        dib.append(char(qGreen(rgb)));
        dib.append(char(qRed(rgb)));
        dib.append(char(0));
    }

    QByteArray row(stride, '\0');
    for (int y = height - 1; y >= 0; --y) {
        row.fill('\0');
        auto *bytes = reinterpret_cast<uchar *>(row.data());
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb rgb = line[x] | 0xff000000u;
            if (bits == 24) {
                bytes[x * 3] = uchar(qBlue(rgb));
                bytes[x * 3 + 1] = uchar(qGreen(rgb));
                bytes[x * 3 + 2] = uchar(qRed(rgb));
                continue;
            }
            const int i = index.value(rgb);
            const int bitOffset = x * bits;
            // Pixels fill each byte from its most significant bits down.
            bytes[bitOffset / 8] |= uchar(i << (8 - bits - bitOffset % 8));
        }
        dib.append(row);
    }
    return dib;
}

QByteArray fromImage(const QImage &image)
{
    if (image.isNull() || image.width() > largestSide || image.height() > largestSide)
        return {};
    const auto width = qint16(image.width());
    const auto height = qint16(image.height());
    const QByteArray dib = deviceIndependentBitmap(image);

    QByteArray records;
    putRecord(records, metaSetWindowOrg, {0, 0});
    putRecord(records, metaSetWindowExt, {height, width});

    const int stretchWords = (6 + 4 + 2 + 8 * 2 + int(dib.size())) / 2;
    put32(records, quint32(stretchWords));
    put16(records, metaStretchDib);
    put32(records, ropSourceCopy);
    put16(records, dibRgbColors);
    for (qint16 v : {height, width, qint16(0), qint16(0), height, width, qint16(0), qint16(0)})
        put16(records, quint16(v));
    records.append(dib);

    putRecord(records, metaEof, {});

    constexpr int headerWords = 9;
    QByteArray metafile;
    metafile.reserve(headerWords * 2 + records.size());
    put16(metafile, 1); // in memory
    put16(metafile, headerWords);
    put16(metafile, 0x0300);
    put32(metafile, quint32(headerWords + records.size() / 2));
    put16(metafile, 0); // no objects
    put32(metafile, quint32(stretchWords));
    put16(metafile, 0);
    metafile.append(records);
    return metafile;
}

} // namespace WindowsMetafile
