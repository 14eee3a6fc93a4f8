// The chord being drawn and its ChordBox picture: the editing rule,
// ChordPro definitions, the picture against stored golden pictures, and
// the picture read back so that every read picture draws again pixel for
// pixel, while pictures Songloom did not draw are refused.
#include "chordbox/ChordBox.h"
#include "chordbox/ChordBoxFont.h"
#include "chordbox/ChordBoxReader.h"
#include "chordbox/ChordBoxRenderer.h"
#include "chordbox/ChordProDefinition.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using Cells = QList<QPoint>; // string and fret space, or board position
// Released buttons (1 left, 2 right, 4 middle) and board positions.
using Releases = QList<QPair<int, QPointF>>;

namespace {

constexpr QRgb black = 0xff000000;
constexpr QRgb white = 0xffffffff;

ChordBox chordWith(const Cells &dots, int barSpace)
{
    ChordBox chord;
    for (const QPoint &dot : dots)
        chord.setDot(dot.x(), dot.y());
    if (barSpace > 0)
        chord.setBar(barSpace);
    return chord;
}

// The dots as board positions, in the order set.
Cells dotPositions(const ChordBox &chord)
{
    Cells cells;
    for (int i = 0; i < chord.dotCount(); ++i)
        cells.append({int(chord.mcolDotX.at(i)), int(chord.mcolDotY.at(i))});
    return cells;
}

// The dots as strings and fret spaces, in string order.
Cells cellsOf(const ChordBox &chord)
{
    Cells cells = chord.dotCells();
    std::sort(cells.begin(), cells.end(), [](QPoint a, QPoint b) {
        return a.x() != b.x() ? a.x() < b.x() : a.y() < b.y();
    });
    return cells;
}

// Reads the picture and checks that what was read draws it again.
bool readsBack(const QImage &picture, ChordBoxReader &reader)
{
    if (!reader.read(picture)) {
        qWarning("%s", qPrintable(reader.errorString()));
        return false;
    }
    const QImage again = ChordBoxRenderer::DrawChordBox(reader.chord(), reader.name(), reader.topText());
    if (again != picture) {
        picture.save(QDir::current().filePath(QStringLiteral("%1.expected.png").arg(QTest::currentDataTag())));
        again.save(QDir::current().filePath(QStringLiteral("%1.actual.png").arg(QTest::currentDataTag())));
        qWarning("drawn again differently: name \"%s\", top \"%s\"", qPrintable(reader.name()),
                 qPrintable(reader.topText()));
        return false;
    }
    return true;
}

} // namespace

class tst_ChordBox : public QObject
{
    Q_OBJECT
private slots:
    void releases_data()
    {
        QTest::addColumn<Releases>("releases");
        QTest::addColumn<Cells>("dots");
        QTest::addColumn<int>("barY");
        // A release anywhere, even beyond the board, edits the cell it falls in.
        QTest::newRow("just before the first boundaries") << Releases{{1, {22.9, 25.9}}} << Cells{{13, 15}} << 0;
        QTest::newRow("on the first boundaries") << Releases{{1, {23, 26}}} << Cells{{38, 40}} << 0;
        QTest::newRow("A B A then C") << Releases{{1, {13, 15}}, {1, {88, 90}}, {1, {14, 16}}, {1, {200, 200}}}
                                      << Cells{{88, 90}, {138, 115}} << 0;
        QTest::newRow("right on its row removes it") << Releases{{2, {0, 60}}, {2, {140, 70}}} << Cells{} << 0;
        QTest::newRow("right on another row moves it") << Releases{{2, {0, 60}}, {2, {0, 90}}} << Cells{} << 90;
        QTest::newRow("middle acts as right") << Releases{{2, {0, 10}}, {4, {0, 20}}, {4, {0, 140}}} << Cells{} << 115;
        QTest::newRow("dot in the bar row outlives the bar")
            << Releases{{2, {70, 40}}, {1, {70, 40}}, {2, {0, 40}}} << Cells{{63, 40}} << 0;
    }

    void releases()
    {
        QFETCH(Releases, releases);
        ChordBox chord;
        for (const auto &[button, at] : releases)
            chord.mouseUp(button, float(at.x()), float(at.y()));
        QCOMPARE(chord.mcolDotX.size(), chord.mcolDotY.size());
        QTEST(dotPositions(chord), "dots");
        QTEST(int(chord.mlngBarY), "barY");
    }

    // "barY" -1: the text is refused.
    void chordPro_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("top");
        QTest::addColumn<Cells>("dots");
        QTest::addColumn<int>("barY");
        QTest::newRow("open minor") << "Am base-fret 1 frets x 0 2 2 1 0" << "" << Cells{{63, 40}, {88, 40}, {113, 15}}
                                    << 0;
        QTest::newRow("barre on both outer strings, base fret labelled, fingers ignored")
            << "{define: F base-fret 5 frets 1 3 3 2 1 1 fingers 1 3 4 2 1 1}" << "5th Fret"
            << Cells{{38, 65}, {63, 65}, {88, 40}} << 15;
        QTest::newRow("muted outer strings are no barre") << "F frets N 2 4 4 4 -1" << ""
                                                          << Cells{{38, 40}, {63, 90}, {88, 90}, {113, 90}} << 0;
        // A bar would cover the open or muted string between the outer ones.
        QTest::newRow("open inner strings are no barre") << "F frets 2 0 0 2 3 2" << ""
                                                         << Cells{{13, 40}, {88, 40}, {113, 65}, {138, 40}} << 0;
        QTest::newRow("muted inner string is no barre") << "F frets 1 3 x 2 1 1" << ""
                                                        << Cells{{13, 15}, {38, 65}, {88, 40}, {113, 15}, {138, 15}}
                                                        << 0;
        QTest::newRow("lowest fret not on an outer string is no barre")
            << "F frets 2 1 1 1 1 2" << "" << Cells{{13, 40}, {38, 15}, {63, 15}, {88, 15}, {113, 15}, {138, 40}} << 0;
        for (const char *refused : {"F frets x 0 2 2 1", "F frets x 0 2 2 7 0", "F base-fret 2", "frets x 0 2 2 1 0"})
            QTest::newRow(refused) << refused << "" << Cells{} << -1;
    }

    void chordPro()
    {
        QFETCH(QString, text);
        QFETCH(int, barY);
        const ChordProDefinition definition = ChordProDefinition::parse(text);
        QCOMPARE(definition.isValid(), barY >= 0);
        if (barY < 0)
            return;
        QCOMPARE(definition.name, text.contains("Am") ? QStringLiteral("Am") : QStringLiteral("F"));
        QTEST(definition.topText, "top");
        QTEST(dotPositions(definition.chord), "dots");
        QCOMPARE(int(definition.chord.mlngBarY), barY);
    }
    // Each row is golden/<tag>.png, the tag up to a "#". A name of n characters starts at column
    // 17 - 2n, a top text at 17 - 1.9n rounded; from 9 characters on they
    // start at columns 0 and 1. Leading blanks are drawn.
    void golden_data()
    {
        QTest::addColumn<Cells>("dots");
        QTest::addColumn<int>("barRow");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("top");
        QTest::addColumn<bool>("board"); // the editor's 150 x 150 board instead
        const Cells none;
        QTest::newRow("dot-1-1") << Cells{{1, 1}} << 0 << "" << "" << false;
        QTest::newRow("bar-5-with-dot") << Cells{{2, 5}} << 5 << "" << "" << false;
        QTest::newRow("name-1") << none << 0 << "G" << "" << false;
        QTest::newRow("name-8") << none << 0 << "Bbmaj7#5" << "" << false;
        QTest::newRow("name-12") << none << 0 << "Cmaj7add9/G#" << "" << false;
        QTest::newRow("name-leading-blanks") << none << 0 << "   Am" << "" << false;
        QTest::newRow("top-12th-fret") << none << 0 << "" << "12th Fret" << false;
        QTest::newRow("top-five-characters") << none << 0 << "" << "capo3" << false;
        QTest::newRow("am-5th-fret") << Cells{{2, 3}, {3, 3}} << 1 << "Am" << "5th Fret" << false;
        QTest::newRow("signs-and-accents") << none << 0 << "C\u00B0 B\u00F8 F\u0394" << "R\u00E9 \u266D\u266F\u4E2D" << false;
        QTest::newRow("printable-ascii") << none << 0 << "{|}~!\"$%&'()" << "*+,-.:;<=>?@[\\]^_`" << false;
        QTest::newRow("board-dot-1-1") << Cells{{1, 1}} << 0 << "" << "" << true;
        // A bar is six dots in a row.
        QTest::newRow("board-bar-4") << none << 4 << "" << "" << true;
        QTest::newRow("board-bar-4#six-dots") << Cells{{1, 4}, {2, 4}, {3, 4}, {4, 4}, {5, 4}, {6, 4}} << 0 << "" << "" << true;
    }

    // On a difference the actual picture is left in the test's working folder;
    // SONGLOOM_UPDATE_GOLDEN=1 rewrites the stored ones after a deliberate change.
    void golden()
    {
        QFETCH(Cells, dots);
        QFETCH(int, barRow);
        QFETCH(QString, name);
        QFETCH(QString, top);
        QFETCH(bool, board);
        const ChordBox chord = chordWith(dots, barRow);
        const QImage actual =
            board ? ChordBoxRenderer::boardImage(chord) : ChordBoxRenderer::DrawChordBox(chord, name, top);
        const QString tag = QString::fromLatin1(QTest::currentDataTag()).section('#', 0, 0);
        const QString goldenPath = QStringLiteral(SONGLOOM_TEST_DATA "/golden/%1.png").arg(tag);
        if (qEnvironmentVariableIsSet("SONGLOOM_UPDATE_GOLDEN"))
            QVERIFY(actual.save(goldenPath));
        if (QImage(goldenPath).convertToFormat(QImage::Format_RGB32) != actual) {
            const QString actualPath = QDir::current().filePath(tag + QStringLiteral(".actual.png"));
            actual.save(actualPath);
            QFAIL(qPrintable(QStringLiteral("differs from %1; see %2").arg(goldenPath, actualPath)));
        }
    }

    // Every starter chord through a chord file as the chord list holds it
    // (BMP, no extension) reads back as the chord it was drawn from.
    void starterChordsReadBack()
    {
        QFile table(QStringLiteral(SONGLOOM_TEST_DATA "/../../resources/chords/starter-chords.cho"));
        QVERIFY(table.open(QIODevice::ReadOnly | QIODevice::Text));
        QTemporaryDir dir;
        const QStringList lines = QString::fromUtf8(table.readAll()).split('\n').filter(QRegularExpression("^\\{define:"));
        QVERIFY(lines.size() > 50);
        for (const QString &line : lines) {
            const ChordProDefinition chord = ChordProDefinition::parse(line);
            QVERIFY(ChordBoxRenderer::DrawChordBox(chord.chord, chord.name, chord.topText).save(dir.filePath("c"), "BMP"));
            ChordBoxReader reader;
            QVERIFY2(chord.isValid() && reader.readFile(dir.filePath("c")), qPrintable(line + ": " + reader.errorString()));
            QCOMPARE(reader.name() + '|' + reader.topText() + '|' + QString::number(reader.chord().mlngBarY),
                     chord.name + '|' + chord.topText + '|' + QString::number(chord.chord.mlngBarY));
            QCOMPARE(cellsOf(reader.chord()), cellsOf(chord.chord));
        }
    }

    // Random chords, dots in the bar's row and full rows included, with
    // every kind of text position, and every glyph of the font as the name
    // and as the top text, draw again pixel for pixel from what was read.
    // Characters that look alike read as the first of them; without a
    // glyph of its own a character reads as the unknown one, an accented
    // letter as its letter.
    void picturesReadBack()
    {
        QRandomGenerator random(20240611);
        const QStringList texts{"", "A", "  Am", "Am  ", " C/G ", "Bbmaj7#5", "Cmaj7add9/G#",
                                "MMMMMMMM", "12th Fret", "iiiiiiiiiiii", "W  W  W  W  W", "\"''\"", "R\u00E9 \u266D"};
        ChordBoxReader reader;
        for (int round = 0; round < 300; ++round) {
            Cells dots;
            for (int cell = 0; cell < 30; ++cell) {
                if (random.bounded(round % 3 + 2) == 0)
                    dots.append({cell / 5 + 1, cell % 5 + 1});
            }
            QVERIFY(readsBack(ChordBoxRenderer::DrawChordBox(chordWith(dots, random.bounded(6)), texts.at(random.bounded(texts.size())),
                                                             texts.at(random.bounded(texts.size()))), reader));
        }
        const QHash<char32_t, char32_t> lookAlikes{{U'\u25B3', U'\u0394'}, {U'\u266F', U'#'}, {U'\u2013', U'-'},
                                                   {U'\u4E2D', ChordBoxFont::unknownCharacter}, {U'\u00E9', U'e'}};
        for (char32_t code : ChordBoxFont::glyphCharacters() + QList<char32_t>{ChordBoxFont::unknownCharacter, U'\u4E2D', U'\u00E9'}) {
            const char32_t read = lookAlikes.value(code, code);
            const QString text = "A" + QString::fromUcs4(&code, 1) + "b";
            QVERIFY2(readsBack(ChordBoxRenderer::DrawChordBox(ChordBox(), text, text), reader), qPrintable(text));
            QCOMPARE(reader.name() + '|' + reader.topText(), QStringList(2, "A" + QString::fromUcs4(&read, 1) + "b").join('|'));
        }
    }

    // Each picture is changed from a good one; the error says what is wrong.
    void refuses_data()
    {
        QTest::addColumn<QImage>("picture");
        QTest::addColumn<QString>("error");
        const QImage good = ChordBoxRenderer::DrawChordBox(chordWith({{2, 3}}, 0), "Am", "5th Fret");
        auto changed = [&good](const QList<QPoint> &pixels, QRgb colour = black) {
            QImage picture = good;
            for (const QPoint &pixel : pixels)
                picture.setPixel(pixel, picture.pixel(pixel) == colour ? white : colour);
            return picture;
        };
        QTest::newRow("enlarged") << ChordBoxRenderer::enlarged(good, 2) << "80 x 96";
        QTest::newRow("grey pixel") << changed({{0, 0}}, 0xff808080) << "pixel (0, 0) has the colour #808080";
        QTest::newRow("half a dot") << changed({{11, 23}}) << "pixel (13, 23) should be white";
        QTest::newRow("fret line broken") << changed({{30, 21}}) << "pixel (30, 21) should be black";
        QTest::newRow("mark in the name") << changed({{14, 40}}) << "the chord name cannot be read";
        QTest::newRow("block in the top text") << changed({{36, 3}, {37, 3}, {36, 4}, {37, 4}})
                                               << "the top-fret text cannot be read";
    }

    void refuses()
    {
        QFETCH(QImage, picture);
        QFETCH(QString, error);
        ChordBoxReader reader;
        QVERIFY(!reader.read(picture));
        QVERIFY2(reader.errorString().contains(error), qPrintable(reader.errorString()));
        QCOMPARE(reader.name() + reader.topText(), QString());
        QCOMPARE(reader.chord().dotCount(), 0);
    }
};

QTEST_GUILESS_MAIN(tst_ChordBox)
#include "tst_chordbox.moc"
