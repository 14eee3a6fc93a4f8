// The chord being drawn: the editing rule, the top-fret list and ChordPro
// definitions.
#include "chordbox/ChordBox.h"
#include "chordbox/ChordProDefinition.h"

#include <QTest>

using Cells = QList<QPoint>;
// Released buttons (1 left, 2 right, 4 middle) and board positions.
using Releases = QList<QPair<int, QPointF>>;

static Cells dotCells(const ChordBox &chord)
{
    Cells cells;
    for (int i = 0; i < chord.dotCount(); ++i)
        cells.append({int(chord.mcolDotX.at(i)), int(chord.mcolDotY.at(i))});
    return cells;
}

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
        QTest::newRow("same cell twice") << Releases{{1, {20, 20}}, {1, {-40, -3}}} << Cells{} << 0;
        QTest::newRow("last boundaries, far beyond") << Releases{{1, {123, 101}}, {1, {1000, 5000}}} << Cells{} << 0;
        QTest::newRow("A B A then C") << Releases{{1, {13, 15}}, {1, {88, 90}}, {1, {14, 16}}, {1, {200, 200}}}
                                      << Cells{{88, 90}, {138, 115}} << 0;
        QTest::newRow("right sets the bar") << Releases{{2, {0, 60}}} << Cells{} << 65;
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
        QTEST(dotCells(chord), "dots");
        QTEST(int(chord.mlngBarY), "barY");
    }

    void topFretList()
    {
        const QStringList list = ChordBox::topFretList();
        QCOMPARE(list.size(), 24);
        QCOMPARE(list.mid(0, 4) + list.mid(10, 3) + list.mid(20),
                 (QStringList{"", "2nd Fret", "3rd Fret", "4th Fret", "11th Fret", "12th Fret", "13th Fret",
                              "21st Fret", "22nd Fret", "23rd Fret", "24th Fret"}));
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
        for (const char *refused : {"F frets x 0 2 2 1", "F frets x 0 2 2 7 0", "F frets x 0 2 a 1 0",
                                    "F frets x 0 2 2 1 0 keys 0", "F base-fret 2", "frets x 0 2 2 1 0"})
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
        QTEST(dotCells(definition.chord), "dots");
        QCOMPARE(int(definition.chord.mlngBarY), barY);
    }
};

QTEST_GUILESS_MAIN(tst_ChordBox)
#include "tst_chordbox.moc"
