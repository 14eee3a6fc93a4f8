// The ChordBox picture and the editing board, pixel for pixel.
#include "chordbox/ChordBox.h"
#include "chordbox/ChordBoxRenderer.h"

#include <QDir>
#include <QTest>

namespace {

using Pixels = QList<QPoint>;

constexpr QRgb black = 0xff000000;
constexpr QRgb white = 0xffffffff;

Pixels blackPixels(const QImage &image)
{
    Pixels pixels;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == black)
                pixels.append({x, y});
            else if (image.pixel(x, y) != white)
                qWarning("pixel (%d, %d) is neither black nor white", x, y);
        }
    }
    return pixels;
}

// The grid alone: fret lines at rows 11 to 36 step 5 over columns 7 to 32,
// strings at columns 7 to 32 step 5 over rows 11 to 36.
QImage expectedGrid()
{
    QImage image(40, 48, QImage::Format_RGB32);
    image.fill(white);
    for (int line = 0; line < 6; ++line) {
        for (int along = 0; along < 26; ++along) {
            image.setPixel(7 + along, 11 + 5 * line, black);
            image.setPixel(7 + 5 * line, 11 + along, black);
        }
    }
    return image;
}

QImage withPixels(QImage image, const Pixels &pixels)
{
    for (const QPoint &pixel : pixels)
        image.setPixel(pixel, black);
    return image;
}

// Leftmost inked column within the rows, or -1.
int leftmostInk(const QImage &image, int firstRow, int lastRow)
{
    for (int x = 0; x < image.width(); ++x) {
        for (int y = firstRow; y <= lastRow; ++y) {
            if (image.pixel(x, y) == black)
                return x;
        }
    }
    return -1;
}

// Compares with the stored picture; on a difference leaves the actual one
// beside the test's output for a look.
void compareWithGolden(const QImage &actual, const QString &name)
{
    const QString goldenPath = QStringLiteral(SONGLOOM_TEST_DATA "/golden/%1.png").arg(name);
    const QImage golden(goldenPath);
    if (!golden.isNull() && golden.convertToFormat(QImage::Format_RGB32) == actual)
        return;
    if (qEnvironmentVariableIsSet("SONGLOOM_UPDATE_GOLDEN")) {
        QVERIFY(actual.save(goldenPath));
        return;
    }
    const QString actualPath = QDir::current().filePath(name + QStringLiteral(".actual.png"));
    actual.save(actualPath);
    QFAIL(qPrintable(QStringLiteral("%1 differs from %2; the actual picture is %3")
                         .arg(name, goldenPath, actualPath)));
}

ChordBox chordWith(const QList<QPoint> &dots, int barRow)
{
    ChordBox chord;
    for (const QPoint &dot : dots)
        chord.setDot(dot.x(), dot.y());
    if (barRow > 0)
        chord.setBar(barRow);
    return chord;
}

} // namespace

class tst_ChordBoxPicture : public QObject
{
    Q_OBJECT
private slots:
    void drawingOrigin();
    void textPositionsByLength();
    void emptyChordIsTheGridOnly();
    void dotsAndBarsSetTheirBlocks_data();
    void dotsAndBarsSetTheirBlocks();
    void textsStartAtTheirPositions_data();
    void textsStartAtTheirPositions();
    void goldenPictures_data();
    void goldenPictures();
    void boardIsTheBackgroundMagnified();
    void boardDiscs();
};

void tst_ChordBoxPicture::drawingOrigin()
{
    QCOMPARE(ChordBoxRenderer::drawingOrigin(QSize(40, 48)), QPoint(4, 11));
    // Halves round to the even neighbour.
    QCOMPARE(ChordBoxRenderer::drawingOrigin(QSize(41, 49)), QPoint(4, 12));
    QCOMPARE(ChordBoxRenderer::drawingOrigin(QSize(43, 51)), QPoint(6, 12));
}

void tst_ChordBoxPicture::textPositionsByLength()
{
    const QList<int> names{15, 13, 11, 9, 7, 5, 3, 1, 0, 0};
    const QList<int> tops{15, 13, 11, 9, 8, 6, 4, 2, 1, 1};
    for (int length = 1; length <= 10; ++length) {
        QCOMPARE(ChordBoxRenderer::nameLeft(length), names.at(length - 1));
        QCOMPARE(ChordBoxRenderer::topTextLeft(length), tops.at(length - 1));
    }
}

void tst_ChordBoxPicture::emptyChordIsTheGridOnly()
{
    const QImage image = ChordBoxRenderer::DrawChordBox(ChordBox(), QString(), QString());
    QCOMPARE(image.size(), QSize(40, 48));
    QCOMPARE(blackPixels(image), blackPixels(expectedGrid()));
}

void tst_ChordBoxPicture::dotsAndBarsSetTheirBlocks_data()
{
    QTest::addColumn<QList<QPoint>>("dots");
    QTest::addColumn<int>("barRow");
    QTest::addColumn<Pixels>("added");
    const Pixels barOnRow5 = [] {
        Pixels pixels;
        for (int left : {6, 11, 16, 21, 26, 31}) {
            for (int x = left; x < left + 3; ++x)
                pixels << QPoint(x, 33) << QPoint(x, 34);
        }
        return pixels;
    }();
    QTest::newRow("dot on string 1 fret 1") << QList<QPoint>{{1, 1}} << 0
                                            << Pixels{{6, 13}, {7, 13}, {8, 13}, {6, 14}, {7, 14}, {8, 14}};
    QTest::newRow("dot on string 6 fret 5") << QList<QPoint>{{6, 5}} << 0
                                            << Pixels{{31, 33}, {32, 33}, {33, 33}, {31, 34}, {32, 34}, {33, 34}};
    QTest::newRow("dot on string 4 fret 3") << QList<QPoint>{{4, 3}} << 0
                                            << Pixels{{21, 23}, {22, 23}, {23, 23}, {21, 24}, {22, 24}, {23, 24}};
    QTest::newRow("bar on fret 5") << QList<QPoint>{} << 5 << barOnRow5;
    QTest::newRow("bar on fret 5 over a dot there") << QList<QPoint>{{3, 5}} << 5 << barOnRow5;
}

void tst_ChordBoxPicture::dotsAndBarsSetTheirBlocks()
{
    QFETCH(QList<QPoint>, dots);
    QFETCH(int, barRow);
    QFETCH(Pixels, added);
    const QImage image = ChordBoxRenderer::DrawChordBox(chordWith(dots, barRow), QString(), QString());
    QCOMPARE(blackPixels(image), blackPixels(withPixels(expectedGrid(), added)));
}

void tst_ChordBoxPicture::textsStartAtTheirPositions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("top");
    QTest::addColumn<int>("nameInk");
    QTest::addColumn<int>("topInk");
    // E, F, 1 and 3 all ink their cell's first column.
    QTest::newRow("1-character name") << "E" << "" << 15 << -1;
    QTest::newRow("8-character name") << "EEEEEEEE" << "" << 1 << -1;
    QTest::newRow("12-character name") << "EEEEEEEEEEEE" << "" << 0 << -1;
    QTest::newRow("name with leading blanks") << "  E" << "" << 11 + 6 << -1;
    QTest::newRow("3rd Fret") << "" << "3rd Fret" << -1 << 2;
    QTest::newRow("12th Fret") << "" << "12th Fret" << -1 << 1;
    QTest::newRow("five characters") << "" << "FFFFF" << -1 << 8;
}

void tst_ChordBoxPicture::textsStartAtTheirPositions()
{
    QFETCH(QString, name);
    QFETCH(QString, top);
    const QImage image = ChordBoxRenderer::DrawChordBox(ChordBox(), name, top);
    // The name's glyphs lie below the last fret line, the top text above
    // the grid.
    QTEST(leftmostInk(image, 37, 47), "nameInk");
    QTEST(leftmostInk(image, 0, 10), "topInk");
    QCOMPARE(image.copy(0, 11, 40, 26), expectedGrid().copy(0, 11, 40, 26));
}

void tst_ChordBoxPicture::goldenPictures_data()
{
    QTest::addColumn<QList<QPoint>>("dots");
    QTest::addColumn<int>("barRow");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("top");
    QTest::newRow("empty-grid") << QList<QPoint>{} << 0 << "" << "";
    QTest::newRow("dot-1-1") << QList<QPoint>{{1, 1}} << 0 << "" << "";
    QTest::newRow("bar-5") << QList<QPoint>{} << 5 << "" << "";
    QTest::newRow("bar-5-with-dot") << QList<QPoint>{{2, 5}} << 5 << "" << "";
    QTest::newRow("name-1") << QList<QPoint>{} << 0 << "G" << "";
    QTest::newRow("name-8") << QList<QPoint>{} << 0 << "Bbmaj7#5" << "";
    QTest::newRow("name-12") << QList<QPoint>{} << 0 << "Cmaj7add9/G#" << "";
    QTest::newRow("name-leading-blanks") << QList<QPoint>{} << 0 << "   Am" << "";
    QTest::newRow("top-3rd-fret") << QList<QPoint>{} << 0 << "" << "3rd Fret";
    QTest::newRow("top-12th-fret") << QList<QPoint>{} << 0 << "" << "12th Fret";
    QTest::newRow("top-five-characters") << QList<QPoint>{} << 0 << "" << "capo3";
    QTest::newRow("am-5th-fret") << QList<QPoint>{{2, 3}, {3, 3}} << 1 << "Am" << "5th Fret";
    QTest::newRow("signs-and-accents") << QList<QPoint>{} << 0 << "C\u00B0 B\u00F8 F\u0394" << "R\u00E9 \u266D\u266F\u4E2D";
    QTest::newRow("printable-ascii") << QList<QPoint>{} << 0 << "{|}~!\"$%&'()" << "*+,-.:;<=>?@[\\]^_`";
}

void tst_ChordBoxPicture::goldenPictures()
{
    QFETCH(QList<QPoint>, dots);
    QFETCH(int, barRow);
    QFETCH(QString, name);
    QFETCH(QString, top);
    const QImage image = ChordBoxRenderer::DrawChordBox(chordWith(dots, barRow), name, top);
    compareWithGolden(image, QString::fromLatin1(QTest::currentDataTag()));
}

void tst_ChordBoxPicture::boardIsTheBackgroundMagnified()
{
    const QImage board = ChordBoxRenderer::boardImage(ChordBox());
    QCOMPARE(board.size(), QSize(150, 150));
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 150; ++x) {
            const bool onString = x >= 10 && x < 140 && (x - 10) % 25 < 5 && y < 130;
            const bool onFret = y < 130 && (y % 25) < 5 && x >= 10 && x < 140;
            const QRgb expected = (onString || onFret) ? black : white;
            if (board.pixel(x, y) != expected)
                QFAIL(qPrintable(QStringLiteral("board pixel (%1, %2) is wrong").arg(x).arg(y)));
        }
    }
}

void tst_ChordBoxPicture::boardDiscs()
{
    const QImage empty = ChordBoxRenderer::boardImage(ChordBox());
    const QImage dotted = ChordBoxRenderer::boardImage(chordWith({{1, 1}}, 0));
    // The disc reaches seven pixels from its centre (13, 15) and no further.
    Pixels changed;
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 150; ++x) {
            if (empty.pixel(x, y) != dotted.pixel(x, y))
                changed.append({x, y});
        }
    }
    QVERIFY(!changed.isEmpty());
    for (const QPoint &pixel : changed) {
        const QPoint d = pixel - QPoint(13, 15);
        QVERIFY(d.x() * d.x() + d.y() * d.y() <= 49);
    }
    QCOMPARE(dotted.pixel(6, 15), black);
    QCOMPARE(dotted.pixel(5, 15), white);
    QCOMPARE(dotted.pixel(20, 15), black);
    QCOMPARE(dotted.pixel(21, 15), white);
    QCOMPARE(dotted.pixel(13, 22), black);

    // A bar is six discs in one row, exactly like six dots.
    QList<QPoint> row;
    for (int string = 1; string <= 6; ++string)
        row.append({string, 4});
    QCOMPARE(ChordBoxRenderer::boardImage(chordWith({}, 4)), ChordBoxRenderer::boardImage(chordWith(row, 0)));
}

QTEST_GUILESS_MAIN(tst_ChordBoxPicture)
#include "tst_chordboxpicture.moc"
