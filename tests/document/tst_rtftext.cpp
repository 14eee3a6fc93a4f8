// The song's rich text control: the selection as RTF, its song's text kept
// in step with it, change events, files, pictures dropped and copied, and
// printing. (What the song's text does alone is in tst_songtext.)

#include "document/SongPrinter.h"
#include "document/rtfText.h"
#include "tst_rtfwriter_documents.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QMimeData>
#include <QPdfWriter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace SongSamples;
using Operation = std::function<void(rtfText &)>;
Q_DECLARE_METATYPE(Operation)

class tst_RtfText : public QObject
{
    Q_OBJECT

private slots:
    void selRtfCarriesFormatsAndPictures_data();
    void selRtfCarriesFormatsAndPictures();
    void emptyTextRtfAppliesBaseFont();
    void songTextFollowsTheControl();
    void changeEvents_data();
    void changeEvents();
    void saveAndLoadFile();
    void failedLoadChangesNothing_data();
    void failedLoadChangesNothing();
    void dropEmbedsPictureAtDropPoint_data();
    void dropEmbedsPictureAtDropPoint();
    void selPrint();

private:
    QString file(const QString &name, const QByteArray &content)
    {
        return writeAll(m_dir.filePath(name), content) ? m_dir.filePath(name) : QString();
    }

    QTemporaryDir m_dir;
};

void tst_RtfText::selRtfCarriesFormatsAndPictures_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    // Positions in the full song (see fillFullSong).
    QTest::newRow("nothing") << 5 << 5;
    QTest::newRow("inside the title") << 3 << 10;
    QTest::newRow("title and its break") << 0 << 14;
    QTest::newRow("across three paragraphs") << 20 << 60;
    QTest::newRow("chords and text") << 120 << 131;
    QTest::newRow("from a break to the end") << 13 << -1;
    QTest::newRow("everything") << 0 << -1;
}

void tst_RtfText::selRtfCarriesFormatsAndPictures()
{
    QFETCH(int, from);
    QFETCH(int, to);
    rtfText source;
    source.setBaseFont(testBaseFont());
    fillFullSong(*source.document());
    QTextCursor cursor(source.document());
    cursor.setPosition(from);
    cursor.setPosition(to < 0 ? source.document()->characterCount() - 1 : to, QTextCursor::KeepAnchor);
    source.setTextCursor(cursor);

    rtfText target;
    target.setBaseFont(testBaseFont());
    target.setSelText(QStringLiteral("[]"));
    target.setSelStart(1);
    target.setSelRTF(source.SelRTF());
    QCOMPARE(target.Text(), QLatin1Char('[') + source.SelText() + QLatin1Char(']'));
    target.setSelStart(1);
    target.setSelLength(source.SelLength());
    QCOMPARE(runs(*SongPrinter::selectedDocument(target.textCursor())), runs(*SongPrinter::selectedDocument(cursor)));
}

void tst_RtfText::emptyTextRtfAppliesBaseFont()
{
    rtfText text;
    text.setTextRTF(QStringLiteral("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs48\\b\\qc big}"));
    text.setSelStart(3);
    QCOMPARE(text.SelBold(), std::optional<bool>(true));
    text.setTextRTF(QString());
    text.setSelText(QStringLiteral("typed"));
    text.selectAll();
    QCOMPARE(text.SelBold(), std::optional<bool>(false));
    QCOMPARE(text.SelFontName(), std::optional<QString>(QStringLiteral("MS Sans Serif")));
    QCOMPARE(text.SelFontSize(), std::optional<double>(9.75));
    QCOMPARE(text.SelAlignment(), std::optional<int>(rtfText::rtfLeft));
    QFont other(QStringLiteral("Arial"));
    other.setPointSizeF(14);
    text.setBaseFont(other);
    QCOMPARE(text.SelFontSize(), std::optional<double>(14));
}

// Code that works on the song's text without the widget moves the control's
// selection, and sees every move and typing format the control's user makes.
void tst_RtfText::songTextFollowsTheControl()
{
    rtfText text;
    SongText &song = text.songText();
    QCOMPARE(song.document(), text.document());
    text.setSelText(QStringLiteral("one two\r\nthree"));
    QSignalSpy moves(&text, &rtfText::SelChange);
    song.setSelStart(4);
    song.Span(QStringLiteral(" \r\n"));
    QCOMPARE(text.textCursor().selectedText(), QStringLiteral("two"));
    QCOMPARE(moves.count(), 2);

    QTest::keyClick(&text, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(&text, Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(song.SelStart(), 13);
    QCOMPARE(song.SelText(), QStringLiteral("e"));

    song.setSelStart(14);
    song.setSelBold(true);
    QTest::keyClicks(&text, QStringLiteral("!"));
    QTextCharFormat italic;
    italic.setFontItalic(true);
    text.mergeCurrentCharFormat(italic);
    QVERIFY(song.SelBold().value_or(false) && song.SelItalic().value_or(false));
    song.setSelStart(14);
    song.setSelLength(1);
    QCOMPARE(text.textCursor().selectedText(), QStringLiteral("!"));
    QCOMPARE(song.SelBold(), std::optional<bool>(true));
}

void tst_RtfText::changeEvents_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<int>("changes");
    QTest::addColumn<int>("moves");
    QTest::addColumn<QString>("after"); // the text, "|" where the selection starts
    const QString song = file(QStringLiteral("song.rtf"), "{\\rtf1 loaded\\par song}");
    QTest::newRow("LoadFile") << Operation([song](rtfText &t) { QVERIFY(t.LoadFile(song)); }) << 1 << 1 << "|loaded\r\nsong";
    QTest::newRow("TextRTF") << Operation([](rtfText &t) { t.setTextRTF(QStringLiteral("{\\rtf1 x\\par y}")); }) << 1 << 1 << "|x\r\ny";
    QTest::newRow("TextRTF emptied twice") << Operation([](rtfText &t) { t.setTextRTF({}), t.setTextRTF({}); }) << 2 << 1 << "|";
    QTest::newRow("SelText") << Operation([](rtfText &t) { t.setSelText(QStringLiteral("a\r\nb")); }) << 1 << 1 << "a\r\nb|";
    QTest::newRow("SelRTF") << Operation([](rtfText &t) { t.setSelRTF(QStringLiteral("{\\rtf1 a\\par {\\b b}}")); }) << 1 << 1 << "a\r\nb|";
    QTest::newRow("SelRTF of what is not RTF, as text")
        << Operation([](rtfText &t) { t.setSelRTF(QStringLiteral("{\\b x} \\par")); }) << 1 << 1 << "{\\b x} \\par|";
    QTest::newRow("SelBold") << Operation([](rtfText &t) { t.setSelBold(true); }) << 1 << 0 << "|start";
    QTest::newRow("three keys typed") << Operation([](rtfText &t) { QTest::keyClicks(&t, QStringLiteral("abc")); }) << 3 << 3 << "abc|";
    QTest::newRow("undo") << Operation([](rtfText &t) { t.undo(); }) << 1 << 1 << "|";
    QTest::newRow("selection moves") << Operation([](rtfText &t) {
        t.setSelStart(2);
        t.setSelLength(1);
        t.setSelLength(1); // no move
        t.Span(QStringLiteral(" "));
    }) << 0 << 3 << "st|art";
}

void tst_RtfText::changeEvents()
{
    QFETCH(Operation, operation);
    QFETCH(int, changes);
    QFETCH(int, moves);
    QFETCH(QString, after);
    rtfText text;
    text.setSelText(QStringLiteral("start"));
    text.selectAll();
    QSignalSpy changeSpy(&text, &rtfText::Change);
    QSignalSpy moveSpy(&text, &rtfText::SelChange);
    operation(text);
    QCOMPARE(changeSpy.count(), changes);
    QCOMPARE(moveSpy.count(), moves);
    QCOMPARE(text.SelStart(), after.indexOf(QLatin1Char('|')));
    QCOMPARE(text.Text(), after.remove(QLatin1Char('|')));
    QCOMPARE(text.document()->blockCount(), after.count(QLatin1String("\r\n")) + 1);
    QCOMPARE(text.FileName().isEmpty(), !after.startsWith(QLatin1String("loaded")));
}

void tst_RtfText::saveAndLoadFile()
{
    const QString path = m_dir.filePath(QStringLiteral("Any Name.txt")); // RTF whatever the extension
    rtfText text;
    fillFullSong(*text.document());
    QVERIFY2(text.SaveFile(path), qPrintable(text.errorString()));
    QVERIFY(text.FileName().isEmpty()); // saving does not make it the loaded file

    rtfText loaded;
    QVERIFY2(loaded.LoadFile(path), qPrintable(loaded.errorString()));
    QCOMPARE(loaded.FileName(), path);
    QCOMPARE(loaded.Text(), text.Text());
    QCOMPARE(pictures(*loaded.document()), pictures(*text.document()));
    QCOMPARE(loaded.SelStart(), 0);
    QVERIFY(!loaded.document()->isUndoAvailable()); // loading is no edit to undo

    // Failures are reported; a folder in the way stays a folder, and
    // nothing is left beside it.
    QTemporaryDir dir;
    QVERIFY(!text.SaveFile(dir.filePath(QStringLiteral("no such folder/song.rtf"))));
    QVERIFY(!text.errorString().isEmpty() && text.fileError() != 0);
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("taken.rtf")));
    QVERIFY(!text.SaveFile(dir.filePath(QStringLiteral("taken.rtf"))));
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("taken.rtf"))).isDir());
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"taken.rtf"});
}

void tst_RtfText::failedLoadChangesNothing_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("unreadable"); // rather than not RTF
    QTest::newRow("missing file") << m_dir.filePath(QStringLiteral("missing.rtf")) << true;
    QTest::newRow("a folder") << m_dir.path() << true;
    QTest::newRow("plain text") << file(QStringLiteral("plain.rtf"), "just words\n") << false;
    QTest::newRow("empty file") << file(QStringLiteral("empty.rtf"), "") << false;
    QTest::newRow("form feed before the RTF") << file(QStringLiteral("formfeed.rtf"), "\f{\\rtf1 x}") << false;
}

// A file that cannot be opened leaves the song as the user had it: its
// content, its selection, its name, its undo history; and no Change() makes
// the program think it changed.
void tst_RtfText::failedLoadChangesNothing()
{
    QFETCH(QString, path);
    QFETCH(bool, unreadable);
    const QString song = file(QStringLiteral("song.rtf"), "{\\rtf1 loaded}");
    rtfText text;
    QVERIFY(text.LoadFile(song));
    text.setSelText(QStringLiteral("typed "));
    text.setChanged(true);
    text.setSelStart(2);
    text.setSelLength(3);
    const QString before = text.TextRTF();
    QSignalSpy changes(&text, &rtfText::Change);
    QSignalSpy moves(&text, &rtfText::SelChange);

    QVERIFY(!text.LoadFile(path));
    QVERIFY(!text.errorString().isEmpty());
    QCOMPARE(text.fileError() != QFileDevice::NoError, unreadable);
    QCOMPARE(text.TextRTF(), before);
    QCOMPARE(text.FileName(), song);
    QVERIFY(text.Changed());
    QCOMPARE(text.SelStart(), 2);
    QCOMPARE(text.SelLength(), 3);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(moves.count(), 0);
    text.undo();
    QCOMPARE(text.Text(), QStringLiteral("loaded"));
}

void tst_RtfText::dropEmbedsPictureAtDropPoint_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("image data, as the chord list drags") << "image";
    QTest::newRow("image/png") << "image/png";
    QTest::newRow("image/bmp") << "image/bmp";
    QTest::newRow("text/rtf copied from a song") << "text/rtf";
}

void tst_RtfText::dropEmbedsPictureAtDropPoint()
{
    QFETCH(QString, kind);
    const QImage chord = chordPicture(8);
    QMimeData mime;
    if (kind == QLatin1String("text/rtf")) { // as copying the picture in a song gives it
        rtfText source;
        QTextCursor cursor(source.document());
        DocumentImages::insertImage(cursor, chord);
        source.selectAll();
        source.copy();
        mime.setData(kind, QApplication::clipboard()->mimeData()->data(kind));
    } else if (kind == QLatin1String("image")) {
        mime.setImageData(chord);
    } else {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        chord.save(&buffer, kind == QLatin1String("image/bmp") ? "BMP" : "PNG");
        mime.setData(kind, buffer.data());
    }
    rtfText text;
    text.resize(400, 300);
    text.show();
    QVERIFY(QTest::qWaitForWindowExposed(&text));
    text.setSelText(QStringLiteral("first line\r\nsecond line"));
    text.setSelStart(0);

    // Between "second" and " line", as a real drag arrives: it enters,
    // moves to the point and drops.
    QTextCursor target(text.document());
    target.setPosition(17);
    const QPoint point = text.cursorRect(target).center() + QPoint(1, 0);
    QSignalSpy changes(&text, &rtfText::Change);
    QDragEnterEvent enter(point, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(text.viewport(), &enter);
    QDragMoveEvent move(point, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(text.viewport(), &move);
    QDropEvent drop(point, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(text.viewport(), &drop);
    QVERIFY(enter.isAccepted() && drop.isAccepted());

    QCOMPARE(text.Text(), QStringLiteral("first line\r\nsecond\uFFFC line"));
    QCOMPARE(changes.count(), 1);
    QTextDocument expected;
    QTextCursor expectedCursor(&expected);
    DocumentImages::insertImage(expectedCursor, chord);
    QCOMPARE(pictures(*text.document()), pictures(expected)); // at its own size
}

void tst_RtfText::selPrint()
{
    rtfText text;
    fillFullSong(*text.document());
    QVERIFY(!text.SelPrint(nullptr));
    const auto printedSize = [&](const QString &name) {
        QPdfWriter pdf(m_dir.filePath(name));
        return text.SelPrint(&pdf) ? QFileInfo(m_dir.filePath(name)).size() : -1;
    };
    const qint64 whole = printedSize(QStringLiteral("whole.pdf"));
    text.setSelStart(0);
    text.setSelLength(5);
    const qint64 selection = printedSize(QStringLiteral("selection.pdf"));
    // Without the pictures and most of the text the page is smaller.
    QVERIFY2(selection > 0 && selection < whole, qPrintable(QStringLiteral("%1 / %2").arg(selection).arg(whole)));
}

QTEST_MAIN(tst_RtfText)
#include "tst_rtftext.moc"
