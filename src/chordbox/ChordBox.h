#pragma once

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// The chord diagram being drawn: dots on the fretboard and at most one bar.
// Every stored position is the centre of a cell of the editing board, in
// board pixels, so a dot is identified by its cell.
class ChordBox final
{
public:
    // Pointer buttons as the board reports them.
    enum Button { LeftButton = 1, RightButton = 2, MiddleButton = 4 };

    // Dot centres, parallel lists in the order the dots were set.
    QList<float> mcolDotX;
    QList<float> mcolDotY;
    // The bar's row centre; 0 means no bar.
    qint32 mlngBarY = 0;

    // Moves a board position to the centre of the cell it falls in. Every
    // position maps to a cell, even one beyond the board's edge, so a
    // release outside the board edits the nearest edge cell.
    static void SnapToGrid(float &X, float &Y);

    // The 1-based index of the first dot lying within a dot's radius of the
    // position, or -1.
    qint16 FindDot(float X, float Y) const;

    // A pointer button released over the board: the left button switches
    // the dot of that cell on or off; any other button puts the bar on that
    // row, takes it away when it is already there, or moves it there.
    void mouseUp(int button, float X, float Y);

    int dotCount() const { return int(mcolDotX.size()); }
    bool hasBar() const { return mlngBarY != 0; }

    // The cells of the dots as string (x) and fret space (y), in the order
    // the dots were set.
    QList<QPoint> dotCells() const;
    // The fret space of the bar, 0 when there is none.
    int barFretSpace() const;

    // Sets a dot by string (1 to 6, left to right) and fret space (1 to 5),
    // unless that cell already holds one.
    void setDot(int string, int fretSpace);
    // Puts the bar on a fret space (1 to 5).
    void setBar(int fretSpace);

    // The label of the fret a chord starts on, as in "3rd Fret".
    static QString fretLabel(int fret);
    // The top-fret list: an empty entry (no label), then 2nd Fret to 24th Fret.
    static QStringList topFretList();
};
