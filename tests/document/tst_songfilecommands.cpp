// The File commands over a real song control and real files: the save
// question and what stops a command, Save and Save As with the marker names,
// overwriting, plain text, failures told with the file's name and reason,
// the title, the changed flag, recent songs and printing to PDF.

#include "base/Module1.h"
#include "base/SettingsStore.h"
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
        QFile::copy(QStringLiteral(SONGLOOM_PROGRAM_DIR "/NewSongTemplate.rtf"),
                    folder.filePath("NewSongTemplate.rtf"));
    }

    QString songPath(const QString &name) const { return joinPath(folder.filePath("My Songs"), name); }

    // An opened song with one edit made by the user.
    bool openEdited(const QString &name)
    {
        if (!writeAll(songPath(name), songRtf) || !commands->OpenSong(songPath(name)))
            return false;
        song->moveCursor(QTextCursor::End);
        QTest::keyClicks(song, "!");
        return song->Changed();
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
    void failedOpenLeavesTheSong_data();
    void failedOpenLeavesTheSong();
    void failedSaveIsTold();
    void newAndCloseGiveNewSongs();
    void changedFlagFollowsTheUsersEdits();
    void recentSongs();
    void droppedSongFiles_data();
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

    for (const char *command : {"New", "Open", "Close"}) {
        QTest::addRow("%s, No", command) << command << QMessageBox::No << "" << true;
        QTest::addRow("%s, Cancel", command) << command << QMessageBox::Cancel << "" << false;
        QTest::addRow("%s, Yes, Save As cancelled", command) << command << QMessageBox::Yes << "" << false;
        QTest::addRow("%s, Yes, saved", command) << command << QMessageBox::Yes << "Kept.rtf" << true;
        QTest::addRow("%s, Yes, save failed", command) << command << QMessageBox::Yes << "no folder/Kept.rtf"
                                                       << false;
    }
}

void tst_SongFileCommands::saveQuestionStopsOrGoesOn()
{
    QFETCH(QString, command);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(QString, saveAsPath);
    QFETCH(bool, goesOn);

    Fixture f;
    // A song with no file of its own, so Yes runs Save As.
    f.commands->NewSong();
    QTest::keyClicks(f.song, "My own words");
    QVERIFY(f.song->Changed());
    const QString before = f.song->Text();
    const QString titleBefore = f.commands->title();

    writeAll(f.songPath("Other.rtf"), songRtf);
    f.prompt.messageAnswers << answer;
    if (!saveAsPath.isEmpty())
        f.prompt.fileAnswers << f.songPath(saveAsPath);
    else if (answer == QMessageBox::Yes)
        f.prompt.fileAnswers << QString();
    f.prompt.fileAnswers << f.songPath("Other.rtf");

    if (command == "New")
        f.commands->New();
    else if (command == "Open")
        f.commands->Open();
    else
        f.commands->Close();

    QCOMPARE(f.prompt.messages.first().title, QStringLiteral("Save Changes?"));
    QCOMPARE(f.prompt.messages.first().text, QStringLiteral("The current Document has changed.\nDo you want to save it?"));
    QCOMPARE(f.prompt.messages.first().icon, QMessageBox::Question);
    QCOMPARE(f.prompt.messages.first().buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (!goesOn) {
        QCOMPARE(f.song->Text(), before);
        QVERIFY(f.song->Changed());
        QCOMPARE(f.commands->title(), titleBefore);
        return;
    }
    QVERIFY(!f.song->Changed());
    QVERIFY(f.song->Text() != before);
    if (answer == QMessageBox::Yes)
        QCOMPARE(readAll(f.songPath(saveAsPath)).contains("My own words"), true);
    if (command == "Open")
        QCOMPARE(f.commands->title(), QStringLiteral("Songloom - Other.rtf"));
    else
        QCOMPARE(f.commands->title(), QStringLiteral("Songloom - NewSong1"));
}

// Songs named like the template or the new song, and songs without a file,
// go to Save As; others are written in place.
void tst_SongFileCommands::saveFollowsTheFileName_data()
{
    QTest::addColumn<QString>("opened");   // relative to My Songs; "" for a new song
    QTest::addColumn<QString>("proposed"); // "" when Save writes in place

    QTest::newRow("named") << "Amazing Grace.rtf" << "";
    QTest::newRow("in a Templates folder") << "Templates/Song.rtf" << "NewSong1.rtf";
    QTest::newRow("TEMPLATE in the name") << "My TEMPLATE.rtf" << "NewSong1.rtf";
    QTest::newRow("NewSong1") << "NewSong1.rtf" << "NewSong1.rtf";
    QTest::newRow("NewSong12") << "newsong12.rtf" << "newsong12.rtf";
    QTest::newRow("new song after another was open") << "" << "NewSong1.rtf";
}

void tst_SongFileCommands::saveFollowsTheFileName()
{
    QFETCH(QString, opened);
    QFETCH(QString, proposed);

    Fixture f;
    QDir().mkpath(f.songPath("Templates"));
    // The song open before must never be overwritten by a new song.
    writeAll(f.songPath("Before.rtf"), songRtf);
    QVERIFY(f.commands->OpenSong(f.songPath("Before.rtf")));
    if (opened.isEmpty()) {
        f.commands->Close();
    } else {
        QVERIFY(writeAll(f.songPath(opened), songRtf));
        QVERIFY(f.commands->OpenSong(f.songPath(opened)));
    }
    f.song->moveCursor(QTextCursor::End);
    QTest::keyClicks(f.song, " edited");

    QCOMPARE(f.commands->Save(), proposed.isEmpty());
    if (proposed.isEmpty()) {
        QVERIFY(f.prompt.dialogTitles.isEmpty());
        QVERIFY(readAll(f.songPath(opened)).contains("edited"));
        QVERIFY(!f.song->Changed());
    } else {
        QCOMPARE(f.prompt.dialogTitles, QStringList{"Save As"});
        QCOMPARE(f.prompt.dialogPaths, QStringList{f.songPath(proposed)});
        QVERIFY(f.song->Changed());
    }
    QVERIFY(!readAll(f.songPath("Before.rtf")).contains("edited"));
}

void tst_SongFileCommands::saveAsAsksBeforeReplacing()
{
    Fixture f;
    f.commands->NewSong();
    QTest::keyClicks(f.song, "New words");
    const QString existing = f.songPath("Existing.rtf");
    writeAll(existing, "{\\rtf1 old}");

    // No: the dialog comes back, proposing the same name; then cancelled.
    f.prompt.fileAnswers << existing;
    f.prompt.messageAnswers << QMessageBox::No;
    QVERIFY(!f.commands->SaveDocumentAs());
    QCOMPARE(f.prompt.dialogTitles, QStringList({"Save As", "Save As"}));
    QCOMPARE(f.prompt.dialogPaths.last(), existing);
    QCOMPARE(f.prompt.messages.size(), 1);
    QCOMPARE(f.prompt.messages[0].text, QDir::toNativeSeparators(existing)
                                            + QStringLiteral(" already exists.\nDo you want to replace it?"));
    QCOMPARE(f.prompt.messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(readAll(existing), QByteArray("{\\rtf1 old}"));
    QCOMPARE(f.commands->title(), QStringLiteral("Songloom - NewSong1"));

    // Yes: written, and the name holds for the next Save.
    f.prompt.fileAnswers << existing;
    f.prompt.messageAnswers << QMessageBox::Yes;
    QVERIFY(f.commands->SaveDocumentAs());
    QVERIFY(readAll(existing).contains("New words"));
    QCOMPARE(f.commands->fileName(), existing);
    QCOMPARE(f.commands->title(), QStringLiteral("Songloom - Existing.rtf"));
    QTest::keyClicks(f.song, " more");
    const int dialogs = f.prompt.dialogTitles.size();
    QVERIFY(f.commands->Save());
    QCOMPARE(f.prompt.dialogTitles.size(), dialogs);
    QVERIFY(readAll(existing).contains("New words more"));
}

// RTF under .rtf and .doc; plain text, after a word of warning, under .txt,
// and the later Saves keep the format without asking again.
void tst_SongFileCommands::saveAsFormats_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("plain");

    QTest::newRow("rtf") << "Rich Text Format (*.rtf)" << "Song.rtf" << false;
    QTest::newRow("word6") << "Word6 Document (*.doc)" << "Song.doc" << false;
    QTest::newRow("plain text") << "Plain Text (*.txt)" << "Song.txt" << true;
}

void tst_SongFileCommands::saveAsFormats()
{
    QFETCH(QString, entry);
    QFETCH(QString, name);
    QFETCH(bool, plain);

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
    QCOMPARE(written.startsWith("{\\rtf"), !plain);
    QCOMPARE(f.prompt.messages.size(), plain ? 1 : 0);
    if (plain) {
        QCOMPARE(f.prompt.messages[0].title, QStringLiteral("Plain Text"));
        QCOMPARE(written, QByteArray("Amazing grace\nhow sweet"));
    }

    QTest::keyClicks(f.song, "!");
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
    QCOMPARE(f.song->Text(), QStringLiteral("Grüße\r\nsecond line\r\n"));
    QCOMPARE(f.commands->title(), QStringLiteral("Songloom - Lyrics.txt"));
    QVERIFY(!f.song->Changed());
    QVERIFY(f.commands->OpenSong(f.songPath("Old.txt")));
    QCOMPARE(f.song->Text(), QStringLiteral("café"));
}

// A failed Open tells the file and the reason, and keeps song, title and
// changed flag.
void tst_SongFileCommands::failedOpenLeavesTheSong_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing") << "Gone.rtf";
    QTest::newRow("a folder") << "Folder.rtf";
    QTest::newRow("unreadable") << "Locked.rtf";
}

void tst_SongFileCommands::failedOpenLeavesTheSong()
{
    QFETCH(QString, name);
    Fixture f;
    QDir().mkpath(f.songPath("Folder.rtf"));
    writeAll(f.songPath("Locked.rtf"), songRtf);
    QFile::setPermissions(f.songPath("Locked.rtf"), QFileDevice::WriteOwner);
    if (name == "Locked.rtf" && isRoot())
        QSKIP("Running as root: permissions do not stop reading.");

    QVERIFY(f.openEdited("Mine.rtf"));
    const QString before = f.song->Text();
    f.prompt.messageAnswers << QMessageBox::No;
    f.prompt.fileAnswers << f.songPath(name);
    f.commands->Open();

    QCOMPARE(f.prompt.messages.size(), 2);
    const ScriptedPrompt::Message told = f.prompt.messages[1];
    QCOMPARE(told.title, QStringLiteral("Cannot Open Song"));
    QVERIFY(told.text.contains(QDir::toNativeSeparators(f.songPath(name))));
    QVERIFY(told.text.contains(QLatin1String("Error Number: ")));
    QVERIFY(!told.text.endsWith(QLatin1String("Description: ")));
    QCOMPARE(f.song->Text(), before);
    QVERIFY(f.song->Changed());
    QCOMPARE(f.commands->title(), QStringLiteral("Songloom - Mine.rtf"));
    QCOMPARE(f.commands->fileName(), f.songPath("Mine.rtf"));
}

// A folder that cannot be written: read-only, or (as root, where permissions
// do not stop writes) a "folder" that is a regular file.
void tst_SongFileCommands::failedSaveIsTold()
{
    Fixture f;
    QVERIFY(f.openEdited("Mine.rtf"));
    QString target;
    if (isRoot()) {
        writeAll(f.songPath("NotAFolder"), "x");
        target = f.songPath("NotAFolder/Song.rtf");
    } else {
        QDir().mkpath(f.songPath("ReadOnly"));
        QFile::setPermissions(f.songPath("ReadOnly"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        target = f.songPath("ReadOnly/Song.rtf");
    }

    f.prompt.fileAnswers << target;
    QVERIFY(!f.commands->SaveDocumentAs());
    QCOMPARE(f.prompt.messages.size(), 1);
    QCOMPARE(f.prompt.messages[0].title, QStringLiteral("Cannot Save Song"));
    QVERIFY(f.prompt.messages[0].text.startsWith(QLatin1String("The song could not be saved as:\n")
                                                 + QDir::toNativeSeparators(target)));
    QVERIFY(f.prompt.messages[0].text.contains(QLatin1String("Description: ")));
    QVERIFY(!QFileInfo::exists(target));
    QVERIFY(f.song->Changed());
    QCOMPARE(f.commands->title(), QStringLiteral("Songloom - Mine.rtf"));
    QCOMPARE(f.commands->fileName(), f.songPath("Mine.rtf"));

    // Save in place into a file that has become a folder: told, still changed.
    QFile::remove(f.songPath("Mine.rtf"));
    QDir().mkpath(f.songPath("Mine.rtf"));
    QVERIFY(!f.commands->Save());
    QCOMPARE(f.prompt.messages.size(), 2);
    QVERIFY(f.prompt.messages[1].text.contains(QDir::toNativeSeparators(f.songPath("Mine.rtf"))));
    QVERIFY(f.song->Changed());
    QFile::setPermissions(f.songPath("ReadOnly"), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                      | QFileDevice::ExeOwner);
}

void tst_SongFileCommands::newAndCloseGiveNewSongs()
{
    Fixture f;
    f.commands->startupSong();
    QCOMPARE(f.commands->title(), QStringLiteral("Songloom - NewSong1"));
    QCOMPARE(f.commands->fileName(), f.folder.filePath("NewSongTemplate.rtf"));
    QVERIFY(f.song->Text().contains(QLatin1String("Words & Music by")));

    writeAll(f.songPath("A.rtf"), songRtf);
    QVERIFY(f.commands->OpenSong(f.songPath("A.rtf")));
    QCOMPARE(f.commands->title(), QStringLiteral("Songloom - A.rtf"));
    f.commands->Close();
    QCOMPARE(f.song->Text(), QString());
    QCOMPARE(f.commands->title(), QStringLiteral("Songloom - NewSong1"));
    QVERIFY(f.commands->fileName().isEmpty());

    f.commands->New();
    QVERIFY(f.song->Text().contains(QLatin1String("Words & Music by")));
    QVERIFY(!f.song->Changed());
    // Without the template a new song is empty and nothing is said.
    QFile::remove(f.folder.filePath("NewSongTemplate.rtf"));
    f.commands->New();
    QCOMPARE(f.song->Text(), QString());
    QVERIFY(f.prompt.messages.isEmpty());
    QCOMPARE(f.commands->title(), QStringLiteral("Songloom - NewSong1"));
}

void tst_SongFileCommands::changedFlagFollowsTheUsersEdits()
{
    Fixture f;
    QSignalSpy refreshes(f.commands, &SongFileCommands::selectionStateNeeded);
    f.commands->setLoading(true);
    QTest::keyClicks(f.song, "x");
    QVERIFY(!f.song->Changed());
    QCOMPARE(refreshes.count(), 0);
    f.commands->setLoading(false);

    writeAll(f.songPath("A.rtf"), songRtf);
    QVERIFY(f.commands->OpenSong(f.songPath("A.rtf")));
    QVERIFY(!f.song->Changed());
    QTest::keyClicks(f.song, "y");
    QVERIFY(f.song->Changed());
    QVERIFY(refreshes.count() >= 2);
}

void tst_SongFileCommands::recentSongs()
{
    Fixture f;
    for (int i = 1; i <= 10; ++i) {
        const QString path = f.songPath(QStringLiteral("Song %1.rtf").arg(i));
        writeAll(path, songRtf);
        QVERIFY(f.commands->OpenSong(path));
    }
    QVERIFY(f.commands->OpenSong(f.songPath("Song 5.rtf")));
    QStringList expected = {f.songPath("Song 5.rtf"), f.songPath("Song 10.rtf"), f.songPath("Song 9.rtf"),
                            f.songPath("Song 8.rtf"), f.songPath("Song 7.rtf"), f.songPath("Song 6.rtf"),
                            f.songPath("Song 4.rtf"), f.songPath("Song 3.rtf")};
    QCOMPARE(f.commands->recentSongs(), expected);
    QCOMPARE(RecentSongs::load(), expected);

    // A song gone since: told, and taken off the list.
    QFile::remove(f.songPath("Song 9.rtf"));
    f.commands->OpenRecent(f.songPath("Song 9.rtf"));
    QCOMPARE(f.prompt.messages.size(), 1);
    QCOMPARE(f.prompt.messages[0].title, QStringLiteral("Missing Song"));
    QCOMPARE(f.commands->title(), QStringLiteral("Songloom - Song 5.rtf"));
    expected.removeAt(2);
    QCOMPARE(RecentSongs::load(), expected);

    // The next run reads the same list.
    QWidget window;
    rtfText song(&window);
    SongFileCommands next(&song, &window);
    QCOMPARE(next.recentSongs(), expected);
}

void tst_SongFileCommands::droppedSongFiles_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("opened");
    QTest::newRow("rtf") << QStringList{"a.rtf"} << "a.rtf";
    QTest::newRow("TXT") << QStringList{"b.TXT"} << "b.TXT";
    QTest::newRow("picture, then song") << QStringList{"c.png", "a.rtf"} << "a.rtf";
    QTest::newRow("picture only") << QStringList{"c.png"} << "";
    QTest::newRow("missing song") << QStringList{"gone.rtf"} << "";
}

void tst_SongFileCommands::droppedSongFiles()
{
    QFETCH(QStringList, names);
    QFETCH(QString, opened);
    QTemporaryDir dir;
    for (const char *name : {"a.rtf", "b.TXT", "c.png"})
        writeAll(dir.filePath(name), "x");
    QList<QUrl> urls;
    for (const QString &name : names)
        urls << QUrl::fromLocalFile(dir.filePath(name));
    QMimeData data;
    data.setUrls(urls);
    QCOMPARE(SongFileCommands::songFileIn(&data), opened.isEmpty() ? QString() : dir.filePath(opened));
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
    QCOMPARE(f.prompt.printSelectionOffered, QList<bool>({false, false}));
    const QByteArray whole = readAll(pdf);
    QVERIFY(whole.startsWith("%PDF"));
    QVERIFY(whole.contains("/Subtype /Image"));
    // The 40-pixel chord goes in crisp: each pixel a whole number of the
    // printer's pixels, and no smoothing asked of the viewer.
    const QRegularExpressionMatch width = QRegularExpression("/Width (\\d+)").match(QString::fromLatin1(whole));
    QVERIFY(width.hasMatch());
    QCOMPARE(width.captured(1).toInt() % 40, 0);
    QVERIFY(width.captured(1).toInt() > 40);
    QVERIFY(!whole.contains("/Interpolate true"));

    f.song->setSelStart(0);
    f.song->setSelLength(7);
    f.prompt.printAnswers << true;
    f.commands->Print();
    QCOMPARE(f.prompt.printSelectionOffered.last(), true);
    const QByteArray selection = readAll(pdf);
    QVERIFY(selection.startsWith("%PDF"));
    QVERIFY(!selection.contains("/Subtype /Image"));

    f.commands->PrintPreview();
    QCOMPARE(f.prompt.dialogTitles.last(), QStringLiteral("Print Preview"));
}

QTEST_MAIN(tst_SongFileCommands)
#include "tst_songfilecommands.moc"
