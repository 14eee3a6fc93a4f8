#include "app/Startup.h"
#include "app/frmSongloom.h"
#include "app/frmSplash.h"
#include "document/SongFileCommands.h"
#include "base/DataFolders.h"
#include "base/Module1.h"
#include "document/rtfText.h"
#include "library/ChordLibraryFolders.h"
#include "library/ChordListPanel.h"
#include "library/ChordListView.h"
#include "support/ScriptedPrompt.h"
#include "support/TestProgramFolder.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

namespace {

QStringList listing(const QString &folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        entries << QDir(folder).relativeFilePath(it.next());
    entries.sort();
    return entries;
}

// A program folder with the real template and two starter chords.
void layOutProgramFolder(const TestProgramFolder &program)
{
    QVERIFY(QFile::copy(QStringLiteral(SONGLOOM_PROGRAM_DIR "/NewSongTemplate.rtf"),
                        program.filePath("NewSongTemplate.rtf")));
    QVERIFY(QDir().mkpath(program.filePath("BitMaps")));
    QImage chord(40, 48, QImage::Format_Mono);
    chord.fill(1);
    QVERIFY(chord.save(program.filePath("BitMaps/Am"), "BMP"));
    QVERIFY(chord.save(program.filePath("BitMaps/G"), "BMP"));
}

// Starts the main window as the program does, without the splash.
std::unique_ptr<frmSongloom> startWindow(const QString &songAtStart = QString())
{
    gstrChordLibPath = ChordLibraryFolders::defaultLibraryPath(DataFolders::DataPath());
    auto window = std::make_unique<frmSongloom>();
    window->Form_Load();
    if (!songAtStart.isEmpty())
        window->openAtStart(songAtStart);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        return nullptr;
    if (!QTest::qWaitFor([&] { return !window->isLoading(); }))
        return nullptr;
    return window;
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

} // namespace

class tst_StartFolders : public QObject
{
    Q_OBJECT
    std::unique_ptr<ScriptedPrompt> m_prompt;

private slots:
    void init() { m_prompt = std::make_unique<ScriptedPrompt>(); }
    void cleanup() { m_prompt.reset(); }
    void readOnlyProgramFolderIsNeverWritten();
    void songFromCommandLine_data();
    void songFromCommandLine();
    void commandLinePaths();
    void aboutTellsWhereFilesLive();
};

void tst_StartFolders::readOnlyProgramFolderIsNeverWritten()
{
    TestProgramFolder program;
    QTemporaryDir user;
    layOutProgramFolder(program);
    const QStringList before = listing(program.path());
    QVERIFY(DataFolders::setUp(program.path(), false, {user.filePath("data"), user.filePath("Documents")}));

    auto window = startWindow();
    QVERIFY(window);
    window->close();

    QCOMPARE(listing(program.path()), before);
    QVERIFY(m_prompt->messages.isEmpty());
    QVERIFY(QFileInfo(user.filePath("Documents/Songloom")).isDir());
    QCOMPARE(gstrChordLibPath, QDir::toNativeSeparators(user.filePath("data/BitMaps/")));
    QCOMPARE(gstrCustomDictFilePath, QDir::toNativeSeparators(user.filePath("data/custom.dic")));
    // The chord list shows the starter chords copied for the user.
    QCOMPARE(window->chordPanel()->list()->count(), 2);
}

void tst_StartFolders::songFromCommandLine_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("text");
    QTest::newRow("song") << QByteArray("{\\rtf1\\ansi Amazing grace\\par}") << "Songloom - grace.rtf" << QString()
                          << "Amazing grace";
    QTest::newRow("missing") << QByteArray() << "Songloom - NewSong1" << "No such file" << QString();
    // A file that is not RTF opens as plain text.
    QTest::newRow("not rtf") << QByteArray("plain words") << "Songloom - grace.rtf" << QString() << "plain words";
}

void tst_StartFolders::songFromCommandLine()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, title);
    QFETCH(QString, reason);
    QFETCH(QString, text);
    TestProgramFolder program;
    layOutProgramFolder(program);
    const QString song = program.filePath("grace.rtf");
    if (!content.isEmpty())
        writeFile(song, content);

    auto window = startWindow(song);
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), title);
    QVERIFY(!window->song()->Changed());
    if (reason.isEmpty()) {
        QVERIFY(m_prompt->messages.isEmpty());
        QCOMPARE(window->song()->toPlainText().trimmed() + '|' + window->fileCommands()->fileName(), text + '|' + song);
        return;
    }
    // Told once, with the file and why; the new song stays.
    QCOMPARE(m_prompt->messages.size(), 1);
    const ScriptedPrompt::Message told = m_prompt->messages[0];
    QCOMPARE(told.title, QStringLiteral("Cannot Open Song"));
    QVERIFY2(told.text.contains(QDir::toNativeSeparators(song)) && told.text.contains(reason), qPrintable(told.text));
    QCOMPARE(window->song()->FileName(), program.filePath("NewSongTemplate.rtf"));
}

// A relative path is taken from the current folder, a file URL as its path.
void tst_StartFolders::commandLinePaths()
{
    const QString absolute = QDir::tempPath() + "/My Songs/grace.rtf";
    QCOMPARE(QStringList({parseCommandLine({"songloom"}).songPath,
                          parseCommandLine({"songloom", "songs/grace.rtf"}).songPath,
                          parseCommandLine({"songloom", QUrl::fromLocalFile(absolute).toString()}).songPath}),
             QStringList({QString(), QDir::current().absoluteFilePath("songs/grace.rtf"), absolute}));
}

void tst_StartFolders::aboutTellsWhereFilesLive()
{
    TestProgramFolder program;
    // A home of its own, so the user's real one stays untouched.
    QTemporaryDir home;
    const QByteArray realHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    QVERIFY(DataFolders::setUp(program.path(), false,
                               {home.filePath(".local/share/Songloom/Songloom"), home.filePath("Documents")}));
    std::unique_ptr<frmSplash> about(frmSplash::createAbout(nullptr));
    QCOMPARE(about->findChild<QLabel *>("lblDataFolders")->text(),
             QStringLiteral("Chords and words: ~/.local/share/Songloom/Songloom\nSongs: ~/Documents/Songloom"));
    qputenv("HOME", realHome);
}

QTEST_MAIN(tst_StartFolders)
#include "tst_startfolders.moc"
