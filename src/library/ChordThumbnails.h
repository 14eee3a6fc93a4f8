#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The pictures shown in the chord list. A chord file holds a 40 by 48 pixel
// picture; the list keeps it in the smallest format that holds it exactly,
// so ten thousand chords stay small in memory. Files of another size are
// fitted into the chord's cell; files that are no picture are reported.
namespace ChordThumbnails {

// The size of a ChordBox picture, and of every cell in the list.
inline constexpr QSize chordPictureSize(40, 48);

struct Thumbnail
{
    enum class Outcome { Picture, NotAPicture, Unreadable };
    Outcome outcome = Outcome::Unreadable;
    // The picture as the list shows it; null unless outcome is Picture.
    QImage image;
    // Why the file could not be shown, as the user is told it.
    QString reason;
};

// Reads the file as the list shows it. A picture larger than a chord's cell
// is decoded at a reduced size where the format allows, so a stray photo
// costs no more memory than a chord.
Thumbnail read(const QString &path);

// The file's picture as it is, for copying and dragging; a null image and
// the reason when the file cannot be read as a picture.
QImage readPicture(const QString &path, QString *reason = nullptr);

// The picture fitted into the chord's cell, keeping its proportions; a
// picture of the chord's size is returned as it is.
QImage fitted(const QImage &image);

// The picture in the smallest format that keeps every pixel: one bit a
// pixel for black and white, eight for grey, else 32.
QImage compact(const QImage &image);

} // namespace ChordThumbnails
