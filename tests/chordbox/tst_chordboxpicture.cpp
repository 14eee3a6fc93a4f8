// The ChordBox picture and the editing board, pixel for pixel.
#include "chordbox/ChordBox.h"
#include "chordbox/ChordBoxRenderer.h"

#include <QDir>
#include <QTest>

using Pixels = QList<QPoint>;

namespace {

constexpr QRgb black = 0xff000000;
constexpr QRgb white = 0xffffffff;

// The grid alone: six fret lines and six strings, columns 7 to 32, rows 11 to 36.
QImage expectedGrid(const Pixels &added = {})
{
    QImage image(40, 48, QImage::Format_RGB32);
    image.fill(white);
    for (int line = 0; line < 6; ++line) {
        for (int along = 0; along < 26; ++along) {
            image.setPixel(7 + along, 11 + 5 * line, black);
            image.setPixel(7 + 5 * line, 11 + along, black);
        }
    }
    for (const QPoint &pixel : added)
        image.setPixel(pixel, black);
    return image;
}

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
    void blocks_data();
    void blocks();
    void textPositions_data();
    void textPositions();
    void golden_data();
    void golden();
    void board();
};

void tst_ChordBoxPicture::blocks_data()
{
    QTest::addColumn<QList<QPoint>>("dots");
    QTest::addColumn<int>("barRow");
    QTest::addColumn<Pixels>("added");
    Pixels barOnRow5;
    for (int left : {6, 11, 16, 21, 26, 31}) {
        for (int x = left; x < left + 3; ++x)
            barOnRow5 << QPoint(x, 33) << QPoint(x, 34);
    }
    QTest::newRow("empty grid") << QList<QPoint>{} << 0 << Pixels{};
    QTest::newRow("dot string 1 fret 1") << QList<QPoint>{{1, 1}} << 0
                                         << Pixels{{6, 13}, {7, 13}, {8, 13}, {6, 14}, {7, 14}, {8, 14}};
    QTest::newRow("dot string 4 fret 3") << QList<QPoint>{{4, 3}} << 0
                                         << Pixels{{21, 23}, {22, 23}, {23, 23}, {21, 24}, {22, 24}, {23, 24}};
    QTest::newRow("bar fret 5") << QList<QPoint>{} << 5 << barOnRow5;
    QTest::newRow("bar fret 5 over a dot") << QList<QPoint>{{3, 5}} << 5 << barOnRow5;
}

void tst_ChordBoxPicture::blocks()
{
    QFETCH(QList<QPoint>, dots);
    QFETCH(int, barRow);
    QFETCH(Pixels, added);
    QCOMPARE(ChordBoxRenderer::DrawChordBox(chordWith(dots, barRow), {}, {}), expectedGrid(added));
}

void tst_ChordBoxPicture::textPositions_data()
{
    // E, F, 1 and 3 all ink the first column of their cell.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("top");
    QTest::addColumn<int>("nameInk");
    QTest::addColumn<int>("topInk");
    QTest::newRow("1-character name") << "E" << "" << 15 << -1;
    QTest::newRow("8-character name") << "EEEEEEEE" << "" << 1 << -1;
    QTest::newRow("12-character name, cut") << "EEEEEEEEEEEE" << "" << 0 << -1;
    QTest::newRow("leading blanks drawn") << "  E" << "" << 11 + 2 * 3 << -1;
    QTest::newRow("3rd Fret") << "" << "3rd Fret" << -1 << 2;
    QTest::newRow("12th Fret") << "" << "12th Fret" << -1 << 1;
    QTest::newRow("five characters") << "" << "FFFFF" << -1 << 8;
}

void tst_ChordBoxPicture::textPositions()
{
    QFETCH(QString, name);
    QFETCH(QString, top);
    const QImage image = ChordBoxRenderer::DrawChordBox(ChordBox(), name, top);
    QTEST(leftmostInk(image, 37, 47), "nameInk");
    QTEST(leftmostInk(image, 0, 10), "topInk");
    QCOMPARE(image.copy(0, 11, 40, 26), expectedGrid().copy(0, 11, 40, 26));
}

void tst_ChordBoxPicture::golden_data()
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
    QTest::newRow("signs-and-accents") << QList<QPoint>{} << 0 << "C\u00B0 B\u00F8 F\u0394"
                                       << "R\u00E9 \u266D\u266F\u4E2D";
    QTest::newRow("printable-ascii") << QList<QPoint>{} << 0 << "{|}~!\"$%&'()" << "*+,-.:;<=>?@[\\]^_`";
}

// On a difference the actual picture is left in the test's working folder;
// SONGLOOM_UPDATE_GOLDEN=1 rewrites the stored ones after a deliberate change.
void tst_ChordBoxPicture::golden()
{
    QFETCH(QList<QPoint>, dots);
    QFETCH(int, barRow);
    QFETCH(QString, name);
    QFETCH(QString, top);
    const QImage actual = ChordBoxRenderer::DrawChordBox(chordWith(dots, barRow), name, top);
    const QString tag = QString::fromLatin1(QTest::currentDataTag());
    const QString goldenPath = QStringLiteral(SONGLOOM_TEST_DATA "/golden/%1.png").arg(tag);
    if (qEnvironmentVariableIsSet("SONGLOOM_UPDATE_GOLDEN"))
        QVERIFY(actual.save(goldenPath));
    if (QImage(goldenPath).convertToFormat(QImage::Format_RGB32) != actual) {
        const QString actualPath = QDir::current().filePath(tag + QStringLiteral(".actual.png"));
        actual.save(actualPath);
        QFAIL(qPrintable(QStringLiteral("differs from %1; see %2").arg(goldenPath, actualPath)));
    }
}

void tst_ChordBoxPicture::board()
{
    const QImage empty = ChordBoxRenderer::boardImage(ChordBox());
    QCOMPARE(empty.size(), QSize(150, 150));
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 150; ++x) {
            // Strings: columns 10-14, 35-39 ... 135-139; frets: rows 0-4 ... 125-129.
            const bool inGrid = x >= 10 && x < 140 && y < 130;
            const bool line = inGrid && ((x - 10) % 25 < 5 || y % 25 < 5);
            if (empty.pixel(x, y) != (line ? black : white))
                QFAIL(qPrintable(QStringLiteral("board pixel (%1, %2)").arg(x).arg(y)));
        }
    }
    // A dot is a disc of radius 7 around (13, 15); a bar is six of them in a row.
    const QImage dotted = ChordBoxRenderer::boardImage(chordWith({{1, 1}}, 0));
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 150; ++x) {
            const bool inDisc = (x - 13) * (x - 13) + (y - 15) * (y - 15) <= 49;
            QCOMPARE(dotted.pixel(x, y), inDisc ? black : empty.pixel(x, y));
        }
    }
    QList<QPoint> row;
    for (int string = 1; string <= 6; ++string)
        row.append({string, 4});
    QCOMPARE(ChordBoxRenderer::boardImage(chordWith({}, 4)), ChordBoxRenderer::boardImage(chordWith(row, 0)));
}

QTEST_GUILESS_MAIN(tst_ChordBoxPicture)
#include "tst_chordboxpicture.moc"
