// The chord being drawn: snapping to cells, the editing rule, the top-fret
// list, and chord definitions read from ChordPro.
#include "chordbox/ChordBox.h"
#include "chordbox/ChordProDefinition.h"

#include <QTest>

namespace {

using Cell = QPair<int, int>;

QList<Cell> dotCells(const ChordBox &chord)
{
    QList<Cell> cells;
    for (int i = 0; i < chord.dotCount(); ++i)
        cells.append({int(chord.mcolDotX.at(i)), int(chord.mcolDotY.at(i))});
    return cells;
}

} // namespace

class tst_ChordBox : public QObject
{
    Q_OBJECT
private slots:
    void snapping_data();
    void snapping();
    void leftReleasesToggleDots_data();
    void leftReleasesToggleDots();
    void otherButtonsToggleTheBar_data();
    void otherButtonsToggleTheBar();
    void dotInTheBarRowOutlivesTheBar();
    void findDotReportsTheFirstDotOfACell();
    void topFretList();
    void chordProDefinitions_data();
    void chordProDefinitions();
    void badChordProDefinitions_data();
    void badChordProDefinitions();
};

void tst_ChordBox::snapping_data()
{
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::addColumn<float>("snappedX");
    QTest::addColumn<float>("snappedY");
    QTest::newRow("just left of the first boundary") << 22.9f << 25.9f << 13.f << 15.f;
    QTest::newRow("on the first boundary") << 23.f << 26.f << 38.f << 40.f;
    QTest::newRow("cell centres stay") << 63.f << 65.f << 63.f << 65.f;
    QTest::newRow("boundary is not the midpoint") << 50.f << 52.f << 63.f << 65.f;
    QTest::newRow("last boundaries") << 123.f << 101.f << 138.f << 115.f;
    QTest::newRow("just before last boundaries") << 122.99f << 100.99f << 113.f << 90.f;
    QTest::newRow("white strip below the frets") << 149.f << 149.f << 138.f << 115.f;
    QTest::newRow("left of and above the board") << -40.f << -3.f << 13.f << 15.f;
    QTest::newRow("far beyond the board") << 1000.f << 5000.f << 138.f << 115.f;
}

void tst_ChordBox::snapping()
{
    QFETCH(float, x);
    QFETCH(float, y);
    ChordBox::SnapToGrid(x, y);
    QTEST(x, "snappedX");
    QTEST(y, "snappedY");
}

void tst_ChordBox::leftReleasesToggleDots_data()
{
    QTest::addColumn<QList<QPointF>>("releases");
    QTest::addColumn<QList<Cell>>("dots");
    QTest::newRow("one release sets a dot") << QList<QPointF>{{20, 20}} << QList<Cell>{{13, 15}};
    QTest::newRow("same cell twice clears it") << QList<QPointF>{{20, 20}, {5, 3}} << QList<Cell>{};
    QTest::newRow("A B A leaves B") << QList<QPointF>{{13, 15}, {88, 90}, {14, 16}} << QList<Cell>{{88, 90}};
    QTest::newRow("A B A C appends C after B")
        << QList<QPointF>{{13, 15}, {88, 90}, {13, 15}, {138, 115}} << QList<Cell>{{88, 90}, {138, 115}};
    QTest::newRow("release outside edits the edge cell") << QList<QPointF>{{-5, 200}} << QList<Cell>{{13, 115}};
}

void tst_ChordBox::leftReleasesToggleDots()
{
    QFETCH(QList<QPointF>, releases);
    ChordBox chord;
    for (const QPointF &at : releases)
        chord.mouseUp(ChordBox::LeftButton, float(at.x()), float(at.y()));
    QTEST(dotCells(chord), "dots");
    QCOMPARE(chord.mcolDotX.size(), chord.mcolDotY.size());
    QCOMPARE(chord.mlngBarY, 0);
}

void tst_ChordBox::otherButtonsToggleTheBar_data()
{
    QTest::addColumn<QList<int>>("buttons");
    QTest::addColumn<QList<float>>("rows");
    QTest::addColumn<int>("barY");
    QTest::newRow("right sets the bar on row 3") << QList<int>{2} << QList<float>{60} << 65;
    QTest::newRow("right on row 3 again removes it") << QList<int>{2, 2} << QList<float>{60, 70} << 0;
    QTest::newRow("right on row 4 moves it") << QList<int>{2, 2} << QList<float>{60, 90} << 90;
    QTest::newRow("middle acts as right") << QList<int>{4} << QList<float>{140} << 115;
    QTest::newRow("middle removes a right bar") << QList<int>{2, 4} << QList<float>{10, 20} << 0;
}

void tst_ChordBox::otherButtonsToggleTheBar()
{
    QFETCH(QList<int>, buttons);
    QFETCH(QList<float>, rows);
    ChordBox chord;
    chord.setDot(2, 3);
    for (int i = 0; i < buttons.size(); ++i)
        chord.mouseUp(buttons.at(i), float(30 * i), rows.at(i));
    QTEST(int(chord.mlngBarY), "barY");
    QCOMPARE(dotCells(chord), (QList<Cell>{{38, 65}}));
}

void tst_ChordBox::dotInTheBarRowOutlivesTheBar()
{
    ChordBox chord;
    chord.mouseUp(ChordBox::RightButton, 70, 40);
    chord.mouseUp(ChordBox::LeftButton, 70, 40);
    QCOMPARE(chord.mlngBarY, 40);
    QCOMPARE(dotCells(chord), (QList<Cell>{{63, 40}}));
    chord.mouseUp(ChordBox::RightButton, 0, 40);
    QCOMPARE(chord.mlngBarY, 0);
    QCOMPARE(dotCells(chord), (QList<Cell>{{63, 40}}));
}

void tst_ChordBox::findDotReportsTheFirstDotOfACell()
{
    ChordBox chord;
    chord.setDot(1, 1);
    chord.setDot(6, 5);
    chord.setDot(6, 5);
    QCOMPARE(chord.dotCount(), 2);
    QCOMPARE(chord.FindDot(138, 115), qint16(2));
    QCOMPARE(chord.FindDot(13, 15), qint16(1));
    QCOMPARE(chord.FindDot(38, 15), qint16(-1));
    // Less than the radius away is still the dot; the radius itself is not.
    QCOMPARE(chord.FindDot(13, 21.9f), qint16(1));
    QCOMPARE(chord.FindDot(13, 22), qint16(-1));
}

void tst_ChordBox::topFretList()
{
    const QStringList list = ChordBox::topFretList();
    QCOMPARE(list.size(), 24);
    QCOMPARE(list.first(), QString());
    QCOMPARE(list.at(1), QStringLiteral("2nd Fret"));
    QCOMPARE(list.at(2), QStringLiteral("3rd Fret"));
    QCOMPARE(list.at(3), QStringLiteral("4th Fret"));
    QCOMPARE(list.mid(10, 3), (QStringList{"11th Fret", "12th Fret", "13th Fret"}));
    QCOMPARE(list.mid(20, 4), (QStringList{"21st Fret", "22nd Fret", "23rd Fret", "24th Fret"}));
    QVERIFY(!list.contains(QStringLiteral("1st Fret")));
}

void tst_ChordBox::chordProDefinitions_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QList<Cell>>("dots");
    QTest::addColumn<int>("barY");
    QTest::newRow("open minor") << "Am base-fret 1 frets x 0 2 2 1 0" << "Am" << ""
                                << QList<Cell>{{63, 40}, {88, 40}, {113, 15}} << 0;
    QTest::newRow("directive with braces") << "{define: C frets x 3 2 0 1 0}" << "C" << ""
                                           << QList<Cell>{{38, 65}, {63, 40}, {113, 15}} << 0;
    QTest::newRow("barre on the outer strings") << "{define: F base-fret 1 frets 1 3 3 2 1 1}" << "F" << ""
                                                << QList<Cell>{{38, 65}, {63, 65}, {88, 40}} << 15;
    QTest::newRow("base fret gives the label") << "define: A base-fret 5 frets 1 3 3 2 1 1 fingers 1 3 4 2 1 1"
                                               << "A" << "5th Fret"
                                               << QList<Cell>{{38, 65}, {63, 65}, {88, 40}} << 15;
    QTest::newRow("muted low string is no barre") << "B frets x 2 4 4 4 2" << "B" << ""
                                                  << QList<Cell>{{38, 40}, {63, 90}, {88, 90}, {113, 90}, {138, 40}}
                                                  << 0;
    QTest::newRow("N and -1 mute too") << "D frets N -1 0 2 3 2" << "D" << ""
                                       << QList<Cell>{{88, 40}, {113, 65}, {138, 40}} << 0;
    QTest::newRow("eleventh fret label") << "X base-fret 11 frets 0 0 0 0 0 1" << "X" << "11th Fret"
                                         << QList<Cell>{{138, 15}} << 0;
}

void tst_ChordBox::chordProDefinitions()
{
    QFETCH(QString, text);
    const ChordProDefinition definition = ChordProDefinition::parse(text);
    QVERIFY2(definition.isValid(), qPrintable(definition.errorString));
    QTEST(definition.name, "name");
    QTEST(definition.topText, "top");
    QTEST(dotCells(definition.chord), "dots");
    QTEST(int(definition.chord.mlngBarY), "barY");
}

void tst_ChordBox::badChordProDefinitions_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "{define: }";
    QTest::newRow("no frets") << "Am base-fret 1";
    QTest::newRow("five strings") << "Am frets x 0 2 2 1";
    QTest::newRow("seven strings") << "Am frets x 0 2 2 1 0 0";
    QTest::newRow("fret beyond the box") << "Am frets x 0 2 2 7 0";
    QTest::newRow("not a fret") << "Am frets x 0 2 2 a 0";
    QTest::newRow("base fret zero") << "Am base-fret 0 frets x 0 2 2 1 0";
    QTest::newRow("unknown keyword") << "Am frets x 0 2 2 1 0 keys 0 4 7";
    QTest::newRow("no name") << "frets x 0 2 2 1 0";
}

void tst_ChordBox::badChordProDefinitions()
{
    QFETCH(QString, text);
    const ChordProDefinition definition = ChordProDefinition::parse(text);
    QVERIFY(!definition.isValid());
    QVERIFY(!definition.errorString.contains(QLatin1Char('\n')));
}

QTEST_GUILESS_MAIN(tst_ChordBox)
#include "tst_chordbox.moc"
