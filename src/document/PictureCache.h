#pragma once

#include <QByteArray>
#include <QImage>
#include <QMultiHash>
#include <QMutex>
#include <QSizeF>

// Encoding a picture (PNG and metafile) costs far more than writing the
// text around it, and a song is saved again and again with the same
// pictures. So what a picture was encoded as is kept, by its pixels: its
// RTF at the size it is shown at, and its PNG file, which is also the file
// an opened song brought it in. Shared by every song; safe across threads.
class PictureCache
{
public:
    static PictureCache &instance();

    // The picture's RTF at that size, or (no size) its PNG file; empty when
    // unknown.
    QByteArray find(const QImage &image, QSizeF shown = {});
    void insert(const QImage &image, const QByteArray &encoded, QSizeF shown = {});
    void clear();

private:
    struct Entry
    {
        QImage image;
        QSizeF shown;
        QByteArray encoded;
    };
    // Enough for the pictures of several large songs.
    static constexpr qsizetype maxBytes = 64 * 1024 * 1024;

    static size_t keyOf(const QImage &image, QSizeF shown);

    QMutex m_mutex;
    QMultiHash<size_t, Entry> m_entries;
    qsizetype m_bytes = 0;
};
