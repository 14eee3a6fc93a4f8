// The writer: what it writes the reader reads back unchanged (text, every
// format, pictures pixel for pixel); and what a round trip cannot show: plain
// US-ASCII in balanced groups, the units and escapes other readers expect,
// and every picture also as a metafile older readers draw.

#include "document/BaseFont.h"
#include "document/RtfReader.h"
#include "document/RtfWriter.h"
#include "document/WindowsMetafile.h"
#include "tst_rtfwriter_documents.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTextDocumentFragment>
#include <QtEndian>

using namespace SongSamples;
using Builder = void (*)(QTextCursor &);
Q_DECLARE_METATYPE(Builder)

static quint32 word(const QByteArray &data, qsizetype at, int bytes)
{
    return bytes == 2 ? qFromLittleEndian<quint16>(data.constData() + at) : qFromLittleEndian<quint32>(data.constData() + at);
}

class tst_RtfWriter : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void fullSong();
    void toDevice();
    void metafilePictures_data();
    void metafilePictures();
};

void tst_RtfWriter::roundTrip_data()
{
    QTest::addColumn<Builder>("build");
    QTest::newRow("empty song") << Builder([](QTextCursor &) {});
    QTest::newRow("every format and pictures") << Builder([](QTextCursor &c) { fillFullSong(*c.document()); });
    QTest::newRow("only a picture, shown larger")
        << Builder([](QTextCursor &c) { DocumentImages::insertImage(c, chordPicture(3), QSizeF(80, 96)); });
    QTest::newRow("bold start, plain end")
        << Builder([](QTextCursor &c) { c.insertText("Bold", run({}, 0, u"b")), c.insertText(" then plain", QTextCharFormat()); });
    QTest::newRow("an empty line as high as its mark") << Builder([](QTextCursor &c) {
        c.insertText(QStringLiteral("small"));
        c.insertBlock(QTextBlockFormat(), run({}, 24));
        c.insertBlock(QTextBlockFormat(), run());
        c.insertText(QStringLiteral("small again"));
    });
    QTest::newRow("spelling marks are no content") << Builder([](QTextCursor &c) {
        QTextCharFormat marked;
        marked.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
        c.insertText(QStringLiteral("mispeled"), marked);
    });
}

void tst_RtfWriter::roundTrip()
{
    QFETCH(Builder, build);
    QTextDocument original, read, fromFragment;
    original.setDefaultFont(testBaseFont());
    read.setDefaultFont(testBaseFont());
    QTextCursor cursor(&original);
    build(cursor);
    const QByteArray rtf = RtfWriter().write(original);
    QVERIFY2(RtfReader().read(rtf, &read), rtf.left(200).constData());
    QCOMPARE(describe(read), describe(original));
    QCOMPARE(RtfWriter().write(read), rtf); // what was read is written the same again
    QVERIFY(RtfReader().read(RtfWriter().write(QTextDocumentFragment(&original)), &fromFragment)); // no pictures, all text
    QCOMPARE(fromFragment.toRawText(), original.toRawText().remove(QChar::ObjectReplacementCharacter));
}

// The full song in the program's base font, in standard units and escapes,
// US-ASCII in balanced groups, and byte for byte the golden file (on a
// difference, copy the file written over it only when the change is meant).
void tst_RtfWriter::fullSong()
{
    QTextDocument document;
    document.setDefaultFont(songBaseFont());
    fillFullSong(document);
    const QByteArray written = RtfWriter().write(document);
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat dotted = run({}, 10.5);
    dotted.setUnderlineStyle(QTextCharFormat::DotLine);
    cursor.insertText(QStringLiteral("dotted"), dotted);
    const QByteArray rtf = RtfWriter().write(document).trimmed();

    // \uN and \uc1's one "?" for readers without Unicode (signed, two for a
    // surrogate pair), sizes in half points, lengths in twips.
    for (const char *expected :
         {"\\{braces\\} back\\\\slash", "Gr\\u226?ce", "\\u-10179?\\u-8704?", "How sweet\\tab the sound",
          "\\line that saved", "{\\f0\\fs20 Plain, }", "\\fs19\\i words", "{\\f0\\fs21\\uld dotted}",
          "\\pard\\plain\\qc\\sa120", "\\pard\\plain\\ql\\li450\\ri225\\fi-150\\sb60", "\\pard\\plain\\qj\\li900"})
        QVERIFY2(rtf.contains(expected), expected);
    QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1"));
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        QVERIFY2(uchar(rtf.at(i)) < 0x80, "byte outside US-ASCII");
        if (rtf.at(i) == '\\')
            ++i;
        else if (rtf.at(i) == '{' || rtf.at(i) == '}')
            depth += rtf.at(i) == '{' ? 1 : -1;
        QVERIFY(depth > 0 || i >= rtf.size() - 1);
    }
    QCOMPARE(depth, 0);

    if (written != readAll(QStringLiteral(SONGLOOM_TEST_DATA "/writer/full-song.rtf"))) {
        QVERIFY(writeAll(QStringLiteral("full-song.actual.rtf"), written));
        QFAIL(qPrintable("differs from the golden file; written: " + QDir::current().filePath("full-song.actual.rtf")));
    }
}

// A song of many pieces goes to a device as it is made, the same bytes;
// a device that takes a piece short makes the write fail.
void tst_RtfWriter::toDevice()
{
    QTextDocument document;
    document.setDefaultFont(songBaseFont());
    fillFullSong(document);
    QTextCursor cursor(&document);
    const QTextDocumentFragment song(cursor.document());
    cursor.movePosition(QTextCursor::End);
    for (int i = 0; i < 2000; ++i)
        cursor.insertFragment(song);
    QByteArray streamed;
    QBuffer buffer(&streamed);
    QVERIFY(buffer.open(QIODevice::WriteOnly) && RtfWriter().write(document, &buffer));
    const QByteArray whole = RtfWriter().write(document);
    QVERIFY(whole.size() > 1024 * 1024);
    QVERIFY(streamed == whole);
    QFile full(QStringLiteral("/dev/full"));
    if (!full.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        QSKIP("No /dev/full here");
    QVERIFY(!RtfWriter().write(document, &full));
}

void tst_RtfWriter::metafilePictures_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QSizeF>("shown");
    QTest::addColumn<int>("bitsPerPixel");
    const auto filled = [](int width, int height, QRgb (*colour)(int)) {
        QImage image(width, height, QImage::Format_RGB32);
        for (int i = 0; i < width * height; ++i)
            image.setPixel(i % width, i / width, colour(i));
        return image;
    };
    QTest::newRow("chord shown twice as large") << chordPicture(4) << QSizeF(80, 96) << 1;
    QTest::newRow("red, green, blue: odd width, padded rows")
        << filled(3, 1, [](int i) { return QRgb(0xff000000 | 0xff0000 >> 8 * i); }) << QSizeF() << 4;
    QTest::newRow("45 greys") << filled(9, 5, [](int i) { return qRgb(i * 5, i * 5, i * 5); }) << QSizeF() << 8;
    QTest::newRow("colours and transparency") << colourPicture() << QSizeF(74, 46) << 24;
}

void tst_RtfWriter::metafilePictures()
{
    QFETCH(QImage, image);
    QFETCH(QSizeF, shown);
    QFETCH(int, bitsPerPixel);
    QTextDocument document, read, expected;
    QTextCursor cursor(&document), expectedCursor(&expected);
    DocumentImages::insertImage(cursor, image, shown);

    // Read as a reader that takes no PNG: the metafile alone, drawn on white.
    QString rtf = QString::fromLatin1(RtfWriter().write(document));
    static const QRegularExpression png(QStringLiteral("\\{\\\\\\*\\\\shppict\\{\\\\pict\\\\[^}]*\\\\pngblip[^}]*\\}\\}"));
    QCOMPARE(rtf.count(png), 1);
    rtf.remove(png).replace(QLatin1String("{\\nonshppict{"), QLatin1String("{{"));
    QVERIFY(RtfReader().read(rtf.toLatin1(), &read));
    QImage onWhite(image.size(), QImage::Format_RGB32);
    onWhite.fill(Qt::white);
    QPainter(&onWhite).drawImage(0, 0, image);
    DocumentImages::insertImage(expectedCursor, onWhite, shown);
    QCOMPARE(pictures(read), pictures(expected));

    // The header, records (the end record last) and bitmap as older readers check them.
    const QByteArray wmf = WindowsMetafile::fromImage(image);
    QCOMPARE(QList<quint32>({word(wmf, 0, 2), word(wmf, 2, 2), word(wmf, 6, 4) * 2}), QList<quint32>({1, 9, quint32(wmf.size())}));
    quint32 largest = 0, function = 1;
    qsizetype at = 18;
    for (quint32 words = 0; at < wmf.size() && function != 0; at += words * 2) {
        words = word(wmf, at, 4);
        QVERIFY(words >= 3 && at + words * 2 <= wmf.size());
        largest = std::max(largest, words);
        function = word(wmf, at + 4, 2);
    }
    QVERIFY(function == 0 && at == wmf.size());
    QCOMPARE(largest, word(wmf, 12, 4));
    QCOMPARE(int(word(WindowsMetafile::deviceIndependentBitmap(image), 14, 2)), bitsPerPixel);
}

QTEST_MAIN(tst_RtfWriter)
#include "tst_rtfwriter.moc"
