// The File commands over a real song control and real files: the save
// question, Save and Save As with the marker names, overwriting, plain text,
// failures told with the file's name and reason, and printing to PDF.

#include "base/Module1.h"
#include "document/SongFileCommands.h"
#include "document/rtfText.h"
#include "support/ScriptedPrompt.h"
#include "support/TestProgramFolder.h"
#include "tst_rtfwriter_documents.h"

#include <QDir>
#include <QPrinter>
#include <QTest>

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
    void type(const QString &text) { song->moveCursor(QTextCursor::End), QTest::keyClicks(song, text); }
    void setSongWithChord()
    {
        song->setTextRTF(QString::fromLatin1(songRtf));
        song->moveCursor(QTextCursor::End);
        QTextCursor cursor = song->textCursor();
        DocumentImages::insertImage(cursor, chordPicture(1));
    }
    // The song, its flag, title and file name, to compare before and after.
    QString state() const { return QStringList{song->Text(), QString::number(song->Changed()), commands->title(), commands->fileName()}.join('|'); }
};

} // namespace

class tst_SongFileCommands : public QObject
{
    Q_OBJECT

private slots:
    void saveQuestionStopsOrGoesOn();
    void saveFollowsTheFileName();
    void saveAsAsksBeforeReplacing();
    void saveAsFormats();
    void openTextOrFail();
    void failedSaveIsTold();
    void printsToPdf();
};

// Each command that replaces the song asks first; Cancel, or Yes with a Save
// As cancelled or failed, leaves the song as it was. Shown: the question,
// whether the words are still there, the changed flag, the title, and
// whether Save As wrote the words.
void tst_SongFileCommands::saveQuestionStopsOrGoesOn()
{
    QString question;
    const auto after = [&question](const char *command, QMessageBox::StandardButton answer, const QString &saveAs = {}) {
        Fixture f;
        f.commands->NewSong(); // no file of its own, so Yes runs Save As
        f.type("My own words");
        writeAll(f.songPath("Other.rtf"), songRtf);
        f.prompt.messageAnswers << answer;
        if (answer == QMessageBox::Yes)
            f.prompt.fileAnswers << (saveAs.isEmpty() ? QString() : f.songPath(saveAs));
        f.prompt.fileAnswers << f.songPath("Other.rtf");
        command == QLatin1String("New") ? f.commands->New() : command == QLatin1String("Open") ? f.commands->Open() : f.commands->Close();
        question = messageLine(f.prompt.messages.value(0));
        return QStringList{f.prompt.messages.value(0).title, f.song->Text().contains("My own words") ? "kept" : "gone",
                           QString::number(f.song->Changed()), f.commands->title(),
                           readAll(f.songPath(saveAs)).contains("My own words") ? "saved" : ""}.join('|');
    };
    QCOMPARE(after("New", QMessageBox::Cancel), "Save Changes?|kept|1|Songloom - NewSong1|");
    QCOMPARE(after("New", QMessageBox::No), "Save Changes?|gone|0|Songloom - NewSong1|");
    QCOMPARE(after("Open", QMessageBox::Yes, "no folder/Kept.rtf"), "Save Changes?|kept|1|Songloom - NewSong1|");
    QCOMPARE(after("Open", QMessageBox::No), "Save Changes?|gone|0|Songloom - Other.rtf|");
    QCOMPARE(after("Close", QMessageBox::Yes), "Save Changes?|kept|1|Songloom - NewSong1|"); // Save As cancelled
    QCOMPARE(after("Close", QMessageBox::Yes, "Kept.rtf"), "Save Changes?|gone|0|Songloom - NewSong1|saved");
    QCOMPARE(question, messageLine({QMessageBox::Question, "Save Changes?", "The current Document has changed.\nDo you want to save it?",
                                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel}));
}

// Songs named like the template or the new song, and songs without a file,
// go to Save As with a new song's name; others are written in place. The
// song open before is never written over.
void tst_SongFileCommands::saveFollowsTheFileName()
{
    const auto save = [](const QString &opened) {
        Fixture f;
        f.open("Before.rtf");
        opened.isEmpty() ? f.commands->Close() : void(f.open(opened));
        f.type(" edited");
        const bool inPlace = f.commands->Save() && readAll(f.songPath(opened)).contains("edited");
        return (inPlace ? QStringLiteral("in place") : "Save As " + QFileInfo(f.prompt.dialogPaths.value(0)).fileName())
            + (readAll(f.songPath("Before.rtf")).contains("edited") ? ", Before.rtf written over" : "");
    };
    QCOMPARE(save("Amazing Grace.rtf"), "in place");
    QCOMPARE(save("My TEMPLATE.rtf"), "Save As NewSong1.rtf");
    QCOMPARE(save("NewSong12.rtf"), "Save As NewSong12.rtf");
    QCOMPARE(save(""), "Save As NewSong1.rtf"); // a new song after another was open
}

// No: the dialog comes back with the same name. Yes: written, and the name
// holds for the next Save.
void tst_SongFileCommands::saveAsAsksBeforeReplacing()
{
    Fixture f;
    f.commands->NewSong();
    f.type("New words");
    const QString existing = f.songPath("Existing.rtf");
    writeAll(existing, "{\\rtf1 old}");
    f.prompt.fileAnswers << existing;
    f.prompt.messageAnswers << QMessageBox::No;
    QVERIFY(!f.commands->SaveDocumentAs());
    QCOMPARE(f.prompt.dialogPaths, QStringList({f.songPath("NewSong1.rtf"), existing}));
    QCOMPARE(messageLine(f.prompt.messages.value(0)),
             messageLine({QMessageBox::Warning, "Save As", QDir::toNativeSeparators(existing) + " already exists.\nDo you want to replace it?",
                          QMessageBox::Yes | QMessageBox::No}));
    QCOMPARE(readAll(existing) + f.commands->title().toLatin1(), QByteArray("{\\rtf1 old}Songloom - NewSong1"));

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
// and the later Saves keep the format without asking again. Shown: what
// Save As wrote, what Save wrote, and the messages.
void tst_SongFileCommands::saveAsFormats()
{
    const auto saveAs = [](const QString &entry, const QString &name) {
        Fixture f;
        f.setSongWithChord();
        f.prompt.fileAnswers << f.songPath(name);
        f.prompt.filterAnswers << entry;
        f.commands->SaveDocumentAs();
        const QByteArray first = readAll(f.songPath(name));
        f.type("!");
        f.commands->Save();
        QStringList shown{first.startsWith("{\\rtf") ? "RTF" : first, readAll(f.songPath(name)).startsWith("{\\rtf") ? "RTF" : "text"};
        for (const ScriptedPrompt::Message &message : f.prompt.messages)
            shown << message.title;
        return shown.join('|');
    };
    QCOMPARE(saveAs("Rich Text Format (*.rtf)", "Song.rtf"), "RTF|RTF");
    QCOMPARE(saveAs("Word6 Document (*.doc)", "Song.doc"), "RTF|RTF");
    QCOMPARE(saveAs("Plain Text (*.txt)", "Song.txt"), "Amazing grace\nhow sweet|text|Plain Text");
}

// Text that is not RTF opens as UTF-8, or else Latin-1.
void tst_SongFileCommands::openTextOrFail()
{
    Fixture f;
    writeAll(f.songPath("Lyrics.txt"), "Gr\xc3\xbc\xc3\x9f" "e\r\nsecond line\n");
    writeAll(f.songPath("Old.txt"), "caf\xe9");
    QVERIFY(f.commands->OpenSong(f.songPath("Lyrics.txt")));
    QCOMPARE(f.state(), QStringLiteral("Grüße\r\nsecond line\r\n|0|Songloom - Lyrics.txt|") + f.songPath("Lyrics.txt"));
    QVERIFY(f.commands->OpenSong(f.songPath("Old.txt")));
    QCOMPARE(f.song->Text(), QStringLiteral("café"));

    // A failed Open is told with the file and the reason; song, title and flag stay.
    f.type("!");
    const QString before = f.state();
    f.prompt.messageAnswers << QMessageBox::No;
    f.prompt.fileAnswers << f.songPath("Gone.rtf");
    f.commands->Open();
    const ScriptedPrompt::Message told = f.prompt.messages.value(1);
    QCOMPARE(told.title, QStringLiteral("Cannot Open Song"));
    QVERIFY2(told.text.contains(QDir::toNativeSeparators(f.songPath("Gone.rtf"))) && told.text.contains("Error Number: ")
                 && !told.text.endsWith("Description: "), qPrintable(told.text));
    QCOMPARE(f.state(), before);
}

// Save As into a read-only folder (as root, where permissions do not stop
// writes, a "folder" that is a regular file), and Save in place into a file
// that has become a folder: told, and the song still changed.
void tst_SongFileCommands::failedSaveIsTold()
{
    Fixture f;
    QVERIFY(f.open("Mine.rtf"));
    f.type("!");
    const QString before = f.state();
    QDir().mkpath(f.songPath("ReadOnly"));
    QFile::setPermissions(f.songPath("ReadOnly"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    writeAll(f.songPath("NotAFolder"), "x");
    const QString target = f.songPath(::geteuid() == 0 ? "NotAFolder/Song.rtf" : "ReadOnly/Song.rtf");
    f.prompt.fileAnswers << target;
    QVERIFY(!f.commands->SaveDocumentAs());
    const QString told = f.prompt.messages.value(0).title + '|' + f.prompt.messages.value(0).text;
    QVERIFY2(told.startsWith("Cannot Save Song|The song could not be saved as:\n" + QDir::toNativeSeparators(target))
                 && told.contains("Description: ") && !QFileInfo::exists(target), qPrintable(told));
    QCOMPARE(f.state(), before);

    QFile::remove(f.songPath("Mine.rtf"));
    QDir().mkpath(f.songPath("Mine.rtf"));
    QVERIFY(!f.commands->Save());
    QVERIFY(f.prompt.messages.value(1).text.contains(QDir::toNativeSeparators(f.songPath("Mine.rtf"))) && f.song->Changed());
}

// The song goes to a PDF file chosen in the print dialog; a cancelled dialog
// prints nothing. (The selection alone: in the rich text control's tests.)
void tst_SongFileCommands::printsToPdf()
{
    Fixture f;
    f.setSongWithChord();
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
}

QTEST_MAIN(tst_SongFileCommands)
#include "tst_songfilecommands.moc"
