// The RTF reader on small, hand-made documents: text and its encodings,
// formatting, pictures, and input that is broken on purpose.

#include "document/DocumentImages.h"
#include "document/RtfPictures.h"
#include "document/RtfReader.h"

#include <QDir>
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
    return document.toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
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

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
    void paragraphs_data();
    void paragraphs();
};

void tst_RtfReader::text_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *name, const QByteArray &rtf, const QString &expected) {
        QTest::newRow(name) << rtf << expected;
    };
    row("escaped break is a paragraph", "{\\rtf1 a\\\r\nb}", "a\nb");
    row("escaped braces and backslash", R"({\rtf1 a\{\}\\})", "a{}\\");
    row("u with fallback", R"({\rtf1 x\u8364?y})", "x\u20ACy");
    row("uc2 skips two units", R"({\rtf1\uc2\u8364\'80\'80y})", "\u20ACy");
    row("uc ends with its group", R"({\rtf1{\uc3 a}\u8364?b})", "a\u20ACb");
    row("skipping stops at a group end", R"({\rtf1{\uc2\u8364 a}bc})", "\u20ACbc");
    row("surrogate pair", R"({\rtf1\u-10179?\u-8704?!})", "\U0001F600!");
    row("bin inside a skipped group", "{\\rtf1{\\*\\foo\\bin3 }}}}x}", "x");
    row("empty cells keep their tabs", R"({\rtf1\trowd\cellx1\cellx2\cellx3 \cell\cell z\cell\row})", "\t\tz\n");
    row("characters that are not text dropped", "{\\rtf1 a\\'00\\'07\\'09b\\u-4?\\u65532?c}", "a\tbc");
    row("cp: ansicpg1251", R"({\rtf1\ansi\ansicpg1251 \'cf\'f0\'e8})", "\u041F\u0440\u0438");
    row("cp: fcharset0 is 1252 whatever ansicpg says", R"({\rtf1\ansi\ansicpg1251{\fonttbl{\f0\fcharset0 A;}}\f0\'e9})", "\u00E9");
    row("cp: cpg wins over fcharset", R"({\rtf1{\fonttbl{\f0\fcharset0\cpg1253 Arial;}}\f0\'e1})", "\u03B1");
    row("cp: font changes the code page mid-run", R"({\rtf1{\fonttbl{\f0\fcharset204 A;}{\f1\fcharset161 B;}}\f0\'e0\f1\'e1})",
        "\u0430\u03B1");
    row("cp: shift-jis, a trail byte as a literal", R"({\rtf1{\fonttbl{\f0\fcharset128 M;}}\f0\'82\'a0\'83A\'83\\})",
        "\u3042\u30A2\u30BD");
    row("cp: mac", R"({\rtf1\mac \'8e\'a5})", "\u00E9\u2022");
    row("broken: missing closing braces", R"({\rtf1{\b a{\i b)", "ab");
    row("broken: extra closing braces", R"({\rtf1 a}}}} b)", "a");
    row("broken: u with a huge value", R"({\rtf1 a\u99999999999999999999 b})", "a");
    row("broken: huge uc", R"({\rtf1\uc2147483647\u8364 abc}d)", "\u20AC");
    row("broken: bin beyond the end", "{\\rtf1 a\\bin999999999 xyz", "a");
    row("broken: huge parameters", R"({\rtf1\fs-99999999999\li99999999999\f99999999999 a})", "a");
    row("broken: font table never closed", R"({\rtf1{\fonttbl{\f0 Arial)", "");
    row("100000 nested groups", "{\\rtf1" + QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') + "after}", "deepafter");
    row("100000 unclosed groups", "{\\rtf1" + QByteArray(100000, '{') + "x", "x");
    // Files that are hard to read or once troubled the reader: NAME.rtf reads
    // as NAME.txt beside it.
    const QDir dir(QStringLiteral(SONGLOOM_TEST_DATA "/reader"));
    const QStringList files = dir.entryList({QStringLiteral("*.rtf")}, QDir::Files);
    QVERIFY(!files.isEmpty());
    for (const QString &name : files)
        row(qPrintable(name), readAll(dir.filePath(name)), QString::fromUtf8(readAll(dir.filePath(name.chopped(4) + ".txt"))));
}

void tst_RtfReader::text()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QCOMPARE(readText(rtf), expected);
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
    if (!isRtf)
        QVERIFY(document.toPlainText() == QStringLiteral("kept") && document.isUndoAvailable());
}

void tst_RtfReader::characterFormat_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("property");
    QTest::addColumn<QVariant>("expected"); // invalid: the property is not set
    const auto row = [](const char *name, const QByteArray &rtf, const char *word, int property, const QVariant &expected = {}) {
        QTest::newRow(name) << rtf << QString::fromUtf8(word) << property << expected;
    };
    const int families = QTextFormat::FontFamilies;
    row("bold ends with its group", R"({\rtf1{\b bold} plain})", "plain", QTextFormat::FontWeight);
    row("b0", R"({\rtf1\b on\b0 off})", "off", QTextFormat::FontWeight);
    row("ulnone", R"({\rtf1\ul a\ulnone no})", "no", QTextFormat::TextUnderlineStyle);
    row("plain resets", R"({\rtf1\b\i\ul\fs40 a\plain pl})", "pl", QTextFormat::FontWeight);
    row("absurd font size ignored", R"({\rtf1\fs999999 sz})", "sz", QTextFormat::FontPointSize);
    row("font table without groups", R"({\rtf1{\fonttbl\f0\fnil Courier;\f1\fnil Arial;}\f1 tx})", "tx", families,
        QStringList{QStringLiteral("Arial")});
    row("falt stands in for a missing name", R"({\rtf1{\fonttbl{\f0{\*\falt Helvetica};}}\f0 tx})", "tx", families,
        QStringList{QStringLiteral("Helvetica")});
    row("cf0 is automatic", R"({\rtf1{\colortbl;\red255\green0\blue0;}\cf1 a\cf0 tx})", "tx", QTextFormat::ForegroundBrush);
    row("highlight", R"({\rtf1{\colortbl;\red255\green255\blue0;}\highlight1 tx})", "tx", QTextFormat::BackgroundBrush,
        QBrush(QColor(255, 255, 0)));
    row("hyperlink", R"({\rtf1{\field{\*\fldinst HYPERLINK "https://example.org/a b"}{\fldrslt link}}})", "link",
        QTextFormat::AnchorHref, QStringLiteral("https://example.org/a b"));
}

void tst_RtfReader::characterFormat()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, word);
    QFETCH(int, property);
    QFETCH(QVariant, expected);
    QTextDocument document;
    QVERIFY(RtfReader().read(rtf, &document));
    const int at = document.find(word).selectionStart();
    QVERIFY2(at >= 0, qPrintable(rawText(document)));
    QTextCursor cursor(&document);
    cursor.setPosition(at + 1);
    QCOMPARE(cursor.charFormat().property(property), expected);
}

void tst_RtfReader::pictures_data()
{
    QTest::addColumn<QByteArray>("rtf");  // with text empty: a picture between "before" and "after"
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSizeF>("size");     // of the first picture; invalid: not checked
    QTest::addColumn<Shows>("shows");     // the first picture
    const auto row = [](const char *name, const QByteArray &rtf, QSizeF size, Shows shows, const QString &text = {}) {
        QTest::newRow(name) << rtf << text << size << shows;
    };
    const QSizeF own(2, 2);
    const QSizeF any;
    const QByteArray goal = "\\picwgoal300\\pichgoal300";
    const QByteArray shown = pict("\\pngblip" + goal, png);
    row("png", pict("\\pngblip", png), own, Shows::Colours);
    row("png as binary", "{\\pict\\pngblip\\bin" + QByteArray::number(png.size()) + " " + png + "}", own, Shows::Colours);
    row("dibitmap", pict("\\dibitmap0\\picw2\\pich2", dib), own, Shows::Colours);
    row("wmetafile with StretchDIB, size in 0.01 mm", pict("\\wmetafile8\\picw2540\\pich1270", wmf), QSizeF(96, 48), Shows::Colours);
    row("wbitmap 24 bits", pict("\\wbitmap0\\picw2\\pich2\\wbmbitspixel24\\wbmplanes1\\wbmwidthbytes6",
                                QByteArray::fromHex("0000ff00ff00" "ff0000ffffff")), own, Shows::Colours);
    row("goal in twips, scaled", pict("\\pngblip\\picscalex50\\picscaley200\\picwgoal300\\pichgoal450", png), QSizeF(10, 60),
        Shows::Colours);
    row("absurd goal clamped", pict("\\pngblip\\picwgoal2147483647\\pichgoal-5", png), QSizeF(16384, 2), Shows::Colours);
    row("emf placeholder at its goal", pict("\\emfblip" + goal, QByteArray(16, '\1')), QSizeF(20, 20), Shows::Placeholder);
    row("undecodable without any size", pict("\\pngblip", "junk"), QSizeF(32, 32), Shows::Placeholder);
    row("wmf without a bitmap", pict("\\wmetafile8", wmf.left(30)), any, Shows::Placeholder);
    row("svg is not read from a file", pict("", "<svg xmlns='http://www.w3.org/2000/svg' width='2' height='2'/>"), any,
        Shows::Placeholder);
    row("dib with a lying header", pict("\\dibitmap0", QByteArray::fromHex("ffffff7f") + dib.mid(4)), any, Shows::Placeholder);
    row("truncated picture: placeholder, text intact", "{\\rtf1 a{\\pict\\pngblip" + goal + " " + png.toHex().left(40) + "}b}",
        QSizeF(20, 20), Shows::Placeholder, "a\uFFFCb");
    row("picture cut off by the end of the file", "{\\rtf1 a{\\pict\\pngblip " + png.toHex(), any, Shows::Something, "a\uFFFC");
    row("pictures in a table cell", "{\\rtf1\\trowd\\cellx1\\cellx2 a\\cell" + shown + "\\cell\\row}", any, Shows::Colours,
        "a\t\uFFFC\n");
    row("picture in a skipped group", "{\\rtf1{\\header " + shown + "}x}", any, Shows::Something, "x");
    row("shppict shown, nonshppict not",
        "{\\rtf1 a{\\*\\shppict" + shown + "}{\\nonshppict" + pict("\\wmetafile8" + goal, wmf) + "}b}", QSizeF(20, 20),
        Shows::Colours, "a\uFFFCb");
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

// Each paragraph as alignment (L, C, R, J), left indent in pixels, "!" for
// a page break before it, and its mark's size (an empty line's height).
void tst_RtfReader::paragraphs_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");
    // As last set in the paragraph; \pard resets.
    QTest::newRow("formats") << QByteArray(R"({\rtf1\qc\li300\fs20 one\page{\fs48 two}\par\pard\fs48\par\fs30\qc x\qr\par\qj y})")
                             << "C20 10|C20! 10|L0 24|R0 15|J0 15";
    // Once lost: the last paragraph, ended by no \par, set in a group.
    QTest::newRow("last paragraph in a group") << QByteArray(R"({\rtf1 a\par{\qc\li300\fs30 x}})") << "L0 0|C20 15";
    QTest::newRow("last paragraph, picture in a group") << "{\\rtf1 a\\par{\\qr " + pict("\\pngblip", png) + "}}"
                                                        << "L0 0|R0 0";
    QTest::newRow("pard after the last text") << QByteArray(R"({\rtf1\qc x\pard})") << "L0 0";
}

void tst_RtfReader::paragraphs()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QTextDocument document;
    QVERIFY(RtfReader().read(rtf, &document));
    QStringList found;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat format = block.blockFormat();
        const int alignment = int(format.alignment() & Qt::AlignHorizontal_Mask);
        found << QStringLiteral("%1%2%3 %4")
                     .arg(QChar(alignment == Qt::AlignHCenter ? 'C' : alignment == Qt::AlignRight ? 'R'
                                                                : alignment == Qt::AlignJustify ? 'J' : 'L'))
                     .arg(format.leftMargin())
                     .arg(format.pageBreakPolicy() == QTextFormat::PageBreak_AlwaysBefore ? "!" : "")
                     .arg(block.charFormat().fontPointSize());
    }
    QCOMPARE(found.join(QLatin1Char('|')), expected);
}

QTEST_MAIN(tst_RtfReader)
#include "tst_rtfreader.moc"
