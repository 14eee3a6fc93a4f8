// The ChordBox picture against stored golden pictures, and the editing board.
#include "chordbox/ChordBox.h"
#include "chordbox/ChordBoxRenderer.h"

#include <QDir>
#include <QTest>

using Cells = QList<QPoint>;

namespace {

constexpr QRgb black = 0xff000000;
constexpr QRgb white = 0xffffffff;

ChordBox chordWith(const Cells &dots, int barRow)
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
    // Each row is golden/<tag>.png. A name of n characters starts at column
    // 17 - 2n, a top text at 17 - 1.9n rounded; from 9 characters on they
    // start at columns 0 and 1. Leading blanks are drawn.
    void golden_data()
    {
        QTest::addColumn<Cells>("dots");
        QTest::addColumn<int>("barRow");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("top");
        const Cells none;
        QTest::newRow("empty-grid") << none << 0 << "" << "";
        QTest::newRow("dot-1-1") << Cells{{1, 1}} << 0 << "" << "";
        QTest::newRow("bar-5") << none << 5 << "" << "";
        QTest::newRow("bar-5-with-dot") << Cells{{2, 5}} << 5 << "" << "";
        QTest::newRow("name-1") << none << 0 << "G" << "";
        QTest::newRow("name-8") << none << 0 << "Bbmaj7#5" << "";
        QTest::newRow("name-12") << none << 0 << "Cmaj7add9/G#" << "";
        QTest::newRow("name-leading-blanks") << none << 0 << "   Am" << "";
        QTest::newRow("top-3rd-fret") << none << 0 << "" << "3rd Fret";
        QTest::newRow("top-12th-fret") << none << 0 << "" << "12th Fret";
        QTest::newRow("top-five-characters") << none << 0 << "" << "capo3";
        QTest::newRow("am-5th-fret") << Cells{{2, 3}, {3, 3}} << 1 << "Am" << "5th Fret";
        QTest::newRow("signs-and-accents") << none << 0 << "C\u00B0 B\u00F8 F\u0394" << "R\u00E9 \u266D\u266F\u4E2D";
        QTest::newRow("printable-ascii") << none << 0 << "{|}~!\"$%&'()" << "*+,-.:;<=>?@[\\]^_`";
    }

    // On a difference the actual picture is left in the test's working folder;
    // SONGLOOM_UPDATE_GOLDEN=1 rewrites the stored ones after a deliberate change.
    void golden()
    {
        QFETCH(Cells, dots);
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

    // Strings are columns 10-14, 35-39 ... 135-139 and frets rows 0-4 ...
    // 125-129; a dot is a disc of radius 7 around its cell centre, here
    // (13, 15), and a bar six such discs in a row.
    void board()
    {
        const QImage dotted = ChordBoxRenderer::boardImage(chordWith({{1, 1}}, 0));
        QCOMPARE(dotted.size(), QSize(150, 150));
        for (int y = 0; y < 150; ++y) {
            for (int x = 0; x < 150; ++x) {
                const bool line = x >= 10 && x < 140 && y < 130 && ((x - 10) % 25 < 5 || y % 25 < 5);
                const bool disc = (x - 13) * (x - 13) + (y - 15) * (y - 15) <= 49;
                if (dotted.pixel(x, y) != (line || disc ? black : white))
                    QFAIL(qPrintable(QStringLiteral("board pixel (%1, %2)").arg(x).arg(y)));
            }
        }
        const Cells row{{1, 4}, {2, 4}, {3, 4}, {4, 4}, {5, 4}, {6, 4}};
        QCOMPARE(ChordBoxRenderer::boardImage(chordWith({}, 4)), ChordBoxRenderer::boardImage(chordWith(row, 0)));
    }
};

QTEST_GUILESS_MAIN(tst_ChordBoxPicture)
#include "tst_chordboxpicture.moc"
