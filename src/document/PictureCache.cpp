#include "document/PictureCache.h"

#include <QMutexLocker>

PictureCache &PictureCache::instance()
{
    static PictureCache cache;
    return cache;
}

size_t PictureCache::keyOf(const QImage &image, QSizeF shown)
{
    const size_t pixels = qHash(QByteArrayView(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()));
    return qHashMulti(pixels, image.width(), image.height(), int(image.format()), shown.width(), shown.height());
}

QByteArray PictureCache::find(const QImage &image, QSizeF shown)
{
    if (image.isNull())
        return {};
    QMutexLocker lock(&m_mutex);
    const auto range = m_entries.equal_range(keyOf(image, shown));
    for (auto it = range.first; it != range.second; ++it) {
        if (it->shown == shown && it->image == image)
            return it->encoded;
    }
    return {};
}

void PictureCache::insert(const QImage &image, const QByteArray &encoded, QSizeF shown)
{
    if (image.isNull() || encoded.isEmpty())
        return;
    const qsizetype bytes = encoded.size() + image.sizeInBytes();
    QMutexLocker lock(&m_mutex);
    if (m_bytes + bytes > maxBytes) {
        m_entries.clear();
        m_bytes = 0;
    }
    m_entries.insert(keyOf(image, shown), {image, shown, encoded});
    m_bytes += bytes;
}

void PictureCache::clear()
{
    QMutexLocker lock(&m_mutex);
    m_entries.clear();
    m_bytes = 0;
}
