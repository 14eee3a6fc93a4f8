// Reads and writes the large benchmark song (BenchmarkSong.h), about 5 MB of text with 1,000
// ChordBox pictures, and prints the speed of each direction next to the
// time unrtf takes to convert the same file, where unrtf is installed.

#include "BenchmarkSong.h"
#include "document/PictureCache.h"
#include "document/RtfReader.h"
#include "document/RtfWriter.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QSaveFile>
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

constexpr int rounds = 3;

double megabytes(qsizetype bytes)
{
    return double(bytes) / (1000.0 * 1000.0);
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QTextDocument song;
    BenchmarkSong::build(song);
    std::printf("RTF benchmark: %d paragraphs, %.1f MB of text, %d pictures of 40x48\n", song.blockCount(),
                megabytes(song.toPlainText().toUtf8().size()), BenchmarkSong::pictureCount);

    // The first write encodes every picture; later ones of the same song
    // find them encoded. Processor time beside the wall clock, as other
    // work on the machine stretches the latter.
    QByteArray rtf;
    const auto timeWrite = [&](const char *what, const QTextDocument &document) {
        QElapsedTimer timer;
        timer.start();
        const std::clock_t cpuStart = std::clock();
        rtf = RtfWriter().write(document);
        const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        const double wall = timer.nsecsElapsed() / 1e9;
        std::printf("  write %-28s %6.1f MB of RTF in %6.3f s = %6.1f MB/s (processor %6.3f s = %6.1f MB/s)\n", what,
                    megabytes(rtf.size()), wall, megabytes(rtf.size()) / wall, cpu, megabytes(rtf.size()) / cpu);
    };
    timeWrite("(pictures never saved):", song);
    for (int i = 0; i < rounds; ++i)
        timeWrite("(again):", song);
    // A song opened and saved, as File Save does: to a file a piece at a
    // time; its pictures go out as the PNGs they came in.
    {
        const QByteArray opened = rtf;
        PictureCache::instance().clear();
        QTextDocument read;
        if (!RtfReader().read(opened, &read))
            return 1;
        QTemporaryDir dir;
        QSaveFile file(dir.filePath(QStringLiteral("song.rtf")));
        QElapsedTimer timer;
        timer.start();
        const std::clock_t cpuStart = std::clock();
        const bool saved = file.open(QIODevice::WriteOnly) && RtfWriter().write(read, &file) && file.commit();
        const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        const double wall = timer.nsecsElapsed() / 1e9;
        QFile back(dir.filePath(QStringLiteral("song.rtf")));
        if (!saved || !back.open(QIODevice::ReadOnly) || back.readAll() != opened) {
            std::printf("  the song as opened was not saved as it came\n");
            return 1;
        }
        std::printf("  save (the song as opened, to a file): %6.1f MB in %6.3f s = %6.1f MB/s (processor %6.3f s = %6.1f MB/s)\n",
                    megabytes(opened.size()), wall, megabytes(opened.size()) / wall, cpu, megabytes(opened.size()) / cpu);
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
