// The writer: what it writes, the reader reads back unchanged (text, every
// format, pictures pixel for pixel); and what a round trip cannot show: the
// RTF is plain US-ASCII in balanced groups, uses the units and escapes other
// readers expect, and carries every picture also as a metafile that older
// readers draw. (Selections go both ways in tst_rtftext, through SelRTF.)

#include "document/BaseFont.h"
#include "document/RtfReader.h"
#include "document/RtfWriter.h"
#include "document/WindowsMetafile.h"
#include "tst_rtfwriter_documents.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>
#include <QTextDocumentFragment>
#include <QtEndian>

using namespace SongSamples;
using Builder = void (*)(QTextDocument &);
Q_DECLARE_METATYPE(Builder)

namespace {

quint32 word(const QByteArray &data, qsizetype at, int bytes)
{
    return bytes == 2 ? qFromLittleEndian<quint16>(data.constData() + at) : qFromLittleEndian<quint32>(data.constData() + at);
}

QImage onWhite(const QImage &image)
{
    QImage canvas(image.size(), QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter(&canvas).drawImage(0, 0, image);
    return canvas;
}

} // namespace

class tst_RtfWriter : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void plainRtfInStandardUnits();
    void goldenSong();
    void metafilePictures_data();
    void metafilePictures();
};

void tst_RtfWriter::roundTrip_data()
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

void tst_RtfWriter::roundTrip()
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
    // Writing what was read gives the same file again.
    QCOMPARE(RtfWriter().write(read), rtf);

    // A fragment carries no pictures, but all of its text.
    QTextDocument fromFragment;
    QVERIFY(RtfReader().read(RtfWriter().write(QTextDocumentFragment(&original)), &fromFragment));
    QCOMPARE(fromFragment.toRawText(), original.toRawText().remove(QChar::ObjectReplacementCharacter));
}

void tst_RtfWriter::plainRtfInStandardUnits()
{
    QTextDocument document;
    document.setDefaultFont(songBaseFont());
    fillFullSong(document);
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat dotted = run({}, 10.5);
    dotted.setUnderlineStyle(QTextCharFormat::DotLine);
    cursor.insertText(QStringLiteral("dotted"), dotted);
    const QByteArray rtf = RtfWriter().write(document).trimmed();

    // Escapes, \uN with "?" for readers without Unicode (signed, and two for
    // a surrogate pair), sizes in half points, lengths in twips.
    for (const char *expected :
         {"\\{braces\\} back\\\\slash", "Gr\\u226?ce", "\\u-10179?\\u-8704?", "How sweet\\tab the sound",
          "\\line that saved", "{\\f0\\fs20 Plain, }", "\\fs19\\i words", "{\\f0\\fs21\\uld dotted}",
          "\\pard\\plain\\qc\\sa120", "\\pard\\plain\\ql\\li450\\ri225\\fi-150\\sb60", "\\pard\\plain\\qj\\li900"})
        QVERIFY2(rtf.contains(expected), expected);

    // US-ASCII only, in one group; \uc1: one "?" after each \uN.
    QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1"));
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        QVERIFY2(uchar(rtf.at(i)) < 0x80, "byte outside US-ASCII");
        if (rtf.at(i) == '\\')
            ++i;
        else if (rtf.at(i) == '{')
            ++depth;
        else if (rtf.at(i) == '}' && --depth == 0)
            QCOMPARE(i, rtf.size() - 1);
    }
    QCOMPARE(depth, 0);
}

// A whole song in the program's base font, every format and pictures among
// the words, written byte for byte as the golden file has it: work on the
// writer's speed must not change what it writes. On a difference the file
// written is put beside the test's run; copy it over the golden file only
// when the change is meant.
void tst_RtfWriter::goldenSong()
{
    QTextDocument document;
    document.setDefaultFont(songBaseFont());
    fillFullSong(document);
    const QByteArray written = RtfWriter().write(document);
    if (written != readAll(QStringLiteral(SONGLOOM_TEST_DATA "/writer/full-song.rtf"))) {
        QVERIFY(writeAll(QStringLiteral("full-song.actual.rtf"), written));
        QFAIL(qPrintable("differs from the golden file; written: " + QDir::current().filePath("full-song.actual.rtf")));
    }
}

void tst_RtfWriter::metafilePictures_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QSizeF>("shown");
    QTest::addColumn<int>("bitsPerPixel");
    QTest::newRow("chord at its size") << chordPicture(4) << QSizeF() << 1;
    QTest::newRow("chord shown twice as large") << chordPicture(5) << QSizeF(80, 96) << 1;
    QImage three(3, 1, QImage::Format_RGB32); // odd width: padded rows
    for (int x = 0; x < 3; ++x)
        three.setPixel(x, 0, qRgb(x == 0 ? 255 : 0, x == 1 ? 255 : 0, x == 2 ? 255 : 0));
    QTest::newRow("three colours") << three << QSizeF() << 4;
    QImage grey(9, 5, QImage::Format_RGB32);
    for (int i = 0; i < 45; ++i)
        grey.setPixel(i % 9, i / 9, qRgb(i * 5, i * 5, i * 5));
    QTest::newRow("45 greys") << grey << QSizeF() << 8;
    QTest::newRow("colours and transparency") << colourPicture() << QSizeF(74, 46) << 24;
}

void tst_RtfWriter::metafilePictures()
{
    QFETCH(QImage, image);
    QFETCH(QSizeF, shown);
    QFETCH(int, bitsPerPixel);
    QTextDocument document;
    QTextCursor cursor(&document);
    DocumentImages::insertImage(cursor, image, shown);

    // Read as a reader that takes no PNG: the metafile alone, drawn on white.
    QString rtf = QString::fromLatin1(RtfWriter().write(document));
    static const QRegularExpression png(QStringLiteral("\\{\\\\\\*\\\\shppict\\{\\\\pict\\\\[^}]*\\\\pngblip[^}]*\\}\\}"));
    QCOMPARE(rtf.count(png), 1);
    rtf.remove(png).replace(QLatin1String("{\\nonshppict{"), QLatin1String("{{"));
    QTextDocument read;
    QVERIFY(RtfReader().read(rtf.toLatin1(), &read));
    QTextDocument expected;
    QTextCursor expectedCursor(&expected);
    DocumentImages::insertImage(expectedCursor, onWhite(image), shown);
    QCOMPARE(pictures(read), pictures(expected));

    // The header, records and bitmap as older readers check them.
    const QByteArray wmf = WindowsMetafile::fromImage(image);
    QCOMPARE(QList<quint32>({word(wmf, 0, 2), word(wmf, 2, 2), word(wmf, 6, 4) * 2}), QList<quint32>({1, 9, quint32(wmf.size())}));
    quint32 largest = 0;
    quint32 function = 1;
    qsizetype at = 18;
    while (at < wmf.size() && function != 0) {
        const quint32 words = word(wmf, at, 4);
        QVERIFY(words >= 3 && at + words * 2 <= wmf.size());
        largest = std::max(largest, words);
        function = word(wmf, at + 4, 2);
        at += words * 2;
    }
    QVERIFY(function == 0 && at == wmf.size()); // the end record, last
    QCOMPARE(largest, word(wmf, 12, 4));
    QCOMPARE(int(word(WindowsMetafile::deviceIndependentBitmap(image), 14, 2)), bitsPerPixel);
}

QTEST_MAIN(tst_RtfWriter)
#include "tst_rtfwriter.moc"
