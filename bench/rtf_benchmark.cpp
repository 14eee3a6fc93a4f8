// Reads and writes a large generated song, about 5 MB of text with 1,000
// ChordBox pictures, and prints the speed of each direction next to the
// time unrtf takes to convert the same file, where unrtf is installed.

#include "document/DocumentImages.h"
#include "document/RtfReader.h"
#include "document/RtfWriter.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <limits>

namespace {

constexpr qsizetype textBytes = 5 * 1000 * 1000;
constexpr int pictureCount = 1000;
constexpr int rounds = 3;

// A 40 by 48 black-and-white chord diagram, different for every seed.
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

void buildSong(QTextDocument &song)
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

double megabytes(qsizetype bytes)
{
    return double(bytes) / (1000.0 * 1000.0);
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QTextDocument song;
    buildSong(song);
    std::printf("RTF benchmark: %d paragraphs, %.1f MB of text, %d pictures of 40x48\n", song.blockCount(),
                megabytes(song.toPlainText().toUtf8().size()), pictureCount);

    // The first write encodes every picture; later ones of the same song
    // find them encoded. Processor time beside the wall clock, as other
    // work on the machine stretches the latter.
    QByteArray rtf;
    for (int i = 0; i <= rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        const std::clock_t cpuStart = std::clock();
        rtf = RtfWriter().write(song);
        const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        const double wall = timer.nsecsElapsed() / 1e9;
        std::printf("  write %s: %7.1f MB of RTF in %6.3f s = %6.1f MB/s (processor %6.3f s = %6.1f MB/s)\n",
                    i == 0 ? "(first)" : "(again)", megabytes(rtf.size()), wall, megabytes(rtf.size()) / wall, cpu,
                    megabytes(rtf.size()) / cpu);
    }

    qint64 bestRead = std::numeric_limits<qint64>::max();
    int picturesRead = 0;
    for (int i = 0; i < rounds; ++i) {
        QTextDocument read;
        QElapsedTimer timer;
        timer.start();
        if (!RtfReader().read(rtf, &read)) {
            std::printf("  read: failed\n");
            return 1;
        }
        bestRead = std::min(bestRead, timer.nsecsElapsed());
        picturesRead = 0;
        for (QTextBlock block = read.begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it)
                picturesRead += it.fragment().charFormat().isImageFormat() ? it.fragment().length() : 0;
        }
    }
    std::printf("  read:  %7.1f MB of RTF in %6.3f s = %6.1f MB/s (%d pictures back)\n", megabytes(rtf.size()),
                bestRead / 1e9, megabytes(rtf.size()) / (bestRead / 1e9), picturesRead);

    const QString unrtf = QStandardPaths::findExecutable(QStringLiteral("unrtf"));
    if (unrtf.isEmpty()) {
        std::printf("  unrtf: not installed, not compared\n");
        return 0;
    }
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("song.rtf")));
    if (!file.open(QIODevice::WriteOnly) || file.write(rtf) != rtf.size())
        return 1;
    file.close();
    for (const QString &mode : {QStringLiteral("--text"), QStringLiteral("--html")}) {
        QProcess process;
        process.setWorkingDirectory(dir.path()); // it writes the pictures it finds there
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer timer;
        timer.start();
        process.start(unrtf, {mode, file.fileName()});
        process.waitForFinished(-1);
        const double seconds = timer.nsecsElapsed() / 1e9;
        std::printf("  unrtf %s: same file in %6.3f s = %6.1f MB/s (exit %d)\n", qPrintable(mode), seconds,
                    megabytes(rtf.size()) / seconds, process.exitCode());
    }
    return 0;
}
