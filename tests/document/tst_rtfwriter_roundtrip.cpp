// What the writer writes, the reader reads back unchanged: text, every
// character and paragraph format, and pictures pixel for pixel. (Selections
// go both ways in tst_rtftext, through SelRTF.)

#include "document/RtfReader.h"
#include "document/RtfWriter.h"
#include "tst_rtfwriter_documents.h"

#include <QTest>
#include <QTextDocumentFragment>

using namespace SongSamples;
using Builder = void (*)(QTextDocument &);
Q_DECLARE_METATYPE(Builder)

class tst_RtfWriterRoundTrip : public QObject
{
    Q_OBJECT

private slots:
    void wholeDocument_data();
    void wholeDocument();
};

void tst_RtfWriterRoundTrip::wholeDocument_data()
{
    QTest::addColumn<Builder>("build");
    QTest::newRow("empty song") << Builder([](QTextDocument &) {});
    QTest::newRow("paragraphs and empty lines") << Builder([](QTextDocument &d) {
        QTextCursor(&d).insertText(QStringLiteral("Verse one\n\nChorus\nlast line\n"));
    });
    QTest::newRow("every format and pictures") << Builder(fillFullSong);
    QTest::newRow("only a picture, shown larger") << Builder([](QTextDocument &d) {
        QTextCursor cursor(&d);
        DocumentImages::insertImage(cursor, chordPicture(3), QSizeF(80, 96));
    });
    QTest::newRow("bold start, plain end") << Builder([](QTextDocument &d) {
        QTextCursor cursor(&d);
        cursor.insertText(QStringLiteral("Bold"), run({}, 0, u"b"));
        cursor.insertText(QStringLiteral(" then plain"), QTextCharFormat());
    });
    QTest::newRow("an empty line as high as its mark") << Builder([](QTextDocument &d) {
        QTextCursor cursor(&d);
        cursor.insertText(QStringLiteral("small"));
        cursor.insertBlock(QTextBlockFormat(), run({}, 24));
        cursor.insertBlock(QTextBlockFormat(), run());
        cursor.insertText(QStringLiteral("small again"));
    });
    QTest::newRow("spelling marks are no content") << Builder([](QTextDocument &d) {
        QTextCharFormat marked;
        marked.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
        QTextCursor(&d).insertText(QStringLiteral("mispeled"), marked);
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
    QCOMPARE(describe(read), describe(original));
    QCOMPARE(read.toRawText(), original.toRawText());
    // Writing what was read gives the same file again.
    QCOMPARE(RtfWriter().write(read), rtf);

    // A fragment carries no pictures, but all of its text.
    QTextDocument fromFragment;
    QVERIFY(RtfReader().read(RtfWriter().write(QTextDocumentFragment(&original)), &fromFragment));
    QCOMPARE(fromFragment.toRawText(), original.toRawText().remove(QChar::ObjectReplacementCharacter));
}

QTEST_MAIN(tst_RtfWriterRoundTrip)
#include "tst_rtfwriter_roundtrip.moc"
