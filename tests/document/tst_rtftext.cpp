// The song's rich text control: positions counted with CR LF, the selection
// as text and RTF, undetermined formats, change events, files, pictures
// dropped and pasted, Span and printing.

#include "document/RtfWriter.h"
#include "document/SongPrinter.h"
#include "document/rtfText.h"
#include "tst_rtfwriter_documents.h"

#include <QApplication>
#include <QClipboard>
#include <QBuffer>
#include <QFile>
#include <QMimeData>
#include <QPdfWriter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

// "verse" CR LF "bold line" CR LF CR LF chord-picture "G" U+2028-break "end":
// paragraph breaks, a picture and a line break inside a paragraph.
void fillSample(rtfText &text, bool withLineSeparator)
{
    text.setTextRTF(QString());
    QTextCursor cursor(text.document());
    cursor.insertText(QStringLiteral("verse\nbold line\n\n"));
    DocumentImages::insertImage(cursor, SongSamples::chordPicture(1));
    cursor.insertText(QStringLiteral("G"));
    if (withLineSeparator)
        cursor.insertText(QString(QChar::LineSeparator));
    cursor.insertText(QStringLiteral("end"));
}

QStringList runsOnly(const QStringList &lines)
{
    QStringList runs;
    for (const QString &line : lines) {
        if (!line.startsWith(QLatin1String("paragraph")))
            runs << line;
    }
    return runs;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &content)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(content);
    return file.fileName();
}

} // namespace

class tst_RtfText : public QObject
{
    Q_OBJECT

private slots:
    void textCountsLineBreaksAsCrLf();
    void positionsMapBothWays_data();
    void positionsMapBothWays();
    void selStartClamps_data();
    void selStartClamps();
    void selTextReplacesSelection();
    void selRtfCarriesFormatsAndPictures();
    void selRtfTakesPlainText();
    void undeterminedOverMixedSelections_data();
    void undeterminedOverMixedSelections();
    void undeterminedAlignmentOverParagraphs();
    void undeterminedWriteChangesNothing();
    void emptyTextRtfAppliesBaseFont();
    void changeEvents_data();
    void changeEvents();
    void selectionMovesRaiseSelChangeOnly();
    void saveAndLoadFile();
    void loadFailuresKeepTheSong_data();
    void loadFailuresKeepTheSong();
    void saveFailureIsReported();
    void dropEmbedsPictureAtDropPoint_data();
    void dropEmbedsPictureAtDropPoint();
    void pasteAndUndoPicture();
    void copyAndPasteKeepsPictures();
    void span_data();
    void span();
    void selPrint();
};

void tst_RtfText::textCountsLineBreaksAsCrLf()
{
    rtfText text;
    fillSample(text, true);
    QCOMPARE(text.Text(), QStringLiteral("verse\r\nbold line\r\n\r\n\uFFFCG\r\nend"));
    text.selectAll();
    QCOMPARE(text.SelLength(), text.Text().size());
    QCOMPARE(text.SelText(), text.Text());
}

void tst_RtfText::positionsMapBothWays_data()
{
    QTest::addColumn<bool>("withLineSeparator");
    QTest::newRow("paragraph breaks only") << false;
    QTest::newRow("with a line break inside a paragraph") << true;
}

void tst_RtfText::positionsMapBothWays()
{
    // Every selection between two positions that do not split a CR LF pair
    // selects exactly those characters of Text(), and reads back the same.
    QFETCH(bool, withLineSeparator);
    rtfText text;
    fillSample(text, withLineSeparator);
    const QString plain = text.Text();
    const auto splitsBreak = [&](int p) { return p > 0 && p < plain.size() && plain.at(p) == QLatin1Char('\n'); };
    for (int from = 0; from <= plain.size(); ++from) {
        if (splitsBreak(from))
            continue;
        for (int to = from; to <= plain.size(); ++to) {
            if (splitsBreak(to))
                continue;
            text.SetFocus();
            text.setSelStart(from);
            QCOMPARE(text.SelLength(), 0);
            text.setSelLength(to - from);
            QCOMPARE(text.SelStart(), from);
            QCOMPARE(text.SelLength(), to - from);
            QCOMPARE(text.SelText(), plain.mid(from, to - from));
        }
    }
}

void tst_RtfText::selStartClamps_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("expectedStart");
    QTest::addColumn<QString>("expectedText");
    // "verse" CR LF "bold line" ...
    QTest::newRow("before the start") << -4 << 2 << 0 << QStringLiteral("ve");
    QTest::newRow("between CR and LF starts before the break") << 6 << 0 << 5 << QString();
    QTest::newRow("a length ending between CR and LF takes the break") << 4 << 2 << 4 << QStringLiteral("e\r\n");
    QTest::newRow("past the end") << 500 << 3 << 27 << QString();
    QTest::newRow("length past the end") << 24 << 100 << 24 << QStringLiteral("end");
    QTest::newRow("negative length") << 2 << -3 << 2 << QString();
}

void tst_RtfText::selStartClamps()
{
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(int, expectedStart);
    QFETCH(QString, expectedText);
    rtfText text;
    fillSample(text, true);
    text.setSelStart(start);
    text.setSelLength(length);
    QCOMPARE(text.SelStart(), expectedStart);
    QCOMPARE(text.SelText(), expectedText);
}

void tst_RtfText::selTextReplacesSelection()
{
    rtfText text;
    fillSample(text, false);
    text.setSelStart(7);
    text.setSelLength(4);
    text.setSelText(QStringLiteral("plain\r\nnew"));
    QCOMPARE(text.Text(), QStringLiteral("verse\r\nplain\r\nnew line\r\n\r\n\uFFFCGend"));
    QCOMPARE(text.SelStart(), 17); // after the inserted text
    QCOMPARE(text.SelLength(), 0);
    QCOMPARE(text.document()->blockCount(), 5);
}

void tst_RtfText::selRtfCarriesFormatsAndPictures()
{
    // RTF sizes are whole half points, so a base font of 10 points keeps
    // every size exact.
    QFont base(QStringLiteral("MS Sans Serif"));
    base.setPointSizeF(10);
    rtfText source;
    source.setBaseFont(base);
    SongSamples::fillFullSong(*source.document());
    QTextCursor cursor(source.document());
    cursor.setPosition(20);
    cursor.setPosition(135, QTextCursor::KeepAnchor);
    source.setTextCursor(cursor);
    const std::unique_ptr<QTextDocument> expected = SongPrinter::selectedDocument(cursor);
    const QString rtf = source.SelRTF();
    QVERIFY(rtf.startsWith(QLatin1String("{\\rtf1")));

    rtfText target;
    target.setBaseFont(base);
    target.setSelText(QStringLiteral("[]"));
    target.setSelStart(1);
    target.setSelRTF(rtf);
    QCOMPARE(target.Text(), QLatin1Char('[') + source.SelText() + QLatin1Char(']'));
    target.setSelStart(1);
    target.setSelLength(source.SelLength());
    const std::unique_ptr<QTextDocument> pasted = SongPrinter::selectedDocument(target.textCursor());
    QCOMPARE(runsOnly(SongSamples::describe(*pasted)), runsOnly(SongSamples::describe(*expected)));
    QVERIFY(SongSamples::pictureCount(*pasted) == 3);
}

void tst_RtfText::selRtfTakesPlainText()
{
    rtfText text;
    text.setSelText(QStringLiteral("ab"));
    text.setSelStart(1);
    text.setSelRTF(QStringLiteral("{\\b not at the start} \\par"));
    QCOMPARE(text.Text(), QStringLiteral("a{\\b not at the start} \\parb"));
    text.selectAll();
    QCOMPARE(text.SelBold(), std::optional<bool>(false));
}

void tst_RtfText::undeterminedOverMixedSelections_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("determined");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("font");
    QTest::addColumn<double>("size");
    // "plain " + "BOLD" (bold, Arial 12) + picture + " plain"
    QTest::newRow("caret in plain text") << 2 << 2 << true << false << "MS Sans Serif" << 9.75;
    QTest::newRow("caret after a bold letter") << 8 << 8 << true << true << "Arial" << 12.0;
    QTest::newRow("bold word") << 6 << 10 << true << true << "Arial" << 12.0;
    QTest::newRow("bold word and the picture") << 6 << 11 << true << true << "Arial" << 12.0;
    QTest::newRow("plain and bold") << 3 << 8 << false << false << "" << 0.0;
    QTest::newRow("across the picture") << 9 << 13 << false << false << "" << 0.0;
}

void tst_RtfText::undeterminedOverMixedSelections()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, determined);
    QFETCH(bool, bold);
    QFETCH(QString, font);
    QFETCH(double, size);
    rtfText text;
    text.setSelText(QStringLiteral("plain "));
    text.setSelBold(true);
    text.setSelFontName(QStringLiteral("Arial"));
    text.setSelFontSize(12);
    text.setSelText(QStringLiteral("BOLD"));
    QTextCursor cursor = text.textCursor();
    DocumentImages::insertImage(cursor, SongSamples::chordPicture(2));
    text.setTextCursor(cursor);
    text.setSelBold(false);
    text.setSelFontName(QStringLiteral("MS Sans Serif"));
    text.setSelFontSize(9.75);
    text.setSelText(QStringLiteral(" plain"));
    QCOMPARE(text.Text(), QStringLiteral("plain BOLD\uFFFC plain"));

    text.setSelStart(from);
    text.setSelLength(to - from);
    if (determined) {
        QCOMPARE(text.SelBold(), std::optional<bool>(bold));
        QCOMPARE(text.SelFontName(), std::optional<QString>(font));
        QCOMPARE(text.SelFontSize(), std::optional<double>(size));
        QCOMPARE(text.SelItalic(), std::optional<bool>(false));
    } else {
        QCOMPARE(text.SelBold(), std::nullopt);
        QCOMPARE(text.SelFontName(), std::nullopt);
        QCOMPARE(text.SelFontSize(), std::nullopt);
        QCOMPARE(text.SelItalic(), std::optional<bool>(false));
    }
}

void tst_RtfText::undeterminedAlignmentOverParagraphs()
{
    rtfText text;
    text.setSelText(QStringLiteral("left\r\nright\r\nright too"));
    text.setSelStart(7);
    text.setSelLength(15);
    text.setSelAlignment(rtfText::rtfRight);
    QCOMPARE(text.SelAlignment(), std::optional<int>(rtfText::rtfRight));
    text.setSelStart(0);
    QCOMPARE(text.SelAlignment(), std::optional<int>(rtfText::rtfLeft));
    text.setSelLength(8);
    QCOMPARE(text.SelAlignment(), std::nullopt);
    text.setSelAlignment(rtfText::rtfCenter);
    QCOMPARE(text.SelAlignment(), std::optional<int>(rtfText::rtfCenter));
    text.setSelStart(20);
    QCOMPARE(text.SelAlignment(), std::optional<int>(rtfText::rtfRight));
}

void tst_RtfText::undeterminedWriteChangesNothing()
{
    rtfText text;
    text.setSelText(QStringLiteral("ab"));
    text.setSelStart(0);
    text.setSelLength(1);
    text.setSelBold(true);
    text.selectAll();
    const QString before = text.TextRTF();
    QSignalSpy changes(&text, &rtfText::Change);
    const std::optional<bool> bold = text.SelBold();
    QCOMPARE(bold, std::nullopt);
    text.setSelBold(bold ? std::optional<bool>(!*bold) : std::nullopt);
    text.setSelFontSize(std::nullopt);
    text.setSelAlignment(std::nullopt);
    QCOMPARE(text.TextRTF(), before);
    QCOMPARE(changes.count(), 0);
}

void tst_RtfText::emptyTextRtfAppliesBaseFont()
{
    rtfText text;
    QCOMPARE(text.Font(), QStringLiteral("MS Sans Serif"));
    text.setTextRTF(QStringLiteral("{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs48\\b\\qc big}"));
    QCOMPARE(text.Text(), QStringLiteral("big"));
    text.setSelStart(3);
    QCOMPARE(text.SelBold(), std::optional<bool>(true));

    text.setTextRTF(QString());
    QCOMPARE(text.Text(), QString());
    QCOMPARE(text.SelBold(), std::optional<bool>(false));
    QCOMPARE(text.SelFontName(), std::optional<QString>(QStringLiteral("MS Sans Serif")));
    QCOMPARE(text.SelFontSize(), std::optional<double>(9.75));
    QCOMPARE(text.SelAlignment(), std::optional<int>(rtfText::rtfLeft));
    text.setSelText(QStringLiteral("typed"));
    text.selectAll();
    QCOMPARE(text.SelFontSize(), std::optional<double>(9.75));

    QFont other(QStringLiteral("Arial"));
    other.setPointSizeF(14);
    text.setBaseFont(other);
    QCOMPARE(text.Font(), QStringLiteral("Arial"));
    QCOMPARE(text.SelFontSize(), std::optional<double>(14));
}

void tst_RtfText::changeEvents_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("expected");
    QTest::newRow("LoadFile") << "LoadFile" << 1;
    QTest::newRow("TextRTF with RTF") << "TextRTF" << 1;
    QTest::newRow("TextRTF emptied, already empty") << "TextRTF empty twice" << 2;
    QTest::newRow("SelText") << "SelText" << 1;
    QTest::newRow("SelRTF") << "SelRTF" << 1;
    QTest::newRow("SelBold") << "SelBold" << 1;
    QTest::newRow("three keys typed") << "typing" << 3;
    QTest::newRow("undo") << "undo" << 1;
}

void tst_RtfText::changeEvents()
{
    QFETCH(QString, operation);
    QFETCH(int, expected);
    QTemporaryDir dir;
    const QString song = writeFile(dir, QStringLiteral("song.rtf"), "{\\rtf1 loaded\\par song}");
    rtfText text;
    text.setSelText(QStringLiteral("start"));
    text.selectAll();
    QSignalSpy changes(&text, &rtfText::Change);

    if (operation == QLatin1String("LoadFile"))
        QVERIFY(text.LoadFile(song));
    else if (operation == QLatin1String("TextRTF"))
        text.setTextRTF(QStringLiteral("{\\rtf1 x\\par y\\par z}"));
    else if (operation == QLatin1String("TextRTF empty twice"))
        text.setTextRTF(QString()), text.setTextRTF(QString());
    else if (operation == QLatin1String("SelText"))
        text.setSelText(QStringLiteral("a\r\nb"));
    else if (operation == QLatin1String("SelRTF"))
        text.setSelRTF(QStringLiteral("{\\rtf1 a\\par {\\b b}}"));
    else if (operation == QLatin1String("SelBold"))
        text.setSelBold(true);
    else if (operation == QLatin1String("typing"))
        QTest::keyClicks(&text, QStringLiteral("abc"));
    else if (operation == QLatin1String("undo"))
        text.undo();
    QCOMPARE(changes.count(), expected);
}

void tst_RtfText::selectionMovesRaiseSelChangeOnly()
{
    rtfText text;
    text.setSelText(QStringLiteral("some words here"));
    QSignalSpy changes(&text, &rtfText::Change);
    QSignalSpy moves(&text, &rtfText::SelChange);
    text.setSelStart(2);
    QCOMPARE(moves.count(), 1);
    text.setSelLength(3);
    QCOMPARE(moves.count(), 2);
    text.setSelLength(3);
    QCOMPARE(moves.count(), 2);
    text.Span(QStringLiteral(" "));
    QCOMPARE(moves.count(), 3);
    QCOMPARE(changes.count(), 0);
}

void tst_RtfText::saveAndLoadFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Any Name.txt")); // RTF whatever the extension
    rtfText text;
    SongSamples::fillFullSong(*text.document());
    const QStringList written = SongSamples::describe(*text.document());
    QVERIFY2(text.SaveFile(path), qPrintable(text.errorString()));
    QVERIFY(text.FileName().isEmpty()); // saving does not make it the loaded file

    rtfText loaded;
    QVERIFY2(loaded.LoadFile(path), qPrintable(loaded.errorString()));
    QCOMPARE(loaded.FileName(), path);
    QCOMPARE(loaded.Text(), text.Text());
    QCOMPARE(SongSamples::pictureCount(*loaded.document()), 4);
    QCOMPARE(loaded.SelStart(), 0);
    // Loading is not an edit to undo.
    QVERIFY(!loaded.document()->isUndoAvailable());
}

void tst_RtfText::loadFailuresKeepTheSong_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("exists");
    QTest::newRow("missing file") << QByteArray() << false;
    QTest::newRow("plain text") << QByteArray("just words\n") << true;
    QTest::newRow("empty file") << QByteArray() << true;
}

void tst_RtfText::loadFailuresKeepTheSong()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, exists);
    QTemporaryDir dir;
    const QString good = writeFile(dir, QStringLiteral("good.rtf"), "{\\rtf1 kept}");
    const QString bad = exists ? writeFile(dir, QStringLiteral("bad.rtf"), content) : dir.filePath(QStringLiteral("none.rtf"));
    rtfText text;
    QVERIFY(text.LoadFile(good));
    QSignalSpy changes(&text, &rtfText::Change);
    QVERIFY(!text.LoadFile(bad));
    QVERIFY(!text.errorString().isEmpty());
    QCOMPARE(text.Text(), QStringLiteral("kept"));
    QCOMPARE(text.FileName(), good);
    QCOMPARE(changes.count(), 0);
}

void tst_RtfText::saveFailureIsReported()
{
    QTemporaryDir dir;
    rtfText text;
    text.setSelText(QStringLiteral("song"));
    QVERIFY(!text.SaveFile(dir.filePath(QStringLiteral("no such folder/song.rtf"))));
    QVERIFY(!text.errorString().isEmpty());
    QVERIFY(text.fileError() != 0);
    // A folder in the way stays a folder.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("taken.rtf")));
    QVERIFY(!text.SaveFile(dir.filePath(QStringLiteral("taken.rtf"))));
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("taken.rtf"))).isDir());
}

void tst_RtfText::dropEmbedsPictureAtDropPoint_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("image data, as the chord list drags") << "image";
    QTest::newRow("image/png") << "image/png";
    QTest::newRow("image/bmp") << "image/bmp";
}

void tst_RtfText::dropEmbedsPictureAtDropPoint()
{
    QFETCH(QString, kind);
    const QImage chord = SongSamples::chordPicture(8);
    auto *mime = new QMimeData;
    if (kind == QLatin1String("image")) {
        mime->setImageData(chord);
    } else {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        chord.save(&buffer, kind == QLatin1String("image/png") ? "PNG" : "BMP");
        mime->setData(kind, bytes);
    }

    rtfText text;
    text.resize(400, 300);
    text.show();
    QVERIFY(QTest::qWaitForWindowExposed(&text));
    text.setSelText(QStringLiteral("first line\r\nsecond line"));
    text.setSelStart(0);

    // Drop between "second" and " line".
    QTextCursor target(text.document());
    target.setPosition(17);
    const QPoint point = text.cursorRect(target).center() + QPoint(1, 0);
    QSignalSpy changes(&text, &rtfText::Change);
    // As a real drag arrives: it enters, moves to the point and drops.
    QDragEnterEvent enter(point, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(text.viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDragMoveEvent move(point, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(text.viewport(), &move);
    QDropEvent drop(point, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(text.viewport(), &drop);
    QVERIFY(drop.isAccepted());

    QCOMPARE(text.Text(), QStringLiteral("first line\r\nsecond\uFFFC line"));
    QVERIFY(changes.count() >= 1);
    QTextCursor at(text.document());
    at.setPosition(18);
    QVERIFY(at.charFormat().isImageFormat());
    const QTextImageFormat format = at.charFormat().toImageFormat();
    QCOMPARE(DocumentImages::imageFor(text.document(), format).convertToFormat(QImage::Format_RGB32), chord);
    QCOMPARE(DocumentImages::shownSize(text.document(), format), QSizeF(40, 48));

    // Saved with the song.
    QTemporaryDir dir;
    QVERIFY(text.SaveFile(dir.filePath(QStringLiteral("song.rtf"))));
    rtfText loaded;
    QVERIFY(loaded.LoadFile(dir.filePath(QStringLiteral("song.rtf"))));
    QCOMPARE(SongSamples::describe(*loaded.document()).filter(QStringLiteral("picture")),
             SongSamples::describe(*text.document()).filter(QStringLiteral("picture")));
    delete mime;
}

void tst_RtfText::pasteAndUndoPicture()
{
    rtfText text;
    text.show();
    QVERIFY(QTest::qWaitForWindowExposed(&text));
    text.setSelText(QStringLiteral("Am  Em"));
    text.setSelStart(3);
    auto *mime = new QMimeData;
    mime->setImageData(SongSamples::chordPicture(4));
    QApplication::clipboard()->setMimeData(mime);

    QSignalSpy changes(&text, &rtfText::Change);
    QTest::keyClick(&text, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(text.Text(), QStringLiteral("Am \uFFFC Em"));
    QCOMPARE(changes.count(), 1);
    QTest::keyClick(&text, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(text.Text(), QStringLiteral("Am  Em"));
    QCOMPARE(changes.count(), 2);
}

void tst_RtfText::copyAndPasteKeepsPictures()
{
    rtfText text;
    text.show();
    QVERIFY(QTest::qWaitForWindowExposed(&text));
    fillSample(text, false);
    text.setSelStart(20); // picture, "G" and "end"
    text.setSelLength(5);
    QCOMPARE(text.SelText(), QStringLiteral("\uFFFCGend"));
    text.copy();
    QVERIFY(QApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("text/rtf")));
    text.setSelStart(0);
    text.paste();
    QCOMPARE(text.Text(), QStringLiteral("\uFFFCGendverse\r\nbold line\r\n\r\n\uFFFCGend"));
    const QStringList pictures = SongSamples::describe(*text.document()).filter(QStringLiteral("picture"));
    QCOMPARE(pictures.size(), 2);
    QCOMPARE(pictures.at(0), pictures.at(1));
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
    QTest::newRow("break not in the set") << 7 << QStringLiteral(" ") << true << true << "stop\r\n(next)";
    QTest::newRow("over characters in the set") << 5 << QStringLiteral(", ") << true << false << ", ";
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
    QTemporaryDir dir;
    rtfText text;
    fillSample(text, false);
    QVERIFY(!text.SelPrint(nullptr));
    const auto printedSize = [&](const QString &name) {
        QPdfWriter pdf(dir.filePath(name));
        if (!text.SelPrint(&pdf))
            return qint64(-1);
        return QFileInfo(dir.filePath(name)).size();
    };
    const qint64 whole = printedSize(QStringLiteral("whole.pdf"));
    QVERIFY(whole > 0);
    text.setSelStart(0);
    text.setSelLength(5);
    const qint64 selection = printedSize(QStringLiteral("selection.pdf"));
    // Without the picture and most of the text the page is smaller.
    QVERIFY2(selection > 0 && selection < whole, qPrintable(QStringLiteral("%1 / %2").arg(selection).arg(whole)));
}

QTEST_MAIN(tst_RtfText)
#include "tst_rtftext.moc"
