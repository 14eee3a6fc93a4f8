// How long Songloom takes to show its window with a large chord library,
// against a bare Qt window with a menu bar, a tool bar and a text edit, and
// how much memory it holds with 10,000 chords listed.
//
// Copies the built program folder twice into a temporary folder, fills the
// Default library of one with 1,000 and of the other with 10,000 copies of a
// starter chord under distinct names, and starts each program and the bare
// window 9 times in turn under a private Xvfb. Each prints the moment its
// window first paints (SONGLOOM_REPORT_LIST_TIMES); the time from the start
// of the process to that moment is taken, and the median printed. The
// program with its starter library shows what the rest of the start costs. Needs
// Xvfb; prints a note and ends without figures when it is missing.

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

constexpr int starts = 9;
constexpr int smallLibrary = 1000;
constexpr int largeLibrary = 10000;
constexpr double smallTarget = 1.5;
constexpr double largeTarget = 2.0;
constexpr double memoryTargetMb = 150;
constexpr int waitMilliseconds = 60000;

bool copyFolder(const QString &from, const QString &to)
{
    if (!QDir().mkpath(to))
        return false;
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(it.filePath());
        if (it.fileInfo().isDir() ? !QDir().mkpath(target) : !QFile::copy(it.filePath(), target))
            return false;
    }
    return true;
}

// A program folder whose Default library holds `count` chords: copies of
// the starter Am under the starter names, numbered.
bool makeProgramFolder(const QString &programDir, const QString &target, int count)
{
    if (!copyFolder(programDir, target))
        return false;
    QDir bitMaps(target + QStringLiteral("/BitMaps"));
    const QStringList starterNames = bitMaps.entryList(QDir::Files, QDir::Name);
    const QString chord = bitMaps.filePath(QStringLiteral("Am"));
    if (starterNames.isEmpty() || !QFileInfo::exists(chord))
        return false;
    QFile::copy(chord, target + QStringLiteral("/chord.bmp"));
    for (const QString &name : starterNames)
        bitMaps.remove(name);
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("%1 %2").arg(starterNames[i % starterNames.size()]).arg(i);
        if (!QFile::copy(target + QStringLiteral("/chord.bmp"), bitMaps.filePath(name)))
            return false;
    }
    return true;
}

struct Start
{
    qint64 shown = -1;    // ms from process start to the first paint
    qint64 pictures = -1; // ms from process start to the last picture read
    double rssMb = 0;
    double peakMb = 0;
};

double statusMb(qint64 pid, const char *field)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

// Waits for a line "what <ms>" from the program; the time, or nothing.
std::optional<qint64> waitForLine(QProcess &process, const QByteArray &what, QByteArray &buffer)
{
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < waitMilliseconds) {
        qsizetype end;
        while ((end = buffer.indexOf('\n')) >= 0) {
            const QByteArray line = buffer.left(end).trimmed();
            buffer.remove(0, end + 1);
            if (line.startsWith(what + ' '))
                return line.mid(what.size() + 1).toLongLong();
        }
        if (process.state() == QProcess::NotRunning)
            return std::nullopt;
        process.waitForReadyRead(100);
        buffer += process.readAllStandardOutput();
    }
    return std::nullopt;
}

Start startOnce(const QString &program, const QProcessEnvironment &environment, bool waitForPictures)
{
    Start result;
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setStandardErrorFile(QProcess::nullDevice());
    const qint64 started = QDateTime::currentMSecsSinceEpoch();
    process.start(program, {});
    if (!process.waitForStarted())
        return result;
    QByteArray buffer;
    if (const auto shown = waitForLine(process, "shown", buffer))
        result.shown = *shown - started;
    if (waitForPictures) {
        if (const auto pictures = waitForLine(process, "pictures", buffer))
            result.pictures = *pictures - started;
        // Let the last paints settle before memory is read.
        QThread::msleep(300);
        result.rssMb = statusMb(process.processId(), "VmRSS:");
        result.peakMb = statusMb(process.processId(), "VmHWM:");
    }
    process.kill();
    process.waitForFinished();
    return result;
}

template<typename T>
T median(QList<T> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? T() : values[values.size() / 2];
}

// Starts a private X server; its display number, or -1.
int startXvfb(QProcess &xvfb, const QString &executable)
{
    for (int display = 170; display < 230; ++display) {
        if (QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(display))
            || QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(display)))
            continue;
        xvfb.start(executable, {QStringLiteral(":%1").arg(display), QStringLiteral("-screen"), QStringLiteral("0"),
                                QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        if (!xvfb.waitForStarted())
            return -1;
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 5000 && xvfb.state() == QProcess::Running) {
            if (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(display)))
                return display;
            QThread::msleep(20);
        }
        xvfb.kill();
        xvfb.waitForFinished();
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    std::printf("Start-up with a large chord library\n");
    const QString xvfbExecutable = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfbExecutable.isEmpty()) {
        std::printf("  skipped: Xvfb is not installed\n");
        return 0;
    }
    const QString bare = QCoreApplication::applicationDirPath() + QStringLiteral("/bare_window");
    QTemporaryDir work;
    const QString starter = work.filePath(QStringLiteral("starter"));
    const QString small = work.filePath(QStringLiteral("small"));
    const QString large = work.filePath(QStringLiteral("large"));
    if (!work.isValid() || !copyFolder(QStringLiteral(SONGLOOM_PROGRAM_DIR), starter) || !makeProgramFolder(QStringLiteral(SONGLOOM_PROGRAM_DIR), small, smallLibrary)
        || !makeProgramFolder(QStringLiteral(SONGLOOM_PROGRAM_DIR), large, largeLibrary)) {
        std::printf("  failed: the program folders could not be prepared\n");
        return 1;
    }
    QProcess xvfb;
    const int display = startXvfb(xvfb, xvfbExecutable);
    if (display < 0) {
        std::printf("  failed: Xvfb did not start\n");
        return 1;
    }

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":%1").arg(display));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("SONGLOOM_REPORT_LIST_TIMES"), QStringLiteral("1"));
    // Settings of the user's own program must not point the runs elsewhere.
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), work.filePath(QStringLiteral("config")));

    QList<qint64> bareShown, starterShown, smallShown, largeShown, largePictures;
    QList<double> largeRss, largePeak;
    for (int round = 0; round < starts; ++round) {
        bareShown << startOnce(bare, environment, false).shown;
        starterShown << startOnce(starter + QStringLiteral("/songloom"), environment, false).shown;
        smallShown << startOnce(small + QStringLiteral("/songloom"), environment, false).shown;
        const Start start = startOnce(large + QStringLiteral("/songloom"), environment, true);
        largeShown << start.shown;
        largePictures << start.pictures;
        largeRss << start.rssMb;
        largePeak << start.peakMb;
    }
    xvfb.kill();
    xvfb.waitForFinished();

    const auto failed = [](const QList<qint64> &times) { return std::any_of(times.begin(), times.end(), [](qint64 t) { return t < 0; }); };
    if (failed(bareShown) || failed(starterShown) || failed(smallShown) || failed(largeShown)) {
        std::printf("  failed: a window did not report that it showed\n");
        return 1;
    }
    const qint64 bareMs = median(bareShown);
    const qint64 smallMs = median(smallShown);
    const qint64 largeMs = median(largeShown);
    const double smallRatio = double(smallMs) / double(bareMs);
    const double largeRatio = double(largeMs) / double(bareMs);
    std::printf("  time to a visible window, median of %d starts under Xvfb:\n", starts);
    std::printf("    bare Qt window (menu bar, tool bar, text edit) %6lld ms\n", static_cast<long long>(bareMs));
    const qint64 starterMs = median(starterShown);
    std::printf("    Songloom, starter library                    %6lld ms  %.2fx bare\n",
                static_cast<long long>(starterMs), double(starterMs) / double(bareMs));
    std::printf("    Songloom, %6d chords                      %6lld ms  %.2fx bare (target %.1fx) %s\n",
                smallLibrary, static_cast<long long>(smallMs), smallRatio, smallTarget,
                smallRatio <= smallTarget ? "ok" : "OVER");
    std::printf("    Songloom, %6d chords                      %6lld ms  %.2fx bare (target %.1fx) %s\n",
                largeLibrary, static_cast<long long>(largeMs), largeRatio, largeTarget,
                largeRatio <= largeTarget ? "ok" : "OVER");
    std::printf("  all %d pictures in after %lld ms (median)\n", largeLibrary,
                static_cast<long long>(median(largePictures)));
    const double rss = median(largeRss);
    std::printf("  resident memory with %d chords listed: %.1f MB (peak %.1f MB; target under %.0f MB) %s\n",
                largeLibrary, rss, median(largePeak), memoryTargetMb, rss < memoryTargetMb ? "ok" : "OVER");
    return 0;
}
