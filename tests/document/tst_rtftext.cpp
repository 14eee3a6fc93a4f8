// The song's rich text control: positions counted with CR LF, the selection
// as text and RTF, undetermined formats, change events, files, pictures
// dropped and copied, Span and printing.

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
    void positionsCountBreaksAsCrLf();
    void selRtfCarriesFormatsAndPictures_data();
    void selRtfCarriesFormatsAndPictures();
    void undeterminedFormats_data();
    void undeterminedFormats();
    void emptyTextRtfAppliesBaseFont();
    void changeEvents_data();
    void changeEvents();
    void saveAndLoadFile();
    void dropEmbedsPictureAtDropPoint_data();
    void dropEmbedsPictureAtDropPoint();
    void span_data();
    void span();
    void selPrint();

private:
    QString file(const QString &name, const QByteArray &content)
    {
        return writeAll(m_dir.filePath(name), content) ? m_dir.filePath(name) : QString();
    }

    QTemporaryDir m_dir;
};

// Every selection between two positions that do not split a CR LF pair
// (paragraph breaks, and a line break inside a paragraph) selects exactly
// those characters of Text(), and reads back the same.
void tst_RtfText::positionsCountBreaksAsCrLf()
{
    const QString expected = QStringLiteral("verse\r\nbold line\r\n\r\n\uFFFCG\r\nend");
    rtfText text;
    QTextCursor cursor(text.document());
    cursor.insertText(QStringLiteral("verse\nbold line\n\n"));
    DocumentImages::insertImage(cursor, chordPicture(1));
    cursor.insertText(QStringLiteral("G\u2028end"));
    QCOMPARE(text.Text(), expected);
    text.selectAll();
    QCOMPARE(text.SelLength(), expected.size());
    const auto splitsBreak = [&](int p) { return p > 0 && p < expected.size() && expected.at(p) == QLatin1Char('\n'); };
    for (int from = 0; from <= expected.size(); ++from) {
        for (int to = from; to <= expected.size(); ++to) {
            if (splitsBreak(from) || splitsBreak(to))
                continue;
            text.setSelStart(from);
            QCOMPARE(text.SelLength(), 0);
            text.setSelLength(to - from);
            QCOMPARE(text.SelStart(), from);
            QCOMPARE(text.SelLength(), to - from);
            QCOMPARE(text.SelText(), expected.mid(from, to - from));
        }
    }
    // Out of range, and inside a CR LF pair (the break goes with the end).
    const int end = int(expected.size());
    const struct { int start, length, selStart; const char *selText; } cases[] = {
        {-4, 2, 0, "ve"}, {6, 0, 5, ""}, {4, 2, 4, "e\r\n"}, {500, 3, end, ""}, {end - 3, 100, end - 3, "end"}, {2, -3, 2, ""}};
    for (const auto &c : cases) {
        text.setSelStart(c.start);
        text.setSelLength(c.length);
        QCOMPARE(text.SelStart(), c.selStart);
        QCOMPARE(text.SelText(), QLatin1String(c.selText));
    }
}

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

void tst_RtfText::undeterminedFormats_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("bold"); // with Arial 12; plain is MS Sans Serif 9.75
    QTest::addColumn<bool>("determined");
    QTest::addColumn<int>("alignment"); // -1: undetermined
    // "plain " "BOLD" picture " plain" CR LF "right" CR LF "right too"
    QTest::newRow("caret in plain text") << 2 << 2 << false << true << int(rtfText::rtfLeft);
    QTest::newRow("caret after a bold letter") << 8 << 8 << true << true << int(rtfText::rtfLeft);
    QTest::newRow("bold word") << 6 << 10 << true << true << int(rtfText::rtfLeft);
    QTest::newRow("bold word and the picture") << 6 << 11 << true << true << int(rtfText::rtfLeft);
    QTest::newRow("plain and bold") << 3 << 8 << false << false << int(rtfText::rtfLeft);
    QTest::newRow("across the picture") << 9 << 13 << false << false << int(rtfText::rtfLeft);
    QTest::newRow("right paragraphs") << 19 << 35 << false << true << int(rtfText::rtfRight);
    QTest::newRow("left and right paragraphs") << 12 << 21 << false << true << -1;
}

void tst_RtfText::undeterminedFormats()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, bold);
    QFETCH(bool, determined);
    QFETCH(int, alignment);
    rtfText text;
    text.setSelText(QStringLiteral("plain "));
    text.setSelBold(true);
    text.setSelFontName(QStringLiteral("Arial"));
    text.setSelFontSize(12);
    text.setSelText(QStringLiteral("BOLD"));
    QTextCursor cursor = text.textCursor();
    DocumentImages::insertImage(cursor, chordPicture(2));
    text.setTextCursor(cursor);
    text.setSelBold(false);
    text.setSelFontName(QStringLiteral("MS Sans Serif"));
    text.setSelFontSize(9.75);
    text.setSelText(QStringLiteral(" plain\r\nright\r\nright too"));
    text.setSelStart(21); // in "right" to in "right too"
    text.setSelLength(8);
    text.setSelAlignment(rtfText::rtfRight);
    QCOMPARE(text.Text(), QStringLiteral("plain BOLD\uFFFC plain\r\nright\r\nright too"));

    text.setSelStart(from);
    text.setSelLength(to - from);
    const auto expect = [&](auto value) { return determined ? std::optional(value) : std::nullopt; };
    QCOMPARE(text.SelBold(), expect(bold));
    QCOMPARE(text.SelFontName(), expect(bold ? QStringLiteral("Arial") : QStringLiteral("MS Sans Serif")));
    QCOMPARE(text.SelFontSize(), expect(bold ? 12.0 : 9.75));
    QCOMPARE(text.SelItalic(), std::optional<bool>(false));
    QCOMPARE(text.SelAlignment(), alignment < 0 ? std::nullopt : std::optional<int>(alignment));
    const QString before = text.TextRTF(); // writing "undetermined" changes nothing
    QSignalSpy changes(&text, &rtfText::Change);
    text.setSelBold(std::nullopt);
    text.setSelFontName(std::nullopt);
    text.setSelFontSize(std::nullopt);
    text.setSelAlignment(std::nullopt);
    QCOMPARE(text.TextRTF(), before);
    QCOMPARE(changes.count(), 0);
    // One alignment for every paragraph the selection touches.
    text.setSelAlignment(rtfText::rtfCenter);
    QCOMPARE(text.SelAlignment(), std::optional<int>(rtfText::rtfCenter));
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

void tst_RtfText::changeEvents_data()
{
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<int>("changes");
    QTest::addColumn<int>("moves");
    QTest::addColumn<QString>("after"); // the text, "|" where the selection starts
    const QString song = file(QStringLiteral("song.rtf"), "{\\rtf1 loaded\\par song}");
    const auto failedLoad = [](const QString &path) { // keeps the song
        return Operation([path](rtfText &t) { QVERIFY(!t.LoadFile(path) && !t.errorString().isEmpty()); });
    };
    QTest::newRow("LoadFile") << Operation([song](rtfText &t) { QVERIFY(t.LoadFile(song)); }) << 1 << 1 << "|loaded\r\nsong";
    QTest::newRow("LoadFile of a missing file") << failedLoad(song + "-missing") << 0 << 0 << "|start";
    QTest::newRow("LoadFile of plain text") << failedLoad(file(QStringLiteral("plain.rtf"), "just words\n")) << 0 << 0 << "|start";
    QTest::newRow("LoadFile of an empty file") << failedLoad(file(QStringLiteral("empty.rtf"), "")) << 0 << 0 << "|start";
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

void tst_RtfText::span_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("set");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<bool>("negate");
    QTest::addColumn<QString>("selected");
    const QString delimiters = QStringLiteral(" ,;:.?!\n\r");
    // "don't, stop" CR LF "(next) line"
    QTest::newRow("word with apostrophe") << 0 << delimiters << true << true << "don't";
    QTest::newRow("on a delimiter selects nothing") << 5 << delimiters << true << true << "";
    QTest::newRow("stops before the line break") << 7 << delimiters << true << true << "stop";
    QTest::newRow("brackets belong to the word") << 13 << delimiters << true << true << "(next)";
    QTest::newRow("to the end") << 20 << delimiters << true << true << "line";
    QTest::newRow("break not in the set") << 7 << " " << true << true << "stop\r\n(next)";
    QTest::newRow("over characters in the set") << 5 << ", " << true << false << ", ";
    QTest::newRow("backward") << 11 << delimiters << false << true << "stop";
}

void tst_RtfText::span()
{
    QFETCH(int, start);
    QFETCH(QString, set);
    QFETCH(bool, forward);
    QFETCH(bool, negate);
    QFETCH(QString, selected);
    rtfText text;
    text.setSelText(QStringLiteral("don't, stop\r\n(next) line"));
    text.setSelStart(start);
    text.Span(set, forward, negate);
    QCOMPARE(text.SelText(), selected);
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
