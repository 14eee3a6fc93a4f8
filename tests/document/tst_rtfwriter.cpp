// The RTF the writer produces: structure, escaping, tables, formats and the
// two forms of every picture, checked on the bytes themselves.

#include "document/RtfWriter.h"
#include "document/WindowsMetafile.h"
#include "tst_rtfwriter_documents.h"

#include <QRegularExpression>
#include <QTest>
#include <QTextDocumentFragment>
#include <QtEndian>

namespace {

// A document whose base font is MS Sans Serif at 10 points (\f0\fs20).
void useTenPointBase(QTextDocument &document)
{
    QFont base(QStringLiteral("MS Sans Serif"));
    base.setPointSizeF(10);
    document.setDefaultFont(base);
}

QByteArray writeText(const QString &text, const QTextCharFormat &format = QTextCharFormat())
{
    QTextDocument document;
    useTenPointBase(document);
    QTextCursor(&document).insertText(text, format);
    return RtfWriter().write(document);
}

// Braces that open and close groups, outside escapes and picture data.
bool bracesBalance(const QByteArray &rtf)
{
    int depth = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        if (rtf.at(i) == '\\') {
            ++i;
            continue;
        }
        if (rtf.at(i) == '{')
            ++depth;
        else if (rtf.at(i) == '}' && --depth < 0)
            return false;
    }
    return depth == 0;
}

struct Picture
{
    QByteArray controls;
    QByteArray data;
};

// Every \pict group of the given kind (pngblip or wmetafile8), in order.
QList<Picture> pictures(const QByteArray &rtf, const QByteArray &kind)
{
    QList<Picture> found;
    static const QRegularExpression pict(QStringLiteral("\\{\\\\pict((?:\\\\[a-z]+-?\\d*)+)\\s*([0-9a-f\\s]*)\\}"));
    for (auto it = pict.globalMatch(QString::fromLatin1(rtf)); it.hasNext();) {
        const auto match = it.next();
        const QByteArray controls = match.captured(1).toLatin1();
        if (!controls.contains("\\" + kind))
            continue;
        QByteArray hex = match.captured(2).toLatin1();
        hex.replace('\n', "").replace('\r', "").replace(' ', "");
        found.append({controls, QByteArray::fromHex(hex)});
    }
    return found;
}

int controlValue(const QByteArray &controls, const QByteArray &word)
{
    const QRegularExpression re(QStringLiteral("\\\\%1(-?\\d+)").arg(QString::fromLatin1(word)));
    return re.match(QString::fromLatin1(controls)).captured(1).toInt();
}

quint16 u16(const QByteArray &data, qsizetype at)
{
    return qFromLittleEndian<quint16>(data.constData() + at);
}

quint32 u32(const QByteArray &data, qsizetype at)
{
    return qFromLittleEndian<quint32>(data.constData() + at);
}

// The picture a metafile's StretchDIB record draws, decoded by Qt's own
// BMP reader; a null image when the metafile is not well formed.
QImage metafilePicture(const QByteArray &wmf, QString *problem)
{
    if (wmf.size() < 18 || u16(wmf, 0) != 1 || u16(wmf, 2) != 9 || u32(wmf, 6) * 2 != quint32(wmf.size())) {
        *problem = QStringLiteral("bad header");
        return {};
    }
    QImage picture;
    quint32 largest = 0;
    qsizetype at = 18;
    bool ended = false;
    while (at + 6 <= wmf.size() && !ended) {
        const quint32 words = u32(wmf, at);
        const quint16 function = u16(wmf, at + 4);
        largest = std::max(largest, words);
        if (words < 3 || at + words * 2 > wmf.size()) {
            *problem = QStringLiteral("record overruns the metafile");
            return {};
        }
        if (function == 0x0F43) {
            const QByteArray dib = wmf.mid(at + 28, words * 2 - 28);
            const quint32 colours = u32(dib, 32);
            QByteArray bmp = "BM";
            bmp.resize(14);
            qToLittleEndian<quint32>(quint32(14 + dib.size()), bmp.data() + 2);
            qToLittleEndian<quint32>(0, bmp.data() + 6);
            qToLittleEndian<quint32>(quint32(14 + 40 + colours * 4), bmp.data() + 10);
            picture = QImage::fromData(bmp + dib, "BMP");
        }
        ended = function == 0;
        at += words * 2;
    }
    if (!ended || at != wmf.size() || largest != u32(wmf, 12)) {
        *problem = QStringLiteral("no end record, or wrong largest record");
        return {};
    }
    return picture;
}

QImage onWhite(const QImage &image)
{
    QImage canvas(image.size(), QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.drawImage(0, 0, image);
    painter.end();
    return canvas;
}

} // namespace

class tst_RtfWriter : public QObject
{
    Q_OBJECT

private slots:
    void headerAndStructure();
    void escapesText_data();
    void escapesText();
    void fontAndColourTables();
    void paragraphFormats_data();
    void paragraphFormats();
    void characterFormats_data();
    void characterFormats();
    void sizesInHalfPoints_data();
    void sizesInHalfPoints();
    void paragraphsEndWithPar();
    void picturesAsPngAndMetafile_data();
    void picturesAsPngAndMetafile();
    void neighbouringCopiesOfAPicture();
    void selectionOnly();
    void fragmentWithoutDocument();
};

void tst_RtfWriter::headerAndStructure()
{
    QTextDocument document;
    SongSamples::fillFullSong(document);
    const QByteArray rtf = RtfWriter().write(document);
    QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0"));
    QVERIFY(rtf.contains("\\uc1"));
    QVERIFY(rtf.trimmed().endsWith('}'));
    QVERIFY(bracesBalance(rtf));
    // Plain 7-bit text, whatever the song holds.
    for (const char c : rtf)
        QVERIFY2(uchar(c) < 0x80, "byte outside US-ASCII");
}

void tst_RtfWriter::escapesText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("braces and backslash") << QStringLiteral("a{b}c\\d") << QByteArray("a\\{b\\}c\\\\d");
    QTest::newRow("latin-1") << QStringLiteral("é") << QByteArray("\\u233?");
    QTest::newRow("euro sign") << QStringLiteral("€") << QByteArray("\\u8364?");
    QTest::newRow("above 32767 is negative") << QStringLiteral("\uFF21") << QByteArray("\\u-223?");
    QTest::newRow("surrogate pair") << QStringLiteral("😀") << QByteArray("\\u-10179?\\u-8704?");
    QTest::newRow("digit after unicode") << QStringLiteral("é5") << QByteArray("\\u233?5");
    QTest::newRow("tab") << QStringLiteral("a\tb") << QByteArray("a\\tab b");
    QTest::newRow("line break in paragraph") << QStringLiteral("a\u2028b") << QByteArray("a\\line b");
    QTest::newRow("no-break space") << QStringLiteral("a\u00A0b") << QByteArray("a\\u160?b");
}

void tst_RtfWriter::escapesText()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, expected);
    const QByteArray rtf = writeText(text);
    QVERIFY2(rtf.contains(expected), rtf.constData());
    QVERIFY(bracesBalance(rtf));
}

void tst_RtfWriter::fontAndColourTables()
{
    QTextDocument document;
    useTenPointBase(document);
    QTextCursor cursor(&document);
    QTextCharFormat arialRed = SongSamples::run(QStringLiteral("Arial"));
    arialRed.setForeground(QColor(200, 16, 32));
    cursor.insertText(QStringLiteral("one"), arialRed);
    cursor.insertText(QStringLiteral("two"), SongSamples::run());
    QTextCharFormat arialBlue = SongSamples::run(QStringLiteral("Arial"));
    arialBlue.setForeground(QColor(0, 0, 255));
    cursor.insertText(QStringLiteral("three"), arialBlue);
    cursor.insertText(QStringLiteral("four"), arialRed);
    const QByteArray rtf = RtfWriter().write(document);

    QVERIFY2(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 MS Sans Serif;}{\\f1\\fnil\\fcharset0 Arial;}}"), rtf);
    QVERIFY2(rtf.contains("{\\colortbl ;\\red200\\green16\\blue32;\\red0\\green0\\blue255;}"), rtf);
    QVERIFY(rtf.contains("{\\f1\\fs20\\cf1 one}"));
    QVERIFY(rtf.contains("{\\f0\\fs20 two}"));
    QVERIFY(rtf.contains("{\\f1\\fs20\\cf2 three}"));
    QVERIFY(rtf.contains("{\\f1\\fs20\\cf1 four}"));
}

void tst_RtfWriter::paragraphFormats_data()
{
    QTest::addColumn<Qt::Alignment>("alignment");
    QTest::addColumn<qreal>("left");
    QTest::addColumn<qreal>("first");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("left") << Qt::Alignment(Qt::AlignLeft) << 0.0 << 0.0 << QByteArray("\\pard\\plain\\ql\\f0");
    QTest::newRow("right") << Qt::Alignment(Qt::AlignRight) << 0.0 << 0.0 << QByteArray("\\pard\\plain\\qr\\f0");
    QTest::newRow("center") << Qt::Alignment(Qt::AlignHCenter) << 0.0 << 0.0 << QByteArray("\\pard\\plain\\qc\\f0");
    QTest::newRow("justify") << Qt::Alignment(Qt::AlignJustify) << 0.0 << 0.0 << QByteArray("\\pard\\plain\\qj\\f0");
    QTest::newRow("indents in twips") << Qt::Alignment(Qt::AlignLeft) << 30.0 << -10.0
                                      << QByteArray("\\pard\\plain\\ql\\li450\\fi-150\\f0");
}

void tst_RtfWriter::paragraphFormats()
{
    QFETCH(Qt::Alignment, alignment);
    QFETCH(qreal, left);
    QFETCH(qreal, first);
    QFETCH(QByteArray, expected);
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextBlockFormat format;
    format.setAlignment(alignment);
    format.setLeftMargin(left);
    format.setTextIndent(first);
    cursor.setBlockFormat(format);
    cursor.insertText(QStringLiteral("text"));
    const QByteArray rtf = RtfWriter().write(document);
    QVERIFY2(rtf.contains(expected), rtf.constData());
}

void tst_RtfWriter::characterFormats_data()
{
    QTest::addColumn<QTextCharFormat>("format");
    QTest::addColumn<QByteArray>("expected");
    QTextCharFormat f;
    f.setFontWeight(QFont::Bold);
    QTest::newRow("bold") << f << QByteArray("\\fs20\\b text}");
    f = {};
    f.setFontItalic(true);
    QTest::newRow("italic") << f << QByteArray("\\fs20\\i text}");
    f = {};
    f.setFontUnderline(true);
    QTest::newRow("underline") << f << QByteArray("\\fs20\\ul text}");
    f = {};
    f.setUnderlineStyle(QTextCharFormat::DotLine);
    QTest::newRow("dotted underline") << f << QByteArray("\\fs20\\uld text}");
    f = {};
    f.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    QTest::newRow("spelling marks are not written") << f << QByteArray("\\fs20 text}");
    f = {};
    f.setFontStrikeOut(true);
    QTest::newRow("strike") << f << QByteArray("\\fs20\\strike text}");
    f = {};
    f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    QTest::newRow("superscript") << f << QByteArray("\\fs20\\super text}");
    f = {};
    f.setFontWeight(QFont::Normal);
    QTest::newRow("normal weight") << f << QByteArray("{\\f0\\fs20 text}");
}

void tst_RtfWriter::characterFormats()
{
    QFETCH(QTextCharFormat, format);
    QFETCH(QByteArray, expected);
    QTextDocument document;
    useTenPointBase(document);
    QTextCursor(&document).insertText(QStringLiteral("text"), format);
    const QByteArray rtf = RtfWriter().write(document);
    QVERIFY2(rtf.contains(expected), rtf.constData());
}

void tst_RtfWriter::sizesInHalfPoints_data()
{
    QTest::addColumn<qreal>("points");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("the base font's 9.75 rounds to 10") << 9.75 << QByteArray("{\\f0\\fs20 x}");
    QTest::newRow("10.5") << 10.5 << QByteArray("{\\f0\\fs21 x}");
    QTest::newRow("24") << 24.0 << QByteArray("{\\f0\\fs48 x}");
}

void tst_RtfWriter::sizesInHalfPoints()
{
    QFETCH(qreal, points);
    QFETCH(QByteArray, expected);
    QVERIFY(writeText(QStringLiteral("x"), SongSamples::run(QString(), points)).contains(expected));
}

void tst_RtfWriter::paragraphsEndWithPar()
{
    // The last paragraph has no \par: it would add an empty one elsewhere.
    const QByteArray rtf = writeText(QStringLiteral("one\ntwo\n"));
    QCOMPARE(rtf.count("\\par\n"), 2);
    QCOMPARE(rtf.count("\\pard"), 3);
}

void tst_RtfWriter::picturesAsPngAndMetafile_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QSizeF>("shown");
    QTest::addColumn<int>("bitsPerPixel");
    QTest::newRow("chord at its size") << SongSamples::chordPicture(4) << QSizeF() << 1;
    QTest::newRow("chord shown twice as large") << SongSamples::chordPicture(5) << QSizeF(80, 96) << 1;
    QImage grey(9, 5, QImage::Format_RGB32);
    for (int i = 0; i < 45; ++i)
        grey.setPixel(i % 9, i / 9, qRgb(i * 5, i * 5, i * 5));
    QTest::newRow("few greys") << grey << QSizeF() << 8;
    QImage three(3, 1, QImage::Format_RGB32);
    three.setPixel(0, 0, qRgb(255, 0, 0));
    three.setPixel(1, 0, qRgb(0, 255, 0));
    three.setPixel(2, 0, qRgb(0, 0, 255));
    QTest::newRow("three colours, odd width") << three << QSizeF() << 4;
    QTest::newRow("colours and transparency") << SongSamples::colourPicture() << QSizeF(74, 46) << 24;
}

void tst_RtfWriter::picturesAsPngAndMetafile()
{
    QFETCH(QImage, image);
    QFETCH(QSizeF, shown);
    QFETCH(int, bitsPerPixel);
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("x"));
    DocumentImages::insertImage(cursor, image, shown);
    const QByteArray rtf = RtfWriter().write(document);
    const QSize shownSize = (shown.isEmpty() ? QSizeF(image.size()) : shown).toSize();

    QVERIFY(rtf.contains("{\\*\\shppict{\\pict"));
    QVERIFY(rtf.contains("{\\nonshppict{\\pict\\wmetafile8"));
    const QList<Picture> png = pictures(rtf, "pngblip");
    QCOMPARE(png.size(), 1);
    QCOMPARE(QImage::fromData(png.first().data, "PNG").convertToFormat(QImage::Format_ARGB32),
             image.convertToFormat(QImage::Format_ARGB32));
    QCOMPARE(controlValue(png.first().controls, "picwgoal"), shownSize.width() * 15);
    QCOMPARE(controlValue(png.first().controls, "pichgoal"), shownSize.height() * 15);
    QCOMPARE(controlValue(png.first().controls, "picw"), image.width());
    QCOMPARE(controlValue(png.first().controls, "pich"), image.height());

    const QList<Picture> wmf = pictures(rtf, "wmetafile8");
    QCOMPARE(wmf.size(), 1);
    QCOMPARE(controlValue(wmf.first().controls, "picwgoal"), shownSize.width() * 15);
    // \picw of a metafile: hundredths of a millimetre.
    QCOMPARE(controlValue(wmf.first().controls, "picw"), qRound(shownSize.width() * 2540.0 / 96.0));
    QString problem;
    const QImage drawn = metafilePicture(wmf.first().data, &problem);
    QVERIFY2(!drawn.isNull(), qPrintable(problem));
    QCOMPARE(drawn.convertToFormat(QImage::Format_RGB32), onWhite(image));
    const QByteArray dib = WindowsMetafile::deviceIndependentBitmap(image);
    QCOMPARE(int(u16(dib, 14)), bitsPerPixel);
}

void tst_RtfWriter::neighbouringCopiesOfAPicture()
{
    // Two copies of one picture side by side share one text fragment.
    QTextDocument document;
    QTextCursor cursor(&document);
    const QTextImageFormat chord = DocumentImages::addImage(&document, SongSamples::chordPicture(9));
    cursor.insertImage(chord);
    cursor.insertImage(chord);
    cursor.insertImage(chord);
    const QByteArray rtf = RtfWriter().write(document);
    QCOMPARE(pictures(rtf, "pngblip").size(), 3);
    QCOMPARE(pictures(rtf, "wmetafile8").size(), 3);
}

void tst_RtfWriter::selectionOnly()
{
    QTextDocument document;
    useTenPointBase(document);
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("first line\nsecond line\nthird"));
    cursor.setPosition(6);
    cursor.setPosition(17, QTextCursor::KeepAnchor);
    const QByteArray rtf = RtfWriter().write(cursor);
    QVERIFY2(rtf.contains(" line}\\par\n"), rtf.constData());
    QVERIFY(rtf.contains("{\\f0\\fs20 second}"));
    QVERIFY(!rtf.contains("first"));
    QVERIFY(!rtf.contains("third"));
    QCOMPARE(rtf.count("\\par\n"), 1);

    cursor.clearSelection();
    QVERIFY(!RtfWriter().write(cursor).contains("line"));
}

void tst_RtfWriter::fragmentWithoutDocument()
{
    const QTextDocumentFragment fragment = QTextDocumentFragment::fromPlainText(QStringLiteral("alpha\nbeta"));
    const QByteArray rtf = RtfWriter().write(fragment);
    QVERIFY(rtf.contains("alpha}\\par\n"));
    QVERIFY(rtf.contains("beta}"));
}

QTEST_MAIN(tst_RtfWriter)
#include "tst_rtfwriter.moc"
