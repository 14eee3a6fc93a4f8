// Opens the large benchmark song (BenchmarkSong.h, about 11 MB of RTF) in
// the main window as File Open does, and prints how long it takes until the
// song can be typed in, how keystrokes fare while the rest of it is laid out
// in the background and after, at its start and at its end, and how long
// going straight to its end after opening it takes. Runs on a temporary
// program folder with settings of its own; message boxes are answered No.

#include "BenchmarkSong.h"
#include "app/frmSongloom.h"
#include "base/Module1.h"
#include "base/Prompt.h"
#include "document/RtfWriter.h"
#include "document/SongFileCommands.h"
#include "document/rtfText.h"
#include "library/ChordLibraryFolders.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QAbstractTextDocumentLayout>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int keystrokes = 30;

// No dialog ever waits for a person here.
class NoPrompt final : public Prompt
{
public:
    QMessageBox::StandardButton message(QWidget *, QMessageBox::Icon, const QString &, const QString &,
                                        QMessageBox::StandardButtons, QMessageBox::StandardButton) override
    {
        return QMessageBox::No;
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &, QString *) override
    {
        return {};
    }
    std::optional<QFont> font(QWidget *, const QString &, const QFont &) override { return std::nullopt; }
    bool pageSetup(QWidget *, QPrinter *) override { return false; }
    bool print(QWidget *, QPrinter *, bool) override { return false; }
    void printPreview(QWidget *, QPrinter *, const std::function<void(QPrinter *)> &) override {}
};

double seconds(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e9;
}

// Types one character into the song and lets the window handle and paint it.
void typeCharacter(QWidget *song, QChar ch)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(ch));
    QCoreApplication::sendEvent(song, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QString(ch));
    QCoreApplication::sendEvent(song, &release);
    song->repaint();
    QCoreApplication::processEvents();
}

std::vector<double> typeKeystrokes(QWidget *song)
{
    std::vector<double> times;
    for (int i = 0; i < keystrokes; ++i) {
        QElapsedTimer key;
        key.start();
        typeCharacter(song, QLatin1Char('a' + i % 26));
        times.push_back(seconds(key));
    }
    std::sort(times.begin(), times.end());
    return times;
}

void printKeystrokes(const char *what, const std::vector<double> &times)
{
    std::printf("  %s: median %6.2f ms, slowest %6.2f ms (%zu keys)\n", what, times[times.size() / 2] * 1e3,
                times.back() * 1e3, times.size());
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir programFolder;
    QTemporaryDir settingsFolder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());
    setAppPath(programFolder.path());
    NoPrompt noPrompt;
    setPrompt(&noPrompt);

    const QString path = joinPath(programFolder.path(), QStringLiteral("Benchmark.rtf"));
    {
        QTextDocument song;
        BenchmarkSong::build(song);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(RtfWriter().write(song)) < 0)
            return 1;
    }
    std::printf("Song window benchmark: %.1f MB of RTF, %d pictures\n", QFileInfo(path).size() / 1e6,
                BenchmarkSong::pictureCount);

    gstrChordLibPath = ChordLibraryFolders::defaultLibraryPath(AppPath());
    frmSongloom window;
    window.Form_Load();
    window.resize(1000, 700);
    window.show();
    while (window.isLoading())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    rtfText *song = window.song();
    song->setFocus();
    QCoreApplication::processEvents();

    // Open, then one keystroke at the caret: the song can be typed in.
    QElapsedTimer timer;
    timer.start();
    const std::clock_t cpuStart = std::clock();
    if (!window.fileCommands()->OpenSong(path))
        return 1;
    const double loaded = seconds(timer);
    QCoreApplication::processEvents();
    typeCharacter(song, QLatin1Char('x'));
    const double typable = seconds(timer);
    const double cpu = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    std::printf("  open until typable: %6.3f s (file read %6.3f s; processor %6.3f s)\n", typable, loaded, cpu);

    // The rest is laid out in the background; typing goes on meanwhile.
    const bool typedWhileLayingOut = !song->isLaidOut();
    printKeystrokes("keystroke at the start, while the rest is laid out", typeKeystrokes(song));
    while (!song->isLaidOut())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    std::printf("  laid out to its end %6.3f s after the open%s; %.0f px tall\n", seconds(timer),
                typedWhileLayingOut ? "" : " (before the keystrokes above: not measured while laying out)",
                song->document()->documentLayout()->documentSize().height());
    printKeystrokes("keystroke at the start, laid out", typeKeystrokes(song));

    // Keystrokes at the end of the song, at once and once the window has
    // been idle for a while.
    song->moveCursor(QTextCursor::End);
    song->ensureCursorVisible();
    QCoreApplication::processEvents();
    printKeystrokes("keystroke at the end, at once", typeKeystrokes(song));
    QElapsedTimer idle;
    idle.start();
    while (idle.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    printKeystrokes("keystroke at the end, after 3 s idle", typeKeystrokes(song));

    // Straight to the end after the open: that waits for the whole layout.
    song->setChanged(false);
    timer.restart();
    if (!window.fileCommands()->OpenSong(path))
        return 1;
    QCoreApplication::processEvents();
    QKeyEvent ctrlEnd(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
    QCoreApplication::sendEvent(song, &ctrlEnd);
    typeCharacter(song, QLatin1Char('x'));
    std::printf("  open, Ctrl+End and a keystroke there: %6.3f s\n", seconds(timer));
    song->setChanged(false);
    setPrompt(nullptr);
    return 0;
}
