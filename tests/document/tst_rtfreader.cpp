// The RTF reader on small, hand-made documents: text and its encodings,
// formatting, pictures, and input that is broken on purpose.

#include "document/DocumentImages.h"
#include "document/RtfPictures.h"
#include "document/RtfReader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>

namespace {

// Blocks joined by "\n", each block's text as stored: line separators
// (U+2028), no-break spaces and picture marks (U+FFFC) stay as they are.
QString rawText(const QTextDocument &document)
{
    QStringList blocks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        blocks << block.text();
    return blocks.join(QLatin1Char('\n'));
}

QString readText(const QByteArray &rtf)
{
    QTextDocument document;
    RtfReader reader;
    if (!reader.read(rtf, &document))
        return QStringLiteral("<not read>");
    return rawText(document);
}

// The pictures' formats, one for each picture mark.
QList<QTextImageFormat> picturesOf(const QTextDocument &document)
{
    QList<QTextImageFormat> found;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat())
                found.insert(found.size(), it.fragment().length(), it.fragment().charFormat().toImageFormat());
        }
    }
    return found;
}

const QByteArray dib = QByteArray::fromHex( // 2 by 2, 24 bits: red, green on top, blue, white below
    "28000000020000000200000001001800" + QByteArray(48, '0') + "ff0000ffffff0000" "0000ff00ff000000");
const QByteArray png = QByteArray::fromHex("89504e470d0a1a0a0000000d4948445200000002000000020802000000fdd49a73000000"
                                           "124944415478da63f8cfc0c000c20cff8100001fee05fbf1abba770000000049454e44ae426082");
// A Windows metafile whose only drawing is the DIB in a StretchDIB record.
const QByteArray wmf = QByteArray::fromHex("0100090000033b000000" + QByteArray(16, '0') + "050000000c0200000000"
                                           "2a000000430f2000cc00" + QByteArray(36, '0')) + dib + QByteArray::fromHex("030000000000");

QByteArray pict(const QByteArray &controls, const QByteArray &data)
{
    return "{\\pict" + controls + " " + data.toHex() + "}";
}

// What a picture read shows: the four colours, the placeholder, or anything.
enum class Shows { Colours, Placeholder, Something };

} // namespace

class tst_RtfReader : public QObject
{
    Q_OBJECT

private slots:
    void text_data();
    void text();
    void namedCharacters_data();
    void namedCharacters();
    void whatIsRtf_data();
    void whatIsRtf();
    void characterFormat_data();
    void characterFormat();
    void pictures_data();
    void pictures();
    void fixtures_data();
    void fixtures();
    void paragraphs();
    void batchesRunsOfText();
};

void tst_RtfReader::text_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    QTest::newRow("escaped break is a paragraph") << QByteArray("{\\rtf1 a\\\r\nb}") << "a\nb";
    QTest::newRow("escaped braces and backslash") << QByteArray(R"({\rtf1 a\{\}\\})") << "a{}\\";
    QTest::newRow("u with fallback") << QByteArray(R"({\rtf1 x\u8364?y})") << "x\u20ACy";
    QTest::newRow("uc2 skips two units") << QByteArray(R"({\rtf1\uc2\u8364\'80\'80y})") << "\u20ACy";
    QTest::newRow("uc ends with its group") << QByteArray(R"({\rtf1{\uc3 a}\u8364?b})") << "a\u20ACb";
    QTest::newRow("skipping stops at a group end") << QByteArray(R"({\rtf1{\uc2\u8364 a}bc})") << "\u20ACbc";
    QTest::newRow("surrogate pair") << QByteArray(R"({\rtf1\u-10179?\u-8704?!})") << "\U0001F600!";
    QTest::newRow("bin inside a skipped group") << QByteArray("{\\rtf1{\\*\\foo\\bin3 }}}}x}") << "x";
    QTest::newRow("empty cells keep their tabs")
        << QByteArray(R"({\rtf1\trowd\cellx1\cellx2\cellx3 \cell\cell z\cell\row})") << "\t\tz\n";
    QTest::newRow("characters that are not text dropped") << QByteArray("{\\rtf1 a\\'00\\'07\\'09b\\u-4?\\u65532?c}")
                                                          << "a\tbc";
    QTest::newRow("cp: ansicpg1251") << QByteArray(R"({\rtf1\ansi\ansicpg1251 \'cf\'f0\'e8})") << "\u041F\u0440\u0438";
    QTest::newRow("cp: fcharset0 is 1252 whatever ansicpg says")
        << QByteArray(R"({\rtf1\ansi\ansicpg1251{\fonttbl{\f0\fcharset0 Arial;}}\f0\'e9})") << "\u00E9";
    QTest::newRow("cp: cpg wins over fcharset")
        << QByteArray(R"({\rtf1{\fonttbl{\f0\fcharset0\cpg1253 Arial;}}\f0\'e1})") << "\u03B1";
    QTest::newRow("cp: font changes the code page mid-run")
        << QByteArray(R"({\rtf1{\fonttbl{\f0\fcharset204 A;}{\f1\fcharset161 B;}}\f0\'e0\f1\'e1})") << "\u0430\u03B1";
    QTest::newRow("cp: shift-jis double bytes") << QByteArray(R"({\rtf1\ansi\ansicpg932 \'82\'a0\'82\'a2})") << "\u3042\u3044";
    QTest::newRow("cp: shift-jis trail byte as a literal")
        << QByteArray(R"({\rtf1{\fonttbl{\f0\fcharset128 MS Mincho;}}\f0\'83A\'83\\})") << "\u30A2\u30BD";
    QTest::newRow("cp: mac") << QByteArray(R"({\rtf1\mac \'8e\'a5})") << "\u00E9\u2022";
    QTest::newRow("broken: missing closing braces") << QByteArray(R"({\rtf1{\b a{\i b)") << "ab";
    QTest::newRow("broken: extra closing braces") << QByteArray(R"({\rtf1 a}}}} b)") << "a";
    QTest::newRow("broken: hex escape with one digit") << QByteArray("{\\rtf1 a\\'4") << "a";
    QTest::newRow("broken: u with a huge value") << QByteArray(R"({\rtf1 a\u99999999999999999999 b})") << "a";
    QTest::newRow("broken: huge uc") << QByteArray(R"({\rtf1\uc2147483647\u8364 abc}d)") << "\u20AC";
    QTest::newRow("broken: bin beyond the end") << QByteArray("{\\rtf1 a\\bin999999999 xyz") << "a";
    QTest::newRow("broken: huge parameters") << QByteArray(R"({\rtf1\fs-99999999999\li99999999999\f99999999999 a})") << "a";
    QTest::newRow("broken: very long control word") << "{\\rtf1\\" + QByteArray(100000, 'x') + " a}" << "a";
    QTest::newRow("broken: font table never closed") << QByteArray(R"({\rtf1{\fonttbl{\f0 Arial)") << "";
    QTest::newRow("100000 nested groups")
        << "{\\rtf1" + QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') + "after}" << "deepafter";
    QTest::newRow("100000 unclosed groups") << "{\\rtf1" + QByteArray(100000, '{') + "x" << "x";
}

// Each in bounded time, nesting bombs too.
void tst_RtfReader::text()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(readText(rtf), expected);
    QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
}

// The characters RTF names by a control word or symbol, as Word and
// WordPad write them; each is read as text, also inside a bold run and
// before a \uN fallback.
void tst_RtfReader::namedCharacters_data()
{
    QTest::addColumn<QByteArray>("control");
    QTest::addColumn<QString>("character");
    const struct { const char *control; char16_t character; } named[] = {
        {"\\lquote", 0x2018}, {"\\rquote", 0x2019}, {"\\ldblquote", 0x201C}, {"\\rdblquote", 0x201D},
        {"\\emdash", 0x2014}, {"\\endash", 0x2013}, {"\\bullet", 0x2022}, {"\\tab", u'\t'},
        {"\\line", 0x2028}, {"\\emspace", 0x2003}, {"\\enspace", 0x2002}, {"\\qmspace", 0x2005},
        {"\\zwj", 0x200D}, {"\\zwnj", 0x200C}, {"\\ltrmark", 0x200E}, {"\\rtlmark", 0x200F},
        {"\\~", 0x00A0}, {"\\-", 0x00AD}, {"\\_", 0x2011}, {"\\\t", u'\t'}, // the last: a backslash before a tab
    };
    for (const auto &n : named)
        QTest::newRow(n.control) << QByteArray(n.control) << QString(QChar(n.character));
}

void tst_RtfReader::namedCharacters()
{
    QFETCH(QByteArray, control);
    QFETCH(QString, character);
    // A space after a control word is part of it; after a symbol it is text.
    const QByteArray word = control + (QChar::isLetter(control.back()) ? " " : "");
    QCOMPARE(readText("{\\rtf1 a" + word + "b{\\b " + word + "}c}"), "a" + character + "b" + character + "c");
    // The fallback of \u is used up by the named character that stands for it.
    QCOMPARE(readText("{\\rtf1\\uc1\\u8364" + word + "d}"), QStringLiteral("\u20ACd"));
}

// One rule for what is RTF, for files and for pasted data alike: "{\rtf"
// after at most a UTF-8 byte-order mark and blanks. Reading what is not RTF
// fails and leaves the document, its undo history too, as it was.
void tst_RtfReader::whatIsRtf_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("isRtf");
    QTest::newRow("RTF") << QByteArray("{\\rtf1 a}") << true;
    QTest::newRow("byte-order mark and blanks") << QByteArray("\xEF\xBB\xBF \t\r\n{\\rtf1 a}") << true;
    QTest::newRow("cut off after the header") << QByteArray("{\\rtf") << true;
    QTest::newRow("form feed") << QByteArray("\f{\\rtf1 a}") << false;
    QTest::newRow("vertical tab") << QByteArray("\v{\\rtf1 a}") << false;
    QTest::newRow("no-break space") << QByteArray("\xA0{\\rtf1 a}") << false;
    const QString utf16 = QStringLiteral("\uFEFF{\\rtf1 a}");
    QTest::newRow("UTF-16") << QByteArray(reinterpret_cast<const char *>(utf16.utf16()), utf16.size() * 2) << false;
    QTest::newRow("two byte-order marks") << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF{\\rtf1 a}") << false;
    QTest::newRow("text before it") << QByteArray("plain text {\\rtf1 x}") << false;
    QTest::newRow("upper case") << QByteArray("{\\RTF1 a}") << false;
    QTest::newRow("nothing") << QByteArray() << false;
}

void tst_RtfReader::whatIsRtf()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, isRtf);
    QCOMPARE(RtfReader::isRtf(data), isRtf);

    QTextDocument document;
    QTextCursor(&document).insertText(QStringLiteral("kept"));
    RtfReader reader;
    QCOMPARE(reader.read(data, &document), isRtf);
    QCOMPARE(reader.errorString().isEmpty(), isRtf);
    if (!isRtf) {
        QCOMPARE(document.toPlainText(), QStringLiteral("kept"));
        QVERIFY(document.isUndoAvailable());
    }
}

void tst_RtfReader::characterFormat_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("property");
    QTest::addColumn<QVariant>("expected"); // invalid: the property is not set

    const int weight = QTextFormat::FontWeight;
    const int italic = QTextFormat::FontItalic;
    const int underline = QTextFormat::TextUnderlineStyle;
    const int families = QTextFormat::FontFamilies;
    const QVariant none;
    QTest::newRow("bold ends with its group") << QByteArray(R"({\rtf1{\b bold} plain})") << "plain" << weight << none;
    QTest::newRow("b0") << QByteArray(R"({\rtf1\b on\b0 off})") << "off" << weight << none;
    QTest::newRow("i0") << QByteArray(R"({\rtf1\i a\i0 up})") << "up" << italic << none;
    QTest::newRow("ulnone") << QByteArray(R"({\rtf1\ul a\ulnone no})") << "no" << underline << none;
    QTest::newRow("ul0") << QByteArray(R"({\rtf1\ul a\ul0 no})") << "no" << underline << none;
    QTest::newRow("strike0") << QByteArray(R"({\rtf1\strike a\strike0 no})") << "no" << int(QTextFormat::FontStrikeOut) << none;
    QTest::newRow("plain resets") << QByteArray(R"({\rtf1\b\i\ul\fs40 a\plain pl})") << "pl" << weight << none;
    QTest::newRow("absurd font size ignored") << QByteArray(R"({\rtf1\fs999999 sz})") << "sz" << int(QTextFormat::FontPointSize) << none;
    QTest::newRow("font table without groups") << QByteArray(R"({\rtf1{\fonttbl\f0\fnil Courier;\f1\fnil Arial;}\f1 tx})")
                                               << "tx" << families << QVariant(QStringList{QStringLiteral("Arial")});
    QTest::newRow("falt stands in for a missing name") << QByteArray(R"({\rtf1{\fonttbl{\f0{\*\falt Helvetica};}}\f0 tx})")
                                                       << "tx" << families << QVariant(QStringList{QStringLiteral("Helvetica")});
    QTest::newRow("no font keeps the default") << QByteArray(R"({\rtf1\deff0{\fonttbl{\f0 Arial;}}tx})") << "tx" << families << none;
    QTest::newRow("cf0 is automatic") << QByteArray(R"({\rtf1{\colortbl;\red255\green0\blue0;}\cf1 a\cf0 tx})") << "tx"
                                      << int(QTextFormat::ForegroundBrush) << none;
    QTest::newRow("highlight") << QByteArray(R"({\rtf1{\colortbl;\red255\green255\blue0;}\highlight1 tx})") << "tx"
                               << int(QTextFormat::BackgroundBrush) << QVariant(QBrush(QColor(255, 255, 0)));
    QTest::newRow("hyperlink") << QByteArray(R"({\rtf1{\field{\*\fldinst HYPERLINK "https://example.org/a b"}{\fldrslt link}}})")
                               << "link" << int(QTextFormat::AnchorHref) << QVariant(QStringLiteral("https://example.org/a b"));
}

void tst_RtfReader::characterFormat()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, word);
    QFETCH(int, property);
    QFETCH(QVariant, expected);

    QTextDocument document;
    QVERIFY(RtfReader().read(rtf, &document));
    const QTextCursor found = document.find(word);
    QVERIFY2(!found.isNull(), qPrintable(rawText(document)));
    QTextCursor cursor(&document);
    cursor.setPosition(found.selectionStart() + 1);
    const QTextCharFormat format = cursor.charFormat();
    QCOMPARE(format.hasProperty(property), expected.isValid());
    if (expected.isValid())
        QCOMPARE(format.property(property), expected);
}

void tst_RtfReader::pictures_data()
{
    QTest::addColumn<QByteArray>("rtf");  // with text empty: a picture between "before" and "after"
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSizeF>("size");     // of the first picture; invalid: not checked
    QTest::addColumn<Shows>("shows");     // the first picture

    const QSizeF own(2, 2);
    const QSizeF any;
    const QByteArray goal = "\\picwgoal300\\pichgoal300";
    const QByteArray shown = pict("\\pngblip" + goal, png);
    QTest::newRow("png") << pict("\\pngblip", png) << "" << own << Shows::Colours;
    QTest::newRow("png as binary") << "{\\pict\\pngblip\\bin" + QByteArray::number(png.size()) + " " + png + "}" << ""
                                   << own << Shows::Colours;
    QTest::newRow("bmp labelled as png") << pict("\\pngblip", QByteArray::fromHex("424d460000000000000036000000") + dib)
                                         << "" << own << Shows::Colours;
    QTest::newRow("dibitmap") << pict("\\dibitmap0\\picw2\\pich2", dib) << "" << own << Shows::Colours;
    QTest::newRow("wmetafile with StretchDIB, size in 0.01 mm") << pict("\\wmetafile8\\picw2540\\pich1270", wmf) << ""
                                                                << QSizeF(96, 48) << Shows::Colours;
    QTest::newRow("wbitmap 24 bits") << pict("\\wbitmap0\\picw2\\pich2\\wbmbitspixel24\\wbmplanes1\\wbmwidthbytes6",
                                             QByteArray::fromHex("0000ff00ff00" "ff0000ffffff")) << "" << own << Shows::Colours;
    QTest::newRow("goal in twips, scaled") << pict("\\pngblip\\picscalex50\\picscaley200\\picwgoal300\\pichgoal450", png)
                                           << "" << QSizeF(10, 60) << Shows::Colours;
    QTest::newRow("absurd goal clamped") << pict("\\pngblip\\picwgoal2147483647\\pichgoal-5", png) << ""
                                         << QSizeF(16384, 2) << Shows::Colours;
    QTest::newRow("emf placeholder at its goal") << pict("\\emfblip" + goal, QByteArray(16, '\1')) << "" << QSizeF(20, 20)
                                                 << Shows::Placeholder;
    QTest::newRow("undecodable without any size") << pict("\\pngblip", "junk") << "" << QSizeF(32, 32) << Shows::Placeholder;
    QTest::newRow("wmf without a bitmap") << pict("\\wmetafile8", wmf.left(30)) << "" << any << Shows::Placeholder;
    QTest::newRow("planar wbitmap") << pict("\\wbitmap0\\picw2\\pich2\\wbmplanes4\\wbmwidthbytes2", QByteArray(16, '\0'))
                                    << "" << any << Shows::Placeholder;
    QTest::newRow("svg is not read from a file") << pict("", "<svg xmlns='http://www.w3.org/2000/svg' width='2' height='2'/>")
                                                 << "" << any << Shows::Placeholder;
    QTest::newRow("dib with a lying header") << pict("\\dibitmap0", QByteArray::fromHex("ffffff7f") + dib.mid(4)) << ""
                                             << any << Shows::Placeholder;
    QTest::newRow("truncated picture: placeholder, text intact")
        << "{\\rtf1 a{\\pict\\pngblip" + goal + " " + png.toHex().left(40) + "}b}" << "a\uFFFCb" << QSizeF(20, 20)
        << Shows::Placeholder;
    QTest::newRow("picture cut off by the end of the file") << "{\\rtf1 a{\\pict\\pngblip " + png.toHex() << "a\uFFFC"
                                                            << any << Shows::Something;
    QTest::newRow("odd hex digit count") << "{\\pict\\pngblip " + png.toHex() + "0}" << "" << own << Shows::Something;
    QTest::newRow("pictures in a table cell") << "{\\rtf1\\trowd\\cellx1\\cellx2 a\\cell" + shown + "\\cell\\row}"
                                              << "a\t\uFFFC\n" << any << Shows::Colours;
    QTest::newRow("picture in a skipped group") << "{\\rtf1{\\header " + shown + "}x}" << "x" << any << Shows::Something;
    QTest::newRow("shppict shown, nonshppict not") << "{\\rtf1 a{\\*\\shppict" + shown + "}{\\nonshppict"
                                                          + pict("\\wmetafile8" + goal, wmf) + "}b}"
                                                   << "a\uFFFCb" << QSizeF(20, 20) << Shows::Colours;
}

void tst_RtfReader::pictures()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QFETCH(QSizeF, size);
    QFETCH(Shows, shows);
    if (text.isEmpty()) {
        rtf = "{\\rtf1 before" + rtf + "after}";
        text = QStringLiteral("before\uFFFCafter");
    }

    QTextDocument document;
    QVERIFY(RtfReader().read(rtf, &document));
    QCOMPARE(rawText(document), text);
    const QList<QTextImageFormat> found = picturesOf(document);
    QCOMPARE(found.size(), text.count(QChar::ObjectReplacementCharacter));
    if (size.isValid())
        QCOMPARE(QSizeF(found[0].width(), found[0].height()), size);
    const QImage image = found.isEmpty() ? QImage() : DocumentImages::imageFor(&document, found[0]);
    if (shows == Shows::Colours)
        QCOMPARE(image.convertToFormat(QImage::Format_RGB32), QImage::fromData(png).convertToFormat(QImage::Format_RGB32));
    else if (shows == Shows::Placeholder)
        QCOMPARE(image, RtfPictures::placeholder());
}

// Files that are hard to read or once troubled the reader: the text of each
// NAME.rtf (U+FFFC for each picture) is exactly that of NAME.txt beside it.
void tst_RtfReader::fixtures_data()
{
    QTest::addColumn<QString>("path");
    const QDir dir(QStringLiteral(SONGLOOM_TEST_DATA "/reader"));
    const QStringList files = dir.entryList({QStringLiteral("*.rtf")}, QDir::Files);
    QVERIFY(!files.isEmpty());
    for (const QString &name : files)
        QTest::newRow(qPrintable(name)) << dir.filePath(name);
}

void tst_RtfReader::fixtures()
{
    QFETCH(QString, path);
    QFile rtf(path);
    QFile expected(path.chopped(4) + QStringLiteral(".txt"));
    QVERIFY(rtf.open(QIODevice::ReadOnly) && expected.open(QIODevice::ReadOnly));
    QCOMPARE(readText(rtf.readAll()), QString::fromUtf8(expected.readAll()));
}

// Alignment and indents as last set in a paragraph, \\pard resetting them,
// a page break before the paragraph after it, and a paragraph mark's size
// (an empty line's height) belonging to the paragraph it ends.
void tst_RtfReader::paragraphs()
{
    QTextDocument document;
    QVERIFY(RtfReader().read(R"({\rtf1\qc\li300\fs20 one\page{\fs48 two}\par\pard\fs48\par\fs30\qc x\qr\par\qj y})", &document));
    const QList<int> alignments{Qt::AlignHCenter, Qt::AlignHCenter, Qt::AlignLeft, Qt::AlignRight, Qt::AlignJustify};
    const QList<double> indents{20, 20, 0, 0, 0};
    const QList<double> marks{10, 10, 24, 15, 15};
    QCOMPARE(document.blockCount(), 5);
    for (int i = 0; i < 5; ++i) {
        const QTextBlock block = document.findBlockByNumber(i);
        QCOMPARE(int(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask), alignments[i]);
        QCOMPARE(block.blockFormat().leftMargin(), indents[i]);
        QCOMPARE(block.blockFormat().pageBreakPolicy(), i == 1 ? QTextFormat::PageBreak_AlwaysBefore : QTextFormat::PageBreak_Auto);
        QCOMPARE(block.charFormat().fontPointSize(), marks[i]);
    }
}

// A long run of text whose formatting words change nothing goes in as one
// piece, and reading a big song takes few steps.
void tst_RtfReader::batchesRunsOfText()
{
    QByteArray rtf = "{\\rtf1\\b ";
    for (int i = 0; i < 20000; ++i)
        rtf += "word \\b {}";
    rtf += "\\par ";
    for (int i = 0; i < 2000; ++i)
        rtf += "line {\\i italic} line\\par ";
    rtf += "}";

    QTextDocument document;
    RtfReader reader;
    QElapsedTimer timer;
    timer.start();
    QVERIFY(reader.read(rtf, &document));
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));

    const QTextBlock first = document.begin();
    int fragments = 0;
    for (auto it = first.begin(); !it.atEnd(); ++it)
        ++fragments;
    QCOMPARE(fragments, 1);
    QCOMPARE(first.length(), 20000 * 5 + 1);
    QCOMPARE(document.blockCount(), 2002);
}

QTEST_MAIN(tst_RtfReader)
#include "tst_rtfreader.moc"
