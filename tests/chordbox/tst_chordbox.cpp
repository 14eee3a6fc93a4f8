// ChordPro definitions, the ChordBox picture against golden pictures, and
// the picture read back so that it draws again pixel for pixel.
#include "chordbox/ChordBox.h"
#include "chordbox/ChordBoxFont.h"
#include "chordbox/ChordBoxReader.h"
#include "chordbox/ChordBoxRenderer.h"
#include "chordbox/ChordProDefinition.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using Cells = QList<QPoint>; // strings and fret spaces

namespace {

ChordBox chordWith(const Cells &dots, int barSpace)
{
    ChordBox chord;
    for (const QPoint &dot : dots)
        chord.setDot(dot.x(), dot.y());
    if (barSpace > 0)
        chord.setBar(barSpace);
    return chord;
}

// The dots in string order, then the bar's fret space.
QString shape(const ChordBox &chord)
{
    Cells cells = chord.dotCells();
    std::sort(cells.begin(), cells.end(), [](QPoint a, QPoint b) { return a.x() != b.x() ? a.x() < b.x() : a.y() < b.y(); });
    QString text;
    for (const QPoint &cell : cells)
        text += QStringLiteral("%1:%2 ").arg(cell.x()).arg(cell.y());
    return text + QStringLiteral("bar %1").arg(chord.barFretSpace());
}

// "" when what the reader makes of the picture draws it again.
QString readBack(const QImage &picture, ChordBoxReader &reader)
{
    if (!reader.read(picture))
        return reader.errorString();
    const QImage again = ChordBoxRenderer::DrawChordBox(reader.chord(), reader.name(), reader.topText());
    return again == picture ? QString() : "drawn again differently: " + reader.name() + '|' + reader.topText();
}

} // namespace

class tst_ChordBox : public QObject
{
    Q_OBJECT
private slots:
    // A bar only when every string is fretted and both outer strings hold
    // the lowest fret (D/F# was drawn as a barre). "" when refused.
    void chordPro_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("drawn"); // name|top|dots and bar
        QTest::newRow("barre, base fret labelled, fingers ignored") << "{define: F base-fret 5 frets 1 3 3 2 1 1 fingers 1 3 4 2 1 1}" << "F|5th Fret|2:3 3:3 4:2 bar 1";
        QTest::newRow("muted outer strings") << "F frets N 2 4 4 4 -1" << "F||2:2 3:4 4:4 5:4 bar 0";
        QTest::newRow("open inner strings (D/F#)") << "D/F# frets 2 0 0 2 3 2" << "D/F#||1:2 4:2 5:3 6:2 bar 0";
        QTest::newRow("muted inner string") << "F frets 1 3 x 2 1 1" << "F||1:1 2:3 4:2 5:1 6:1 bar 0";
        QTest::newRow("lowest fret not on an outer string") << "F frets 2 1 1 1 1 2" << "F||1:2 2:1 3:1 4:1 5:1 6:2 bar 0";
        for (const char *refused : {"F frets x 0 2 2 1", "F frets x 0 2 2 7 0", "frets x 0 2 2 1 0"})
            QTest::newRow(refused) << refused << "";
    }

    void chordPro()
    {
        QFETCH(QString, text);
        const ChordProDefinition definition = ChordProDefinition::parse(text);
        QTEST(definition.isValid() ? definition.name + '|' + definition.topText + '|' + shape(definition.chord) : QString(), "drawn");
    }

    // Each row is golden/<tag>.png, the tag up to a "#"; "board-" rows show
    // the editor's 150 x 150 board. A name of n characters starts at column
    // 17 - 2n, a top text at 17 - 1.9n rounded; from 9 characters on they
    // start at columns 0 and 1. Leading blanks are drawn.
    void golden_data()
    {
        QTest::addColumn<Cells>("dots");
        QTest::addColumn<int>("barRow");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("top");
        const Cells none;
        QTest::newRow("dot-1-1") << Cells{{1, 1}} << 0 << "" << "";
        QTest::newRow("bar-5-with-dot") << Cells{{2, 5}} << 5 << "" << "";
        QTest::newRow("name-1") << none << 0 << "G" << "";
        QTest::newRow("name-8") << none << 0 << "Bbmaj7#5" << "";
        QTest::newRow("name-12") << none << 0 << "Cmaj7add9/G#" << "";
        QTest::newRow("name-leading-blanks") << none << 0 << "   Am" << "";
        QTest::newRow("top-12th-fret") << none << 0 << "" << "12th Fret";
        QTest::newRow("top-five-characters") << none << 0 << "" << "capo3";
        QTest::newRow("am-5th-fret") << Cells{{2, 3}, {3, 3}} << 1 << "Am" << "5th Fret";
        QTest::newRow("signs-and-accents") << none << 0 << "C\u00B0 B\u00F8 F\u0394" << "R\u00E9 \u266D\u266F\u4E2D";
        QTest::newRow("printable-ascii") << none << 0 << "{|}~!\"$%&'()" << "*+,-.:;<=>?@[\\]^_`";
        QTest::newRow("board-dot-1-1") << Cells{{1, 1}} << 0 << "" << "";
        // A bar is six dots in a row.
        QTest::newRow("board-bar-4") << none << 4 << "" << "";
        QTest::newRow("board-bar-4#six-dots") << Cells{{1, 4}, {2, 4}, {3, 4}, {4, 4}, {5, 4}, {6, 4}} << 0 << "" << "";
    }

    // On a difference the actual picture is left in the test's working folder;
    // SONGLOOM_UPDATE_GOLDEN=1 rewrites the stored ones after a deliberate change.
    void golden()
    {
        QFETCH(Cells, dots);
        QFETCH(int, barRow);
        QFETCH(QString, name);
        QFETCH(QString, top);
        const ChordBox chord = chordWith(dots, barRow);
        const QString tag = QString::fromLatin1(QTest::currentDataTag()).section('#', 0, 0);
        const QImage actual = tag.startsWith("board-") ? ChordBoxRenderer::boardImage(chord) : ChordBoxRenderer::DrawChordBox(chord, name, top);
        const QString goldenPath = QStringLiteral(SONGLOOM_TEST_DATA "/golden/%1.png").arg(tag);
        if (qEnvironmentVariableIsSet("SONGLOOM_UPDATE_GOLDEN"))
            QVERIFY(actual.save(goldenPath));
        const bool same = QImage(goldenPath).convertToFormat(QImage::Format_RGB32) == actual;
        if (!same)
            actual.save(tag + ".actual.png");
        QVERIFY2(same, qPrintable(goldenPath + " differs; see " + tag + ".actual.png in the test's folder"));
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
            QCOMPARE(reader.name() + '|' + reader.topText() + '|' + shape(reader.chord()),
                     chord.name + '|' + chord.topText + '|' + shape(chord.chord));
        }
    }

    // Every dot and bar position among other dots, texts in every kind of
    // position, and every glyph as name and top text draw again from what
    // was read. Look-alikes read as the first of them, a character without
    // a glyph as the unknown one, an accented letter as its letter.
    void picturesReadBack()
    {
        const QStringList texts{"", "A", "  Am", "Am  ", " C/G ", "Bbmaj7#5", "Cmaj7add9/G#",
                                "MMMMMMMM", "12th Fret", "iiiiiiiiiiii", "W  W  W  W  W", "\"''\"", "R\u00E9 \u266D"};
        ChordBoxReader reader;
        for (int bar = 0; bar <= 5; ++bar) {
            for (int cell = 0; cell < 30; ++cell) {
                Cells dots;
                for (int other = 0; other <= cell; ++other) // every (bar + 1)th cell up to this one
                    if ((cell - other) % (bar + 1) == 0)
                        dots.append({other / 5 + 1, other % 5 + 1});
                const QString name = texts.at((cell + bar) % texts.size()), top = texts.at((cell * 5 + bar) % texts.size());
                QCOMPARE(readBack(ChordBoxRenderer::DrawChordBox(chordWith(dots, bar), name, top), reader), QString());
            }
        }
        const QHash<char32_t, char32_t> lookAlikes{{U'\u25B3', U'\u0394'}, {U'\u266F', U'#'}, {U'\u2013', U'-'},
                                                   {U'\u4E2D', ChordBoxFont::unknownCharacter}, {U'\u00E9', U'e'}};
        for (char32_t code : ChordBoxFont::glyphCharacters() + QList<char32_t>{ChordBoxFont::unknownCharacter, U'\u4E2D', U'\u00E9'}) {
            const char32_t read = lookAlikes.value(code, code);
            const QString text = "A" + QString::fromUcs4(&code, 1) + "b";
            QCOMPARE(readBack(ChordBoxRenderer::DrawChordBox(ChordBox(), text, text), reader), QString());
            QCOMPARE(reader.name() + '|' + reader.topText(), QStringList(2, "A" + QString::fromUcs4(&read, 1) + "b").join('|'));
        }
    }

    // Pictures Songloom did not draw, each changed from a good one; the
    // error says what is wrong and nothing is kept of the picture.
    void refuses()
    {
        const QImage good = ChordBoxRenderer::DrawChordBox(chordWith({{2, 3}}, 0), "Am", "5th Fret");
        const auto changed = [&good](QPoint pixel, QRgb colour = 0xff000000) {
            QImage picture = good;
            picture.setPixel(pixel, picture.pixel(pixel) == colour ? 0xffffffff : colour);
            return picture;
        };
        for (const auto &[picture, error] : {std::pair{ChordBoxRenderer::enlarged(good, 2), "80 x 96"},
                                             {changed({0, 0}, 0xff808080), "pixel (0, 0) has the colour #808080"},
                                             {changed({11, 23}), "pixel (13, 23) should be white"},
                                             {changed({14, 40}), "the chord name cannot be read"}}) {
            ChordBoxReader reader;
            QVERIFY(!reader.read(picture));
            QVERIFY2(reader.errorString().contains(QLatin1String(error)), qPrintable(reader.errorString()));
            QCOMPARE(reader.name() + reader.topText() + QString::number(reader.chord().dotCount()), QStringLiteral("0"));
        }
    }
};

QTEST_GUILESS_MAIN(tst_ChordBox)
#include "tst_chordbox.moc"
