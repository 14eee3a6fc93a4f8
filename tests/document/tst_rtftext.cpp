// The song's rich text control: the selection as RTF, its song's text kept
// in step with it, change events, files, pictures dropped and copied, and
// printing. (What the song's text does alone is in tst_songtext.)

#include "document/SongPrinter.h"
#include "document/rtfText.h"
#include "tst_rtfwriter_documents.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

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
    void editWhileLaidOutInBackground_data();
    void editWhileLaidOutInBackground();
    void failedLoadChangesNothing_data();
    void failedLoadChangesNothing();
    void dropEmbedsPictureAtDropPoint_data();
    void dropEmbedsPictureAtDropPoint();

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
    QTest::addColumn<int>("to"); // -1: the end
    // Positions in the full song (see fillFullSong).
    QTest::newRow("nothing") << 5 << 5;
    QTest::newRow("across three paragraphs") << 20 << 60;
    QTest::newRow("from a break to the end") << 13 << -1;
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
    text.setTextRTF(QString());
    text.setSelText(QStringLiteral("typed"));
    text.selectAll();
    const auto state = [&] {
        return QStringLiteral("%1 %2 %3 %4").arg(*text.SelBold()).arg(*text.SelFontName()).arg(*text.SelFontSize()).arg(*text.SelAlignment());
    };
    QCOMPARE(state(), QStringLiteral("0 MS Sans Serif 9.75 0"));
    QFont other(QStringLiteral("Arial"));
    other.setPointSizeF(14);
    text.setBaseFont(other);
    QCOMPARE(state(), QStringLiteral("0 Arial 14 0"));
}

// Code that works on the song's text without the widget moves the control's
// selection, and sees every move and typing format the control's user makes;
// positions count a line break as CR LF.
void tst_RtfText::songTextFollowsTheControl()
{
    rtfText text;
    SongText &song = text.songText();
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
    text.setFontItalic(true);
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
    const auto row = [](const char *name, const Operation &operation, int changes, int moves, const char *after) {
        QTest::newRow(name) << operation << changes << moves << QString::fromUtf8(after);
    };
    const QString song = file(QStringLiteral("song.rtf"), "{\\rtf1 loaded\\par song}");
    row("LoadFile", [song](rtfText &t) { QVERIFY(t.LoadFile(song)); }, 1, 1, "|loaded\r\nsong");
    row("TextRTF", [](rtfText &t) { t.setTextRTF(QStringLiteral("{\\rtf1 x\\par y}")); }, 1, 1, "|x\r\ny");
    row("TextRTF emptied twice", [](rtfText &t) { t.setTextRTF({}), t.setTextRTF({}); }, 2, 1, "|");
    row("SelText", [](rtfText &t) { t.setSelText(QStringLiteral("a\r\nb")); }, 1, 1, "a\r\nb|");
    row("SelRTF", [](rtfText &t) { t.setSelRTF(QStringLiteral("{\\rtf1 a\\par {\\b b}}")); }, 1, 1, "a\r\nb|");
    row("SelRTF of what is not RTF, as text", [](rtfText &t) { t.setSelRTF(QStringLiteral("{\\b x} \\par")); }, 1, 1,
        "{\\b x} \\par|");
    row("SelBold", [](rtfText &t) { t.setSelBold(true); }, 1, 0, "|start");
    row("three keys typed", [](rtfText &t) { QTest::keyClicks(&t, QStringLiteral("abc")); }, 3, 3, "abc|");
    row("undo", [](rtfText &t) { t.undo(); }, 1, 1, "|");
    row("selection moves", [](rtfText &t) {
        t.setSelStart(2);
        t.setSelLength(1);
        t.setSelLength(1); // no move
        t.Span(QStringLiteral(" "));
    }, 0, 3, "st|art");
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
    QCOMPARE(text.songText().document(), text.document());
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

    // A failure is told; a folder in the way stays, and nothing is left beside it.
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("taken.rtf")));
    QVERIFY(!text.SaveFile(dir.filePath(QStringLiteral("taken.rtf"))) && text.fileError() != 0);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"taken.rtf"});
}

// A long song loaded into the shown control, typed in at once: its last
// paragraph is still laid out below the others, not squeezed to nothing.
void tst_RtfText::editWhileLaidOutInBackground_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("formatOnly"); // as the spelling underline marks a paragraph
    // The song is 3,000 paragraphs of 34 characters; a few screens of it are
    // laid out when it shows.
    QTest::newRow("typed at the start") << 0 << false;
    QTest::newRow("typed near the end of what shows") << 3000 << false;
    QTest::newRow("typed far down") << 60000 << false;
    QTest::newRow("underlined at the start") << 10 << true;
    QTest::newRow("underlined where the layout has not been") << 90000 << true;
}

// Every paragraph ends up with its lines, each right below the one before,
// however early the song is edited.
void tst_RtfText::editWhileLaidOutInBackground()
{
    QFETCH(int, position);
    QFETCH(bool, formatOnly);
    QByteArray rtf = "{\\rtf1 ";
    for (int i = 0; i < 3000; ++i)
        rtf += "Amazing grace how sweet the sound\\par ";
    rtfText text;
    text.resize(300, 200);
    text.show();
    QVERIFY(QTest::qWaitForWindowExposed(&text));
    QTextDocument *document = text.document();
    QVERIFY(text.LoadFile(file(QStringLiteral("long.rtf"), rtf + "last}")));
    QVERIFY(!text.isLaidOut());
    if (formatOnly) {
        document->markContentsDirty(position, 5);
    } else {
        QTextCursor cursor(document);
        cursor.setPosition(position);
        text.setTextCursor(cursor);
        QTest::keyClicks(&text, QStringLiteral("xy\r"));
    }
    QCOMPARE(text.document(), document); // others hold on to it
    QTRY_VERIFY(text.isLaidOut());
    QAbstractTextDocumentLayout *layout = document->documentLayout();
    qreal bottom = document->documentMargin();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        const QRectF rect = layout->blockBoundingRect(block);
        if (block.layout()->lineCount() == 0 || qAbs(rect.top() - bottom) > 0.5)
            QFAIL(qPrintable(QStringLiteral("paragraph %1 at %2, expected at %3 with lines")
                                 .arg(block.blockNumber()).arg(rect.top()).arg(bottom)));
        bottom = rect.bottom();
    }
    QCOMPARE(layout->documentSize().height(), bottom + document->documentMargin());
}

void tst_RtfText::failedLoadChangesNothing_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("unreadable"); // rather than not RTF
    QTest::newRow("missing file") << m_dir.filePath(QStringLiteral("missing.rtf")) << true;
    QTest::newRow("a folder") << m_dir.path() << true;
    QTest::newRow("plain text") << file(QStringLiteral("plain.rtf"), "just words\n") << false;
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
    QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5 %6").arg(text.FileName() == song).arg(text.Changed()).arg(text.SelStart())
                 .arg(text.SelLength()).arg(changes.count()).arg(moves.count()),
             QStringLiteral("1 1 2 3 0 0"));
    text.undo();
    QCOMPARE(text.Text(), QStringLiteral("loaded"));
}

void tst_RtfText::dropEmbedsPictureAtDropPoint_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("image data, as the chord list drags") << "image";
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
    } else {
        mime.setImageData(chord);
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
    QTextCursor at(&expected);
    DocumentImages::insertImage(at, chord);
    QCOMPARE(pictures(*text.document()), pictures(expected)); // at its own size
}

QTEST_MAIN(tst_RtfText)
#include "tst_rtftext.moc"
