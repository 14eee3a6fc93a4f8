#include "BenchmarkSong.h"

#include "document/DocumentImages.h"

#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

namespace BenchmarkSong {

QImage chordPicture(int seed)
{
    QImage image(40, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    for (int i = 0; i < 6; ++i) {
        painter.drawLine(5 + i * 6, 8, 5 + i * 6, 40);
        painter.drawLine(5, 8 + i * 6, 35, 8 + i * 6);
    }
    painter.setBrush(Qt::black);
    for (int dot = 0; dot < 3; ++dot)
        painter.drawEllipse(QPoint(5 + ((seed + dot * 2) % 6) * 6, 11 + ((seed / 6 + dot) % 5) * 6), 2, 2);
    painter.fillRect(0, 42 + seed % 5, 1 + seed % 39, 1, Qt::black);
    return image;
}

void build(QTextDocument &song)
{
    static const QStringList words = {"Amazing", "grace", "how", "sweet", "the", "sound", "that", "saved",
                                      "a", "wretch", "like", "me", "I", "once", "was", "lost", "but", "now",
                                      "am", "found", "été", "Straße"};
    QTextCursor cursor(&song);
    QTextCharFormat plain;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat italic;
    italic.setFontItalic(true);
    italic.setFontPointSize(12);
    const qsizetype pictureEvery = textBytes / pictureCount;
    qsizetype written = 0;
    qsizetype nextPicture = pictureEvery / 2;
    int pictures = 0;
    int line = 0;
    while (written < textBytes) {
        QString text;
        for (int w = 0; w < 10; ++w)
            text += words.at((line * 7 + w * 3) % words.size()) + QLatin1Char(' ');
        const QTextCharFormat &format = line % 7 == 0 ? bold : line % 5 == 0 ? italic : plain;
        cursor.insertText(text, format);
        written += text.toUtf8().size();
        if (written >= nextPicture && pictures < pictureCount) {
            DocumentImages::insertImage(cursor, chordPicture(pictures));
            ++pictures;
            nextPicture += pictureEvery;
        }
        cursor.insertBlock();
        ++line;
    }
}

} // namespace BenchmarkSong
