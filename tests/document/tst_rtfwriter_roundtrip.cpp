// What the writer writes, the reader reads back unchanged: text, every
// character and paragraph format, and pictures pixel for pixel.

#include "document/RtfReader.h"
#include "document/RtfWriter.h"
#include "document/SongPrinter.h"
#include "tst_rtfwriter_documents.h"

#include <QTest>
#include <QTextDocumentFragment>

namespace {

using Builder = void (*)(QTextDocument &);

QFont testBaseFont()
{
    // RTF sizes are whole half points; the program's 9.75-point base font
    // reads back as 10 (see tst_RtfWriter::sizesInHalfPoints).
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(10);
    return font;
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

} // namespace

Q_DECLARE_METATYPE(Builder)

class tst_RtfWriterRoundTrip : public QObject
{
    Q_OBJECT

private slots:
    void wholeDocument_data();
    void wholeDocument();
    void selection_data();
    void selection();
    void insertKeepsSurroundingText();
    void emptyLineKeepsItsSize();
};

void tst_RtfWriterRoundTrip::wholeDocument_data()
{
    QTest::addColumn<Builder>("build");
    QTest::newRow("empty song") << Builder([](QTextDocument &) {});
    QTest::newRow("one word") << Builder([](QTextDocument &d) { QTextCursor(&d).insertText(QStringLiteral("Hello")); });
    QTest::newRow("paragraphs and empty lines") << Builder([](QTextDocument &d) {
        QTextCursor(&d).insertText(QStringLiteral("Verse one\n\nChorus\nlast line\n"));
    });
    QTest::newRow("every format and pictures") << Builder(SongSamples::fillFullSong);
    QTest::newRow("only a picture") << Builder([](QTextDocument &d) {
        QTextCursor cursor(&d);
        DocumentImages::insertImage(cursor, SongSamples::chordPicture(7));
    });
    QTest::newRow("picture shown larger than its pixels") << Builder([](QTextDocument &d) {
        QTextCursor cursor(&d);
        cursor.insertText(QStringLiteral("Am "));
        DocumentImages::insertImage(cursor, SongSamples::chordPicture(3), QSizeF(80, 96));
    });
    QTest::newRow("bold paragraph start and plain end") << Builder([](QTextDocument &d) {
        QTextCursor cursor(&d);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.insertText(QStringLiteral("Bold"), bold);
        cursor.insertText(QStringLiteral(" then plain"), QTextCharFormat());
    });
}

void tst_RtfWriterRoundTrip::wholeDocument()
{
    QFETCH(Builder, build);
    QTextDocument original;
    original.setDefaultFont(testBaseFont());
    build(original);

    const QByteArray rtf = RtfWriter().write(original);
    QTextDocument read;
    read.setDefaultFont(testBaseFont());
    QVERIFY2(RtfReader().read(rtf, &read), rtf.left(200).constData());

    QCOMPARE(SongSamples::describe(read), SongSamples::describe(original));
    QCOMPARE(read.toRawText(), original.toRawText());
    // Writing what was read gives the same file again.
    // Writing what was read gives the same file again.
    QCOMPARE(RtfWriter().write(read), rtf);
}

void tst_RtfWriterRoundTrip::selection_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    // Positions in the full song (see fillFullSong).
    QTest::newRow("inside the title") << 3 << 10;
    QTest::newRow("title and its break") << 0 << 14;
    QTest::newRow("across three paragraphs") << 20 << 60;
    QTest::newRow("chords and text") << 120 << 131;
    QTest::newRow("from a break to the end") << 13 << -1;
    QTest::newRow("everything") << 0 << -1;
}

void tst_RtfWriterRoundTrip::selection()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QTextDocument song;
    song.setDefaultFont(testBaseFont());
    SongSamples::fillFullSong(song);
    QTextCursor cursor(&song);
    cursor.setPosition(from);
    cursor.setPosition(to < 0 ? song.characterCount() - 1 : to, QTextCursor::KeepAnchor);
    const std::unique_ptr<QTextDocument> expected = SongPrinter::selectedDocument(cursor);

    const QByteArray rtf = RtfWriter().write(cursor);
    QTextDocument pasted;
    pasted.setDefaultFont(testBaseFont());
    QTextCursor at(&pasted);
    QVERIFY(RtfReader().insert(rtf, at));

    QCOMPARE(pasted.toRawText(), cursor.selectedText());
    QCOMPARE(runsOnly(SongSamples::describe(pasted)), runsOnly(SongSamples::describe(*expected)));
}

void tst_RtfWriterRoundTrip::insertKeepsSurroundingText()
{
    QTextDocument source;
    source.setDefaultFont(testBaseFont());
    QTextCursor sourceCursor(&source);
    QTextCharFormat italic;
    italic.setFontItalic(true);
    sourceCursor.insertText(QStringLiteral("middle"), italic);
    sourceCursor.select(QTextCursor::Document);
    const QByteArray rtf = RtfWriter().write(sourceCursor);

    QTextDocument target;
    target.setDefaultFont(testBaseFont());
    QTextCursor cursor(&target);
    cursor.insertText(QStringLiteral("before  after"));
    cursor.setPosition(7);
    QVERIFY(RtfReader().insert(rtf, cursor));
    QCOMPARE(target.toRawText(), QStringLiteral("before middle after"));
    QCOMPARE(target.blockCount(), 1);
}

void tst_RtfWriterRoundTrip::emptyLineKeepsItsSize()
{
    // An empty line is as high as its paragraph mark's font.
    QTextDocument original;
    original.setDefaultFont(testBaseFont());
    QTextCursor cursor(&original);
    cursor.insertText(QStringLiteral("small"));
    cursor.insertBlock(QTextBlockFormat(), SongSamples::run(QString(), 24));
    cursor.insertBlock(QTextBlockFormat(), SongSamples::run());
    cursor.insertText(QStringLiteral("small again"));

    QTextDocument read;
    read.setDefaultFont(testBaseFont());
    QVERIFY(RtfReader().read(RtfWriter().write(original), &read));
    QCOMPARE(read.blockCount(), 3);
    QCOMPARE(read.findBlockByNumber(1).charFormat().fontPointSize(), 24.0);
}

QTEST_MAIN(tst_RtfWriterRoundTrip)
#include "tst_rtfwriter_roundtrip.moc"
