// The File commands over a real song control and real files: the save
// question and what stops a command, Save and Save As with the marker names,
// overwriting, plain text, failures told with the file's name and reason,
// the title, the changed flag, recent songs and printing to PDF.

#include "base/Module1.h"
#include "document/DocumentImages.h"
#include "document/RecentSongs.h"
#include "document/SongFileCommands.h"
#include "document/rtfText.h"
#include "support/ScriptedPrompt.h"
#include "support/TestProgramFolder.h"
#include "tst_rtfwriter_documents.h"

#include <QDir>
#include <QMimeData>
#include <QPrinter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <unistd.h>

using namespace SongSamples;

namespace {

const QByteArray songRtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 {\\b Amazing} grace\\par how sweet}";

QString messageLine(const ScriptedPrompt::Message &m)
{
    return QStringLiteral("%1|%2|%3|%4").arg(int(m.icon)).arg(m.title, m.text).arg(int(m.buttons));
}

// A window with the song in it and the File commands over it, in a fresh
// program folder with the template beside it.
struct Fixture
{
    TestProgramFolder folder;
    ScriptedPrompt prompt;
    QWidget window;
    rtfText *song = new rtfText(&window);
    SongFileCommands *commands = new SongFileCommands(song, &window);

    Fixture()
    {
        QDir().mkpath(folder.filePath("My Songs"));
        QFile::copy(QStringLiteral(SONGLOOM_PROGRAM_DIR "/NewSongTemplate.rtf"), folder.filePath("NewSongTemplate.rtf"));
    }
    QString songPath(const QString &name) const { return joinPath(folder.filePath("My Songs"), name); }
    bool open(const QString &name) { return writeAll(songPath(name), songRtf) && commands->OpenSong(songPath(name)); }
    void type(const QString &text)
    {
        song->moveCursor(QTextCursor::End);
        QTest::keyClicks(song, text);
    }
    // The song, its flag, title and file name, to compare before and after.
    QString state() const
    {
        return QStringList{song->Text(), QString::number(song->Changed()), commands->title(), commands->fileName()}.join('|');
    }
};

bool isRoot()
{
    return ::geteuid() == 0;
}

} // namespace

class tst_SongFileCommands : public QObject
{
    Q_OBJECT

private slots:
    void saveQuestionStopsOrGoesOn_data();
    void saveQuestionStopsOrGoesOn();
    void saveFollowsTheFileName_data();
    void saveFollowsTheFileName();
    void saveAsAsksBeforeReplacing();
    void saveAsFormats_data();
    void saveAsFormats();
    void openReadsTextThatIsNotRtf();
    void failedOpenLeavesTheSong();
    void failedSaveIsTold();
    void newAndCloseGiveNewSongs();
    void changedFlagFollowsTheUsersEdits();
    void recentSongs();
    void droppedSongFiles();
    void printsToPdf();
};

// Each command that replaces the song asks first; Cancel, or Yes with a Save
// As cancelled or failed, leaves the song as it was.
void tst_SongFileCommands::saveQuestionStopsOrGoesOn_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<QString>("saveAsPath"); // "" cancels the Save As
    QTest::addColumn<bool>("goesOn");
    QTest::newRow("New, Cancel") << "New" << QMessageBox::Cancel << "" << false;
    QTest::newRow("New, No") << "New" << QMessageBox::No << "" << true;
    QTest::newRow("Open, Yes, save failed") << "Open" << QMessageBox::Yes << "no folder/Kept.rtf" << false;
    QTest::newRow("Open, No") << "Open" << QMessageBox::No << "" << true;
    QTest::newRow("Close, Yes, Save As cancelled") << "Close" << QMessageBox::Yes << "" << false;
    QTest::newRow("Close, Yes, saved") << "Close" << QMessageBox::Yes << "Kept.rtf" << true;
}

void tst_SongFileCommands::saveQuestionStopsOrGoesOn()
{
    QFETCH(QString, command);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(QString, saveAsPath);
    QFETCH(bool, goesOn);

    Fixture f;
    f.commands->NewSong(); // no file of its own, so Yes runs Save As
    f.type("My own words");
    const QString before = f.state();
    writeAll(f.songPath("Other.rtf"), songRtf);
    f.prompt.messageAnswers << answer;
    if (answer == QMessageBox::Yes)
        f.prompt.fileAnswers << (saveAsPath.isEmpty() ? QString() : f.songPath(saveAsPath));
    f.prompt.fileAnswers << f.songPath("Other.rtf");
    if (command == "New")
        f.commands->New();
    else if (command == "Open")
        f.commands->Open();
    else
        f.commands->Close();

    QCOMPARE(messageLine(f.prompt.messages.first()),
             messageLine({QMessageBox::Question, "Save Changes?", "The current Document has changed.\nDo you want to save it?",
                         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel}));
    if (!goesOn) {
        QCOMPARE(f.state(), before);
        return;
    }
    QVERIFY(!f.song->Changed() && !f.song->Text().contains("My own words"));
    if (answer == QMessageBox::Yes)
        QVERIFY(readAll(f.songPath(saveAsPath)).contains("My own words"));
    QCOMPARE(f.commands->title(), command == "Open" ? QStringLiteral("Songloom - Other.rtf") : QStringLiteral("Songloom - NewSong1"));
}

// Songs named like the template or the new song, and songs without a file,
// go to Save As; others are written in place. The song open before is never
// written over.
void tst_SongFileCommands::saveFollowsTheFileName_data()
{
    QTest::addColumn<QString>("opened");   // "" for a new song
    QTest::addColumn<QString>("proposed"); // "" when Save writes in place
    QTest::newRow("named") << "Amazing Grace.rtf" << "";
    QTest::newRow("TEMPLATE in the name") << "My TEMPLATE.rtf" << "NewSong1.rtf";
    QTest::newRow("NewSong12") << "NewSong12.rtf" << "NewSong12.rtf";
    QTest::newRow("new song after another was open") << "" << "NewSong1.rtf";
}

void tst_SongFileCommands::saveFollowsTheFileName()
{
    QFETCH(QString, opened);
    QFETCH(QString, proposed);
    Fixture f;
    QVERIFY(f.open("Before.rtf"));
    if (opened.isEmpty())
        f.commands->Close();
    else
        QVERIFY(f.open(opened));
    f.type(" edited");

    QCOMPARE(f.commands->Save(), proposed.isEmpty());
    QCOMPARE(f.prompt.dialogPaths, proposed.isEmpty() ? QStringList() : QStringList{f.songPath(proposed)});
    QCOMPARE(f.song->Changed(), !proposed.isEmpty());
    if (proposed.isEmpty())
        QVERIFY(readAll(f.songPath(opened)).contains("edited"));
    QVERIFY(!readAll(f.songPath("Before.rtf")).contains("edited"));
}

void tst_SongFileCommands::saveAsAsksBeforeReplacing()
{
    Fixture f;
    f.commands->NewSong();
    f.type("New words");
    const QString existing = f.songPath("Existing.rtf");
    writeAll(existing, "{\\rtf1 old}");

    // No: the dialog comes back, proposing the same name; then cancelled.
    f.prompt.fileAnswers << existing;
    f.prompt.messageAnswers << QMessageBox::No;
    QVERIFY(!f.commands->SaveDocumentAs());
    QCOMPARE(f.prompt.dialogPaths, QStringList({f.songPath("NewSong1.rtf"), existing}));
    QCOMPARE(messageLine(f.prompt.messages.value(0)),
             messageLine({QMessageBox::Warning, "Save As",
                       QDir::toNativeSeparators(existing) + " already exists.\nDo you want to replace it?",
                       QMessageBox::Yes | QMessageBox::No}));
    QCOMPARE(readAll(existing), QByteArray("{\\rtf1 old}"));
    QCOMPARE(f.commands->title(), QStringLiteral("Songloom - NewSong1"));

    // Yes: written, and the name holds for the next Save.
    f.prompt.fileAnswers << existing;
    f.prompt.messageAnswers << QMessageBox::Yes;
    QVERIFY(f.commands->SaveDocumentAs());
    QCOMPARE(f.commands->title(), QStringLiteral("Songloom - Existing.rtf"));
    f.type(" more");
    QVERIFY(f.commands->Save());
    QCOMPARE(f.prompt.dialogTitles.size(), 3);
    QVERIFY(readAll(existing).contains("New words more"));
}

// RTF under .rtf and .doc; plain text, after a word of warning, under .txt,
// and the later Saves keep the format without asking again.
void tst_SongFileCommands::saveAsFormats_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("name");
    QTest::newRow("rtf") << "Rich Text Format (*.rtf)" << "Song.rtf";
    QTest::newRow("word6") << "Word6 Document (*.doc)" << "Song.doc";
    QTest::newRow("plain text") << "Plain Text (*.txt)" << "Song.txt";
}

void tst_SongFileCommands::saveAsFormats()
{
    QFETCH(QString, entry);
    QFETCH(QString, name);
    const bool plain = name.endsWith("txt");
    Fixture f;
    f.song->setTextRTF(QString::fromLatin1(songRtf));
    f.song->moveCursor(QTextCursor::End);
    QTextCursor cursor = f.song->textCursor();
    DocumentImages::insertImage(cursor, chordPicture(1));

    f.prompt.fileAnswers << f.songPath(name);
    f.prompt.filterAnswers << entry;
    QVERIFY(f.commands->SaveDocumentAs());
    QCOMPARE(f.prompt.dialogFilters.first(), SongFileCommands::fileFilter());
    const QByteArray written = readAll(f.songPath(name));
    QVERIFY(plain ? written == "Amazing grace\nhow sweet" : written.startsWith("{\\rtf"));
    QCOMPARE(f.prompt.messages.size(), plain ? 1 : 0);
    if (plain)
        QCOMPARE(f.prompt.messages[0].title, QStringLiteral("Plain Text"));

    f.type("!");
    QVERIFY(f.commands->Save());
    QCOMPARE(f.prompt.messages.size(), plain ? 1 : 0);
    QCOMPARE(readAll(f.songPath(name)).startsWith("{\\rtf"), !plain);
}

void tst_SongFileCommands::openReadsTextThatIsNotRtf()
{
    Fixture f;
    writeAll(f.songPath("Lyrics.txt"), "Gr\xc3\xbc\xc3\x9f" "e\r\nsecond line\n");
    writeAll(f.songPath("Old.txt"), "caf\xe9");
    QVERIFY(f.commands->OpenSong(f.songPath("Lyrics.txt")));
    QCOMPARE(f.state(), QStringLiteral("Grüße\r\nsecond line\r\n|0|Songloom - Lyrics.txt|") + f.songPath("Lyrics.txt"));
    QVERIFY(f.commands->OpenSong(f.songPath("Old.txt")));
    QCOMPARE(f.song->Text(), QStringLiteral("café"));
}

// A failed Open tells the file and the reason, and keeps song, title and
// changed flag.
void tst_SongFileCommands::failedOpenLeavesTheSong()
{
    for (const QString name : {"Gone.rtf", "Folder.rtf"}) { // missing, and a folder
        Fixture f;
        QDir().mkpath(f.songPath("Folder.rtf"));
        QVERIFY(f.open("Mine.rtf"));
        f.type("!");
        const QString before = f.state();
        f.prompt.messageAnswers << QMessageBox::No;
        f.prompt.fileAnswers << f.songPath(name);
        f.commands->Open();
        const ScriptedPrompt::Message told = f.prompt.messages.value(1);
        QCOMPARE(told.title, QStringLiteral("Cannot Open Song"));
        QVERIFY2(told.text.contains(QDir::toNativeSeparators(f.songPath(name))) && told.text.contains("Error Number: ")
                     && !told.text.endsWith("Description: "), qPrintable(told.text));
        QCOMPARE(f.state(), before);
    }
}

// A folder that cannot be written: read-only, or (as root, where permissions
// do not stop writes) a "folder" that is a regular file.
void tst_SongFileCommands::failedSaveIsTold()
{
    Fixture f;
    QVERIFY(f.open("Mine.rtf"));
    f.type("!");
    const QString before = f.state();
    QString target = f.songPath("ReadOnly/Song.rtf");
    QDir().mkpath(f.songPath("ReadOnly"));
    QFile::setPermissions(f.songPath("ReadOnly"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (isRoot()) {
        writeAll(f.songPath("NotAFolder"), "x");
        target = f.songPath("NotAFolder/Song.rtf");
    }

    f.prompt.fileAnswers << target;
    QVERIFY(!f.commands->SaveDocumentAs());
    QCOMPARE(f.prompt.messages.value(0).title, QStringLiteral("Cannot Save Song"));
    QVERIFY(f.prompt.messages[0].text.startsWith("The song could not be saved as:\n" + QDir::toNativeSeparators(target)));
    QVERIFY(f.prompt.messages[0].text.contains("Description: "));
    QVERIFY(!QFileInfo::exists(target));
    QCOMPARE(f.state(), before);

    // Save in place into a file that has become a folder: told, still changed.
    QFile::remove(f.songPath("Mine.rtf"));
    QDir().mkpath(f.songPath("Mine.rtf"));
    QVERIFY(!f.commands->Save());
    QVERIFY(f.prompt.messages.value(1).text.contains(QDir::toNativeSeparators(f.songPath("Mine.rtf"))));
    QVERIFY(f.song->Changed());
    QFile::setPermissions(f.songPath("ReadOnly"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void tst_SongFileCommands::newAndCloseGiveNewSongs()
{
    Fixture f;
    f.commands->startupSong();
    QCOMPARE(f.commands->title(), QStringLiteral("Songloom - NewSong1"));
    QCOMPARE(f.commands->fileName(), f.folder.filePath("NewSongTemplate.rtf"));
    QVERIFY(f.song->Text().contains("Words & Music by"));

    QVERIFY(f.open("A.rtf"));
    f.commands->Close();
    QCOMPARE(f.state(), QStringLiteral("|0|Songloom - NewSong1|"));
    f.commands->New();
    QVERIFY(f.song->Text().contains("Words & Music by") && !f.song->Changed());
    // Without the template a new song is empty and nothing is said.
    QFile::remove(f.folder.filePath("NewSongTemplate.rtf"));
    f.commands->New();
    QCOMPARE(f.song->Text(), QString());
    QVERIFY(f.prompt.messages.isEmpty());
}

void tst_SongFileCommands::changedFlagFollowsTheUsersEdits()
{
    Fixture f;
    QSignalSpy refreshes(f.commands, &SongFileCommands::selectionStateNeeded);
    f.commands->setLoading(true);
    f.type("x");
    QVERIFY(!f.song->Changed() && refreshes.isEmpty());
    f.commands->setLoading(false);
    QVERIFY(f.open("A.rtf"));
    QVERIFY(!f.song->Changed());
    f.type("y");
    QVERIFY(f.song->Changed() && refreshes.count() >= 2);
}

void tst_SongFileCommands::recentSongs()
{
    Fixture f;
    for (int i = 1; i <= 10; ++i)
        QVERIFY(f.open(QStringLiteral("Song %1.rtf").arg(i)));
    QVERIFY(f.commands->OpenSong(f.songPath("Song 5.rtf")));
    QStringList expected;
    for (int i : {5, 10, 9, 8, 7, 6, 4, 3})
        expected << f.songPath(QStringLiteral("Song %1.rtf").arg(i));
    QCOMPARE(f.commands->recentSongs(), expected);

    // A song gone since: told, and taken off the list.
    QFile::remove(expected[2]);
    f.commands->OpenRecent(expected.takeAt(2));
    QCOMPARE(f.prompt.messages.value(0).title, QStringLiteral("Missing Song"));
    QCOMPARE(f.commands->title(), QStringLiteral("Songloom - Song 5.rtf"));
    QCOMPARE(RecentSongs::load(), expected);
    // The next run reads the same list.
    QWidget window;
    QCOMPARE(SongFileCommands(new rtfText(&window), &window).recentSongs(), expected);
}

// The first existing .rtf or .txt among dropped files, in any case.
void tst_SongFileCommands::droppedSongFiles()
{
    QTemporaryDir dir;
    for (const char *name : {"a.rtf", "b.TXT", "c.png"})
        writeAll(dir.filePath(name), "x");
    const auto dropped = [&](const QStringList &names) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &name : names)
            urls << QUrl::fromLocalFile(dir.filePath(name));
        data.setUrls(urls);
        return QFileInfo(SongFileCommands::songFileIn(&data)).fileName();
    };
    QCOMPARE(dropped({"b.TXT"}), QStringLiteral("b.TXT"));
    QCOMPARE(dropped({"c.png", "gone.rtf", "a.rtf"}), QStringLiteral("a.rtf"));
    QCOMPARE(dropped({"c.png", "gone.txt"}), QString());
}

// The whole song, or the selection alone, goes to a PDF file chosen in the
// print dialog; a cancelled dialog prints nothing.
void tst_SongFileCommands::printsToPdf()
{
    Fixture f;
    f.song->setTextRTF(QString::fromLatin1(songRtf));
    f.song->moveCursor(QTextCursor::End);
    QTextCursor cursor = f.song->textCursor();
    DocumentImages::insertImage(cursor, chordPicture(3));
    const QString pdf = f.songPath("Song.pdf");
    f.prompt.choosePrinter = [pdf](QPrinter *printer) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
    };
    f.commands->Print();
    QVERIFY(!QFileInfo::exists(pdf));

    f.prompt.printAnswers << true;
    f.commands->Print();
    const QByteArray whole = readAll(pdf);
    QVERIFY(whole.startsWith("%PDF") && whole.contains("/Subtype /Image"));
    // The 40-pixel chord goes in crisp: each pixel a whole number of the
    // printer's pixels, and no smoothing asked of the viewer.
    const int width = QRegularExpression("/Width (\\d+)").match(QString::fromLatin1(whole)).captured(1).toInt();
    QVERIFY2(width > 40 && width % 40 == 0 && !whole.contains("/Interpolate true"), qPrintable(QString::number(width)));

    f.song->setSelStart(0);
    f.song->setSelLength(7);
    f.prompt.printAnswers << true;
    f.commands->Print();
    QCOMPARE(f.prompt.printSelectionOffered, QList<bool>({false, false, true}));
    const QByteArray selection = readAll(pdf);
    QVERIFY(selection.startsWith("%PDF") && !selection.contains("/Subtype /Image"));
    f.commands->PrintPreview();
    QCOMPARE(f.prompt.dialogTitles.last(), QStringLiteral("Print Preview"));
}

QTEST_MAIN(tst_SongFileCommands)
#include "tst_songfilecommands.moc"
