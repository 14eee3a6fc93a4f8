// The RTF reader on small, hand-made documents: text and its encodings,
// formatting, pictures, and input that is broken on purpose.

#include "document/DocumentImages.h"
#include "document/RtfPictures.h"
#include "document/RtfReader.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QtEndian>

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

// The character format of the first character of the first occurrence of word.
QTextCharFormat formatAt(const QTextDocument &document, const QString &word)
{
    const QTextCursor found = document.find(word);
    if (found.isNull())
        return {};
    QTextCursor cursor(const_cast<QTextDocument *>(&document));
    cursor.setPosition(found.selectionStart() + 1);
    return cursor.charFormat();
}

struct Picture
{
    QTextImageFormat format;
    QImage image;
};

QList<Picture> picturesOf(const QTextDocument &document)
{
    QList<Picture> found;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            for (int i = 0; i < it.fragment().length(); ++i)
                found.append({format.toImageFormat(), DocumentImages::imageFor(&document, format.toImageFormat())});
        }
    }
    return found;
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A 2 by 2 picture: red, green on top, blue, white below.
QImage fourColours()
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(1, 0, qRgb(0, 255, 0));
    image.setPixel(0, 1, qRgb(0, 0, 255));
    image.setPixel(1, 1, qRgb(255, 255, 255));
    return image;
}

// The same picture as a packed 24-bit DIB: header and bottom-up rows.
QByteArray fourColoursDib()
{
    QByteArray dib(40, '\0');
    qToLittleEndian<quint32>(40, dib.data());
    qToLittleEndian<qint32>(2, dib.data() + 4);
    qToLittleEndian<qint32>(2, dib.data() + 8);
    qToLittleEndian<quint16>(1, dib.data() + 12);
    qToLittleEndian<quint16>(24, dib.data() + 14);
    // Rows of 6 bytes padded to 8, BGR, bottom row first.
    dib.append(QByteArray::fromHex("ff0000" "ffffff" "0000"));
    dib.append(QByteArray::fromHex("0000ff" "00ff00" "0000"));
    return dib;
}

QByteArray wmfRecord(quint16 function, const QByteArray &parameters)
{
    QByteArray record(6, '\0');
    qToLittleEndian<quint32>(quint32((6 + parameters.size()) / 2), record.data());
    qToLittleEndian<quint16>(function, record.data() + 4);
    return record + parameters;
}

// A Windows metafile whose only drawing is the picture in a StretchDIB record.
QByteArray wmfWithStretchDib()
{
    QByteArray parameters(22, '\0');                  // raster op, usage, eight coordinates
    qToLittleEndian<quint32>(0x00CC0020, parameters.data()); // SRCCOPY
    QByteArray body = wmfRecord(0x020C, QByteArray(4, '\0')); // SetWindowExt
    body += wmfRecord(0x0F43, parameters + fourColoursDib());
    body += wmfRecord(0x0000, {});
    QByteArray header(18, '\0');
    qToLittleEndian<quint16>(1, header.data());
    qToLittleEndian<quint16>(9, header.data() + 2);
    qToLittleEndian<quint16>(0x0300, header.data() + 4);
    qToLittleEndian<quint32>(quint32((18 + body.size()) / 2), header.data() + 6);
    return header + body;
}

QByteArray pict(const QByteArray &controls, const QByteArray &data)
{
    return "{\\pict" + controls + " " + data.toHex() + "}";
}

void verifyColours(const QImage &image)
{
    QCOMPARE(image.size(), QSize(2, 2));
    QCOMPARE(image.pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(1, 0), qRgb(0, 255, 0));
    QCOMPARE(image.pixel(0, 1), qRgb(0, 0, 255));
    QCOMPARE(image.pixel(1, 1), qRgb(255, 255, 255));
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
    void characterFormat_data();
    void characterFormat();
    void paragraphFormat_data();
    void paragraphFormat();
    void pictures_data();
    void pictures();
    void pictureChoice_data();
    void pictureChoice();
    void fixtures_data();
    void fixtures();
    void insertAtCursor_data();
    void insertAtCursor();
    void pageBreakAndMarks();
    void refusesWhatIsNotRtf();
    void batchesRunsOfText();
};

void tst_RtfReader::text_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    QTest::newRow("paragraphs") << QByteArray(R"({\rtf1 one\par two\par three})") << "one\ntwo\nthree";
    QTest::newRow("line, tab, page") << QByteArray(R"({\rtf1 a\line b\tab c\page d})") << "a\u2028b\tc\nd";
    QTest::newRow("escaped break is a paragraph") << QByteArray("{\\rtf1 a\\\r\nb}") << "a\nb";
    QTest::newRow("control symbols") << QByteArray(R"({\rtf1 a\~b\-c\_d\{\}\\})") << "a\u00A0b\u00ADc\u2011d{}\\";
    QTest::newRow("named specials")
        << QByteArray(R"({\rtf1\emdash\endash\lquote\rquote\ldblquote\rdblquote\bullet})")
        << "\u2014\u2013\u2018\u2019\u201C\u201D\u2022";
    QTest::newRow("u with fallback") << QByteArray(R"({\rtf1 x\u8364?y})") << "x\u20ACy";
    QTest::newRow("uc2 skips two units") << QByteArray(R"({\rtf1\uc2\u8364\'80\'80y})") << "\u20ACy";
    QTest::newRow("uc ends with its group") << QByteArray(R"({\rtf1{\uc3 a}\u8364?b})") << "a\u20ACb";
    QTest::newRow("skipping stops at a group end") << QByteArray(R"({\rtf1{\uc2\u8364 a}bc})") << "\u20ACbc";
    QTest::newRow("negative u") << QByteArray(R"({\rtf1\u-3913?})") << "\uF0B7";
    QTest::newRow("surrogate pair") << QByteArray(R"({\rtf1\u-10179?\u-8704?!})") << "\U0001F600!";
    QTest::newRow("upr shows its unicode part") << QByteArray(R"({\rtf1{\upr{ansi}{\*\ud{uni}}}})") << "uni";
    QTest::newRow("star destinations skipped")
        << QByteArray(R"({\rtf1{\*\unknown hidden {nested}}{\*\generator g;}shown})") << "shown";
    QTest::newRow("headers, footers, footnotes skipped")
        << QByteArray(R"({\rtf1{\header h}{\footer f}{\headerl hl}{\footerr fr}a\chftn{\footnote\chftn note}b})")
        << "a1b";
    QTest::newRow("listtable skipped, listtext shown")
        << QByteArray(R"({\rtf1{\*\listtable{\list{\listlevel{\leveltext \'01\u-3913 ?;}}}}{\listtext 1.\tab}item})")
        << "1.\titem";
    QTest::newRow("bin inside a skipped group") << QByteArray("{\\rtf1{\\*\\foo\\bin3 }}}}x}") << "x";
    QTest::newRow("bin inside a skipped table") << QByteArray("{\\rtf1{\\stylesheet{\\bin2 {{}}x}") << "x";
    QTest::newRow("field shows its result")
        << QByteArray(R"({\rtf1 see {\field{\*\fldinst { PAGE }}{\fldrslt 7}} here})") << "see 7 here";
    QTest::newRow("symbol field shows its character")
        << QByteArray(R"({\rtf1 a{\field{\*\fldinst SYMBOL 74 \\f "Wingdings"}{\fldrslt }}b})") << "aJb";
    QTest::newRow("table flattened")
        << QByteArray(R"({\rtf1\trowd\cellx100\cellx200 a\intbl\cell b\intbl\cell\row\trowd\cellx100 c\cell\row after})")
        << "a\tb\nc\nafter";
    QTest::newRow("empty cells keep their tabs")
        << QByteArray(R"({\rtf1\trowd\cellx1\cellx2\cellx3 \cell\cell z\cell\row})") << "\t\tz\n";
    QTest::newRow("text after the last brace ignored") << QByteArray(R"({\rtf1 a}trailing)") << "a";
    QTest::newRow("characters that are not text dropped") << QByteArray("{\\rtf1 a\\'00\\'07\\'09b\\u-4?\\u65532?c}")
                                                          << "a\tbc";
    QTest::newRow("cp: ansicpg1251") << QByteArray(R"({\rtf1\ansi\ansicpg1251 \'cf\'f0\'e8})") << "\u041F\u0440\u0438";
    QTest::newRow("cp: fcharset204 wins over ansicpg")
        << QByteArray(R"({\rtf1\ansi\ansicpg1252{\fonttbl{\f0\fcharset204 Arial;}}\f0\'cf})") << "\u041F";
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
    QTest::newRow("cp: pc") << QByteArray(R"({\rtf1\pc \'82\'b0})") << "\u00E9\u2591";
    QTest::newRow("cp: symbol font to the private use area")
        << QByteArray(R"({\rtf1{\fonttbl{\f1\fcharset2 Symbol;}}\f1 ab\'b7})") << "\uF061\uF062\u2022";
    QTest::newRow("broken: missing closing braces") << QByteArray(R"({\rtf1{\b a{\i b)") << "ab";
    QTest::newRow("broken: extra closing braces") << QByteArray(R"({\rtf1 a}}}} b)") << "a";
    QTest::newRow("broken: hex escape with one digit") << QByteArray("{\\rtf1 a\\'4") << "a";
    QTest::newRow("broken: hex escape without digits") << QByteArray(R"({\rtf1 a\'zb})") << "azb";
    QTest::newRow("broken: u with a huge value") << QByteArray(R"({\rtf1 a\u99999999999999999999 b})") << "a";
    QTest::newRow("broken: huge uc") << QByteArray(R"({\rtf1\uc2147483647\u8364 abc}d)") << "\u20AC";
    QTest::newRow("broken: bin beyond the end") << QByteArray("{\\rtf1 a\\bin999999999 xyz") << "a";
    QTest::newRow("broken: huge parameters") << QByteArray(R"({\rtf1\fs-99999999999\li99999999999\f99999999999 a})") << "a";
    QTest::newRow("broken: very long control word") << "{\\rtf1\\" + QByteArray(100000, 'x') + " a}" << "a";
    QTest::newRow("broken: font table never closed") << QByteArray(R"({\rtf1{\fonttbl{\f0 Arial)") << "";
    QTest::newRow("broken: leading white space and BOM") << QByteArray("\xEF\xBB\xBF \r\n{\\rtf1 a}") << "a";
}

void tst_RtfReader::text()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QCOMPARE(readText(rtf), expected);
}

void tst_RtfReader::characterFormat_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("property");
    QTest::addColumn<QVariant>("expected");

    const int weight = QTextFormat::FontWeight;
    const int italic = QTextFormat::FontItalic;
    const int underline = QTextFormat::TextUnderlineStyle;
    const int strike = QTextFormat::FontStrikeOut;
    const int size = QTextFormat::FontPointSize;
    const int families = QTextFormat::FontFamilies;
    const int colour = QTextFormat::ForegroundBrush;
    const int background = QTextFormat::BackgroundBrush;
    const int vertical = QTextFormat::TextVerticalAlignment;
    const int href = QTextFormat::AnchorHref;
    const QVariant none;
    const QVariant bold = int(QFont::Bold);
    const QVariant single = int(QTextCharFormat::SingleUnderline);

    QTest::newRow("bold group") << QByteArray(R"({\rtf1{\b bold} plain})") << "bold" << weight << bold;
    QTest::newRow("bold ends with its group") << QByteArray(R"({\rtf1{\b bold} plain})") << "plain" << weight << none;
    QTest::newRow("b0 switches off") << QByteArray(R"({\rtf1\b on\b0 off})") << "off" << weight << none;
    QTest::newRow("i") << QByteArray(R"({\rtf1\i it})") << "it" << italic << QVariant(true);
    QTest::newRow("ul") << QByteArray(R"({\rtf1\ul un})") << "un" << underline << single;
    QTest::newRow("strike") << QByteArray(R"({\rtf1\strike st})") << "st" << strike << QVariant(true);
    QTest::newRow("i0") << QByteArray(R"({\rtf1\i a\i0 up})") << "up" << italic << none;
    QTest::newRow("ulnone") << QByteArray(R"({\rtf1\ul a\ulnone no})") << "no" << underline << none;
    QTest::newRow("ul0") << QByteArray(R"({\rtf1\ul a\ul0 no})") << "no" << underline << none;
    QTest::newRow("strike0") << QByteArray(R"({\rtf1\strike a\strike0 no})") << "no" << strike << none;
    QTest::newRow("plain resets") << QByteArray(R"({\rtf1\b\i\ul\fs40 a\plain pl})") << "pl" << weight << none;
    QTest::newRow("absurd font size ignored") << QByteArray(R"({\rtf1\fs999999 sz})") << "sz" << size << none;
    QTest::newRow("font name")
        << QByteArray(R"({\rtf1{\fonttbl{\f0\fswiss Arial;}{\f1\froman\fcharset0 Times New Roman;}}\f1 tx})")
        << "tx" << families << QVariant(QStringList{QStringLiteral("Times New Roman")});
    QTest::newRow("font table without groups")
        << QByteArray(R"({\rtf1{\fonttbl\f0\fnil Courier;\f1\fnil Arial;}\f1 tx})")
        << "tx" << families << QVariant(QStringList{QStringLiteral("Arial")});
    QTest::newRow("falt stands in for a missing name")
        << QByteArray(R"({\rtf1{\fonttbl{\f0{\*\falt Helvetica};}}\f0 tx})")
        << "tx" << families << QVariant(QStringList{QStringLiteral("Helvetica")});
    QTest::newRow("no font keeps the default")
        << QByteArray(R"({\rtf1\deff0{\fonttbl{\f0 Arial;}}tx})") << "tx" << families << none;
    QTest::newRow("colour")
        << QByteArray(R"({\rtf1{\colortbl;\red255\green0\blue0;\red0\green0\blue255;}\cf2 tx})")
        << "tx" << colour << QVariant(QBrush(QColor(0, 0, 255)));
    QTest::newRow("cf0 is automatic")
        << QByteArray(R"({\rtf1{\colortbl;\red255\green0\blue0;}\cf1 a\cf0 tx})") << "tx" << colour << none;
    QTest::newRow("highlight")
        << QByteArray(R"({\rtf1{\colortbl;\red255\green255\blue0;}\highlight1 tx})")
        << "tx" << background << QVariant(QBrush(QColor(255, 255, 0)));
    QTest::newRow("subscript") << QByteArray(R"({\rtf1 H\sub 2})") << "2" << vertical
                               << QVariant(int(QTextCharFormat::AlignSubScript));
    QTest::newRow("hyperlink")
        << QByteArray(R"({\rtf1{\field{\*\fldinst HYPERLINK "https://example.org/a b"}{\fldrslt link}}})")
        << "link" << href << QVariant(QStringLiteral("https://example.org/a b"));
}

void tst_RtfReader::characterFormat()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, word);
    QFETCH(int, property);
    QFETCH(QVariant, expected);

    QTextDocument document;
    RtfReader reader;
    QVERIFY(reader.read(rtf, &document));
    QVERIFY2(!document.find(word).isNull(), qPrintable(rawText(document)));
    const QTextCharFormat format = formatAt(document, word);
    if (!expected.isValid()) {
        QVERIFY2(!format.hasProperty(property), qPrintable(format.property(property).toString()));
        return;
    }
    if (property == QTextFormat::FontPointSize)
        QCOMPARE(format.doubleProperty(property), expected.toDouble());
    else if (property == QTextFormat::FontWeight || property == QTextFormat::TextUnderlineStyle
             || property == QTextFormat::TextVerticalAlignment)
        QCOMPARE(format.intProperty(property), expected.toInt());
    else
        QCOMPARE(format.property(property), expected);
}

void tst_RtfReader::paragraphFormat_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<int>("block");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QList<double>>("margins"); // left, right, indent, top, bottom in pixels

    const QList<double> zero{0, 0, 0, 0, 0};
    QTest::newRow("centre") << QByteArray(R"({\rtf1\qc a\par})") << 0 << int(Qt::AlignHCenter) << zero;
    QTest::newRow("justify") << QByteArray(R"({\rtf1\qj a\par})") << 0 << int(Qt::AlignJustify) << zero;
    QTest::newRow("last paragraph without par") << QByteArray(R"({\rtf1 a\par\qc b})") << 1 << int(Qt::AlignHCenter)
                                                << zero;
    QTest::newRow("pard resets") << QByteArray(R"({\rtf1\qc\li300 a\par\pard b\par})") << 1 << int(Qt::AlignLeft)
                                 << zero;
    QTest::newRow("properties last set count") << QByteArray(R"({\rtf1\qc a\qr\par})") << 0 << int(Qt::AlignRight)
                                               << zero;
    QTest::newRow("indents and spacing in twips")
        << QByteArray(R"({\rtf1\li720\ri150\fi-360\sb240\sa120 a\par})") << 0 << int(Qt::AlignLeft)
        << QList<double>{48, 10, -24, 16, 8};
}

void tst_RtfReader::paragraphFormat()
{
    QFETCH(QByteArray, rtf);
    QFETCH(int, block);
    QFETCH(int, alignment);
    QFETCH(QList<double>, margins);

    QTextDocument document;
    RtfReader reader;
    QVERIFY(reader.read(rtf, &document));
    const QTextBlockFormat format = document.findBlockByNumber(block).blockFormat();
    QCOMPARE(int(format.alignment() & Qt::AlignHorizontal_Mask), alignment);
    QCOMPARE(format.leftMargin(), margins[0]);
    QCOMPARE(format.rightMargin(), margins[1]);
    QCOMPARE(format.textIndent(), margins[2]);
    QCOMPARE(format.topMargin(), margins[3]);
    QCOMPARE(format.bottomMargin(), margins[4]);
}

void tst_RtfReader::pictures_data()
{
    QTest::addColumn<QByteArray>("picture"); // read between the words "before" and "after"
    QTest::addColumn<QSizeF>("size");         // invalid: not checked
    QTest::addColumn<Shows>("shows");

    const QByteArray png = encoded(fourColours(), "PNG");
    const QSizeF own(2, 2);
    const QByteArray goal = "\\picwgoal300\\pichgoal450";
    QTest::newRow("png") << pict("\\pngblip", png) << own << Shows::Colours;
    QTest::newRow("png as binary") << "{\\pict\\pngblip\\bin" + QByteArray::number(png.size()) + " " + png + "}" << own
                                   << Shows::Colours;
    QTest::newRow("bmp labelled as png") << pict("\\pngblip", encoded(fourColours(), "BMP")) << own << Shows::Colours;
    QTest::newRow("dibitmap") << pict("\\dibitmap0\\picw2\\pich2", fourColoursDib()) << own << Shows::Colours;
    QTest::newRow("wmetafile with StretchDIB, size in 0.01 mm")
        << pict("\\wmetafile8\\picw2540\\pich1270", wmfWithStretchDib()) << QSizeF(96, 48) << Shows::Colours;
    QTest::newRow("wbitmap 24 bits")
        << pict("\\wbitmap0\\picw2\\pich2\\wbmbitspixel24\\wbmplanes1\\wbmwidthbytes6",
                QByteArray::fromHex("0000ff00ff00" "ff0000ffffff")) << own << Shows::Colours;
    QTest::newRow("goal in twips") << pict("\\pngblip" + goal, png) << QSizeF(20, 30) << Shows::Colours;
    QTest::newRow("scaled") << pict("\\pngblip\\picscalex50\\picscaley200" + goal, png) << QSizeF(10, 60)
                            << Shows::Colours;
    QTest::newRow("absurd goal clamped") << pict("\\pngblip\\picwgoal2147483647\\pichgoal-5", png) << QSizeF(16384, 2)
                                         << Shows::Colours;
    QTest::newRow("emf placeholder at its goal") << pict("\\emfblip" + goal, QByteArray(16, '\1')) << QSizeF(20, 30)
                                                 << Shows::Placeholder;
    QTest::newRow("undecodable without any size") << pict("\\pngblip", "junk") << QSizeF(32, 32) << Shows::Placeholder;
    QTest::newRow("wmf without a bitmap") << pict("\\wmetafile8", wmfWithStretchDib().left(30)) << QSizeF()
                                          << Shows::Placeholder;
    QTest::newRow("planar wbitmap") << pict("\\wbitmap0\\picw2\\pich2\\wbmplanes4\\wbmwidthbytes2", QByteArray(16, '\0'))
                                    << QSizeF() << Shows::Placeholder;
    QTest::newRow("svg is not read from a file")
        << pict("", "<svg xmlns='http://www.w3.org/2000/svg' width='2' height='2'/>") << QSizeF() << Shows::Placeholder;
    QTest::newRow("dib with a lying header") << pict("\\dibitmap0", QByteArray::fromHex("ffffff7f") + fourColoursDib().mid(4))
                                             << QSizeF() << Shows::Placeholder;
    QTest::newRow("odd hex digit count") << "{\\pict\\pngblip " + png.toHex() + "0}" << own << Shows::Something;
}

void tst_RtfReader::pictures()
{
    QFETCH(QByteArray, picture);
    QFETCH(QSizeF, size);
    QFETCH(Shows, shows);

    QTextDocument document;
    RtfReader reader;
    QVERIFY(reader.read("{\\rtf1 before" + picture + "after}", &document));
    QCOMPARE(rawText(document), QStringLiteral("before\uFFFCafter"));
    const QList<Picture> found = picturesOf(document);
    QCOMPARE(found.size(), 1);
    if (size.isValid())
        QCOMPARE(QSizeF(found[0].format.width(), found[0].format.height()), size);
    if (shows == Shows::Colours)
        verifyColours(found[0].image.convertToFormat(QImage::Format_RGB32));
    else if (shows == Shows::Placeholder)
        QCOMPARE(found[0].image, RtfPictures::placeholder());
}

void tst_RtfReader::pictureChoice_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("text");

    const QByteArray png = pict("\\pngblip\\picwgoal300\\pichgoal300", encoded(fourColours(), "PNG"));
    const QByteArray wmf = pict("\\wmetafile8\\picwgoal300\\pichgoal300", wmfWithStretchDib());
    QTest::newRow("shppict shown, nonshppict not")
        << "{\\rtf1 a{\\*\\shppict" + png + "}{\\nonshppict" + wmf + "}b}" << 1 << "a\uFFFCb";
    QTest::newRow("object result") << "{\\rtf1{\\object\\objemb{\\*\\objdata 0101}{\\result" + png + "}}}" << 1
                                   << "\uFFFC";
    QTest::newRow("shape picture, result not repeated")
        << "{\\rtf1{\\shp{\\*\\shpinst{\\sp{\\sn shapeType}{\\sv 75}}{\\sp{\\sn pib}{\\sv " + png
               + "}}{\\shptxt " + png + "}}{\\shprslt" + wmf + "}}}"
        << 1 << "\uFFFC";
    QTest::newRow("other shape properties show nothing")
        << "{\\rtf1{\\shp{\\*\\shpinst{\\sp{\\sn fillBlip}{\\sv " + png + "}}{\\sp{\\sn wzName}{\\sv Picture 1}}}}x}"
        << 0 << "x";
    QTest::newRow("text box text stays") << QByteArray(R"({\rtf1{\shp{\*\shpinst{\shptxt boxed}}}})") << 0 << "boxed";
    QTest::newRow("picture in a skipped group") << "{\\rtf1{\\header " + png + "}x}" << 0 << "x";
    QTest::newRow("truncated picture is a placeholder, text intact")
        << "{\\rtf1 a{\\pict\\pngblip\\picwgoal300\\pichgoal300 " + encoded(fourColours(), "PNG").toHex().left(40)
               + "}b}"
        << 1 << "a\uFFFCb";
    QTest::newRow("picture cut off by the end of the file")
        << "{\\rtf1 a{\\pict\\pngblip " + encoded(fourColours(), "PNG").toHex() << 1 << "a\uFFFC";
    QTest::newRow("odd hex digit count") << "{\\rtf1{\\pict\\pngblip " + QByteArray("\x89PNG").toHex() + "0}z}" << 1
                                         << "\uFFFCz";
    QTest::newRow("pictures in a table cell")
        << "{\\rtf1\\trowd\\cellx1\\cellx2 a\\cell" + png + "\\cell\\row}" << 1 << "a\t\uFFFC\n";
}

void tst_RtfReader::pictureChoice()
{
    QFETCH(QByteArray, rtf);
    QFETCH(int, count);
    QFETCH(QString, text);

    QTextDocument document;
    RtfReader reader;
    QVERIFY(reader.read(rtf, &document));
    QCOMPARE(picturesOf(document).size(), count);
    QCOMPARE(rawText(document), text);
}

void tst_RtfReader::fixtures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expectedStart");

    // Built here rather than stored: the nesting bombs.
    QTest::newRow("100000 nested groups") << QString() << QStringLiteral("deepafter");
    QTest::newRow("100000 unclosed groups") << QStringLiteral("unclosed") << QStringLiteral("x");

    const QDir dir(QStringLiteral(SONGLOOM_TEST_DATA "/reader"));
    const QStringList files = dir.entryList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name);
    for (const QString &file : files)
        QTest::newRow(qPrintable(file)) << dir.filePath(file) << QString();
}

// Files that are hard to read, inputs that once troubled the reader, and
// nesting bombs: each reads in bounded time; where NAME.txt stands beside
// NAME.rtf, the text (U+FFFC for each picture) is exactly that.
void tst_RtfReader::fixtures()
{
    QFETCH(QString, path);
    QFETCH(QString, expectedStart);

    QByteArray rtf;
    if (path.isEmpty()) {
        rtf = "{\\rtf1" + QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') + "after}";
    } else if (path == QLatin1String("unclosed")) {
        rtf = "{\\rtf1" + QByteArray(100000, '{') + "x";
    } else {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        rtf = file.readAll();
    }

    QTextDocument document;
    RtfReader reader;
    QElapsedTimer timer;
    timer.start();
    reader.read(rtf, &document);
    QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
    if (!expectedStart.isEmpty())
        QVERIFY2(rawText(document).startsWith(expectedStart), qPrintable(rawText(document).left(80)));

    QFile expected(QString(path).replace(QLatin1String(".rtf"), QLatin1String(".txt")));
    if (!path.isEmpty() && expected.open(QIODevice::ReadOnly))
        QCOMPARE(rawText(document), QString::fromUtf8(expected.readAll()));
}

void tst_RtfReader::insertAtCursor_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("boldText");

    QTest::newRow("inline fragment") << QByteArray(R"({\rtf1{\b X}})") << "befoXre after" << "X";
    QTest::newRow("fragment with paragraphs") << QByteArray(R"({\rtf1\b X\par Y})") << "befoX\nYre after" << "XY";
    QTest::newRow("picture fragment") << "{\\rtf1 " + pict("\\pngblip", encoded(fourColours(), "PNG")) + "}"
                                      << "befo\uFFFCre after" << "";
}

void tst_RtfReader::insertAtCursor()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QFETCH(QString, boldText);

    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("before after"));
    cursor.setPosition(4);
    RtfReader reader;
    QVERIFY(reader.insert(rtf, cursor));
    QCOMPARE(rawText(document), expected);
    QString bold; // the characters in bold, paragraph marks aside
    for (int i = 1; i <= expected.size(); ++i) {
        cursor.setPosition(i);
        if (expected.at(i - 1) != QLatin1Char('\n') && cursor.charFormat().fontWeight() == QFont::Bold)
            bold += expected.at(i - 1);
    }
    QCOMPARE(bold, boldText);
}

// A page break goes before the paragraph after it; a paragraph mark's size,
// which sets an empty line's height, belongs to the paragraph it ends.
void tst_RtfReader::pageBreakAndMarks()
{
    QTextDocument document;
    RtfReader reader;
    QVERIFY(reader.read(R"({\rtf1\qc\fs20 one\page{\fs48 two}\par\fs48\par\fs30 })", &document));
    const QList<QTextFormat::PageBreakFlags> breaks{QTextFormat::PageBreak_Auto, QTextFormat::PageBreak_AlwaysBefore,
                                                     QTextFormat::PageBreak_Auto, QTextFormat::PageBreak_Auto};
    const QList<double> marks{10, 10, 24, 15};
    QCOMPARE(document.blockCount(), 4);
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(document.findBlockByNumber(i).blockFormat().pageBreakPolicy(), breaks[i]);
        QCOMPARE(document.findBlockByNumber(i).charFormat().fontPointSize(), marks[i]);
    }
}

void tst_RtfReader::refusesWhatIsNotRtf()
{
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("kept"));
    RtfReader reader;
    QVERIFY(!reader.insert("plain text {\\rtf1 x}", cursor));
    QVERIFY(!reader.errorString().isEmpty());
    QVERIFY(!reader.read(QByteArray(), &document));
    QCOMPARE(document.toPlainText(), QStringLiteral("kept"));
    QVERIFY(reader.read("{\\rtf1 fine}", &document));
    QVERIFY(reader.errorString().isEmpty());
    QCOMPARE(document.toPlainText(), QStringLiteral("fine"));
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
