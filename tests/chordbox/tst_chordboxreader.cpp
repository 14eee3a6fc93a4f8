// Reading ChordBox pictures back: every read picture draws again pixel for
// pixel, and pictures Songloom did not draw are refused.
#include "chordbox/ChordBoxReader.h"

#include "chordbox/ChordBoxFont.h"
#include "chordbox/ChordBoxRenderer.h"
#include "chordbox/ChordProDefinition.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using Cells = QList<QPoint>; // string, fret space

namespace {

constexpr QRgb black = 0xff000000;

ChordBox chordWith(const Cells &dots, int barSpace)
{
    ChordBox chord;
    for (const QPoint &dot : dots)
        chord.setDot(dot.x(), dot.y());
    if (barSpace > 0)
        chord.setBar(barSpace);
    return chord;
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

QStringList starterDefinitions()
{
    QFile table(QStringLiteral(SONGLOOM_TEST_DATA "/../../resources/chords/starter-chords.cho"));
    if (!table.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList definitions;
    for (const QString &line : QString::fromUtf8(table.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("{define:")))
            definitions.append(line);
    }
    return definitions;
}

} // namespace

class tst_ChordBoxReader : public QObject
{
    Q_OBJECT
private slots:
    // Through a chord file, as the chord list holds it: BMP, no extension.
    void starterChords_data()
    {
        QTest::addColumn<QString>("definition");
        const QStringList definitions = starterDefinitions();
        QVERIFY(definitions.size() > 50);
        for (const QString &definition : definitions)
            QTest::newRow(qPrintable(definition)) << definition;
    }

    void starterChords()
    {
        QFETCH(QString, definition);
        const ChordProDefinition chord = ChordProDefinition::parse(definition);
        QVERIFY(chord.isValid());
        const QImage picture = ChordBoxRenderer::DrawChordBox(chord.chord, chord.name, chord.topText);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("chord"));
        QVERIFY(picture.save(file, "BMP"));
        ChordBoxReader reader;
        QVERIFY2(reader.readFile(file), qPrintable(reader.errorString()));
        QCOMPARE(reader.name(), chord.name);
        QCOMPARE(reader.topText(), chord.topText);
        QCOMPARE(cellsOf(reader.chord()), cellsOf(chord.chord));
        QCOMPARE(reader.chord().mlngBarY, chord.chord.mlngBarY);
    }

    // Every cell alone, every bar alone and with a dot in its row, and a
    // full row of dots, which reads as the bar.
    void dotsAndBars_data()
    {
        QTest::addColumn<Cells>("dots");
        QTest::addColumn<int>("barSpace");
        QTest::addColumn<Cells>("readDots");
        QTest::addColumn<int>("readBar");
        for (int string = 1; string <= 6; ++string) {
            for (int fret = 1; fret <= 5; ++fret)
                QTest::addRow("dot %d:%d", string, fret) << Cells{{string, fret}} << 0 << Cells{{string, fret}} << 0;
        }
        for (int fret = 1; fret <= 5; ++fret) {
            QTest::addRow("bar %d", fret) << Cells{} << fret << Cells{} << fret;
            QTest::addRow("bar %d, a dot in its row and one below", fret)
                << Cells{{3, fret}, {4, fret % 5 + 1}} << fret << Cells{{4, fret % 5 + 1}} << fret;
        }
        const Cells row3{{1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}};
        QTest::newRow("six dots in a row") << row3 << 0 << Cells{} << 3;
        QTest::newRow("bar below a full row") << row3 << 4 << Cells{{1, 4}, {2, 4}, {3, 4}, {4, 4}, {5, 4}, {6, 4}}
                                              << 3;
        Cells all;
        for (int string = 1; string <= 6; ++string) {
            for (int fret = 1; fret <= 5; ++fret)
                all.append({string, fret});
        }
        QTest::newRow("every cell") << all << 0 << all.mid(1, 4) + all.mid(6, 4) + all.mid(11, 4) + all.mid(16, 4)
                                                       + all.mid(21, 4) + all.mid(26, 4)
                                    << 1;
    }

    void dotsAndBars()
    {
        QFETCH(Cells, dots);
        QFETCH(int, barSpace);
        const QImage picture = ChordBoxRenderer::DrawChordBox(chordWith(dots, barSpace), QStringLiteral("X"), {});
        ChordBoxReader reader;
        QVERIFY(readsBack(picture, reader));
        QTEST(cellsOf(reader.chord()), "readDots");
        QTEST(reader.chord().barFretSpace(), "readBar");
    }

    // Random chords with every kind of text position.
    void randomChords()
    {
        QRandomGenerator random(20240611);
        const QStringList texts{"", "A", "Am", "  Am", "Am  ", " C/G ", "Bbmaj7#5", "Cmaj7add9/G#",
                                "MMMMMMMM", "12th Fret", "iiiiiiiiiiii", "W  W  W  W  W", "\"''\"", "R\u00E9 \u266D"};
        for (int round = 0; round < 300; ++round) {
            Cells dots;
            for (int cell = 0; cell < 30; ++cell) {
                if (random.bounded(4) == 0)
                    dots.append({cell / 5 + 1, cell % 5 + 1});
            }
            const QImage picture =
                ChordBoxRenderer::DrawChordBox(chordWith(dots, random.bounded(6)), texts.at(random.bounded(texts.size())),
                                               texts.at(random.bounded(texts.size())));
            ChordBoxReader reader;
            QVERIFY(readsBack(picture, reader));
        }
    }

    // Every glyph of the font, four characters at a time, as the name and as
    // the top text. Characters that look alike read as the first of them.
    void everyGlyph()
    {
        QList<char32_t> characters = ChordBoxFont::glyphCharacters();
        characters.append(ChordBoxFont::unknownCharacter);
        const QHash<char32_t, char32_t> lookAlikes{{U'\u25B3', U'\u0394'}, {U'\u266F', U'#'}, {U'\u2013', U'-'}};
        for (qsizetype i = 0; i < characters.size(); i += 4) {
            QString text;
            QString expected;
            for (char32_t code : characters.mid(i, 4)) {
                text += QString::fromUcs4(&code, 1);
                const char32_t read = lookAlikes.value(code, code);
                expected += QString::fromUcs4(&read, 1);
            }
            for (bool asName : {true, false}) {
                const QImage picture = ChordBoxRenderer::DrawChordBox(ChordBox(), asName ? text : QString(),
                                                                      asName ? QString() : text);
                ChordBoxReader reader;
                QVERIFY2(readsBack(picture, reader), qPrintable(text));
                QCOMPARE(asName ? reader.name() : reader.topText(), expected);
            }
        }
        // A character without a glyph of its own reads as the unknown one,
        // an accented letter as its letter.
        ChordBoxReader reader;
        QVERIFY(readsBack(ChordBoxRenderer::DrawChordBox(ChordBox(), QStringLiteral("\u4E2D\u00E9"), {}), reader));
        QCOMPARE(reader.name(), QStringLiteral("\uFFFDe"));
    }

    void topFretList()
    {
        for (const QString &entry : ChordBox::topFretList()) {
            ChordBoxReader reader;
            QVERIFY(readsBack(ChordBoxRenderer::DrawChordBox(ChordBox(), QStringLiteral("Am"), entry), reader));
            QCOMPARE(reader.topText(), entry);
        }
    }

    // Each picture is changed from a good one; the error says what is wrong.
    void refuses_data()
    {
        QTest::addColumn<QImage>("picture");
        QTest::addColumn<QString>("error");
        ChordBox chord;
        chord.setDot(2, 3);
        const QImage good = ChordBoxRenderer::DrawChordBox(chord, QStringLiteral("Am"), QStringLiteral("5th Fret"));
        auto changed = [&good](const QList<QPoint> &pixels, QRgb colour = black) {
            QImage picture = good;
            for (const QPoint &pixel : pixels)
                picture.setPixel(pixel, picture.pixel(pixel) == colour ? 0xffffffff : colour);
            return picture;
        };
        QTest::newRow("too wide") << good.copy(0, 0, 41, 48) << "41 x 48";
        QTest::newRow("enlarged") << ChordBoxRenderer::enlarged(good, 2) << "80 x 96";
        QTest::newRow("grey pixel") << changed({{0, 0}}, 0xff808080) << "pixel (0, 0) has the colour #808080";
        QTest::newRow("mark between the lines") << changed({{9, 20}}) << "pixel (9, 20) should be white";
        QTest::newRow("half a dot") << changed({{11, 23}}) << "pixel (13, 23) should be white";
        QTest::newRow("fret line broken") << changed({{30, 21}}) << "pixel (30, 21) should be black";
        QTest::newRow("mark in the name") << changed({{14, 40}}) << "the chord name cannot be read";
        QTest::newRow("mark above the name's glyphs") << changed({{30, 37}}) << "pixel (30, 37) should be white";
        QTest::newRow("block in the top text") << changed({{36, 3}, {37, 3}, {36, 4}, {37, 4}})
                                               << "the top-fret text cannot be read";
        QImage blank(40, 48, QImage::Format_RGB32);
        blank.fill(0xffffffff);
        QTest::newRow("no grid") << blank << "pixel (7, 11) should be black";
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

    void refusesFilesThatAreNoPictures()
    {
        QTemporaryDir dir;
        QFile text(dir.filePath(QStringLiteral("Am")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("not a picture\n");
        text.close();
        ChordBoxReader reader;
        QVERIFY(!reader.readFile(text.fileName()));
        QVERIFY2(reader.errorString().startsWith("the file cannot be read as a picture: "),
                 qPrintable(reader.errorString()));
        QVERIFY(!reader.readFile(dir.filePath(QStringLiteral("missing"))));
    }
};

QTEST_GUILESS_MAIN(tst_ChordBoxReader)
#include "tst_chordboxreader.moc"
