#include "chordbox/ChordBox.h"

#include "chordbox/ChordBoxGeometry.h"

using namespace ChordBoxGeometry;

namespace {

constexpr int firstListedFret = 2;
constexpr int lastListedFret = 24;

// The cell whose reach the coordinate falls in; a value on a boundary
// belongs to the next cell, and values beyond either end go to the end cell.
float snapCoordinate(float value, int firstCentre, int reach, int cells)
{
    for (int cell = 0; cell < cells - 1; ++cell) {
        const int centre = firstCentre + boardCellPitch * cell;
        if (value < float(centre + reach))
            return float(centre);
    }
    return float(firstCentre + boardCellPitch * (cells - 1));
}

} // namespace

void ChordBox::SnapToGrid(float &X, float &Y)
{
    X = snapCoordinate(X, firstCellCentreX, snapReachX, stringCount);
    Y = snapCoordinate(Y, firstCellCentreY, snapReachY, fretSpaceCount);
}

qint16 ChordBox::FindDot(float X, float Y) const
{
    const float radiusSquared = float(dotRadius * dotRadius);
    for (int i = 0; i < mcolDotX.size(); ++i) {
        const float dx = mcolDotX.at(i) - X;
        const float dy = mcolDotY.at(i) - Y;
        if (dx * dx + dy * dy < radiusSquared)
            return qint16(i + 1);
    }
    return -1;
}

void ChordBox::mouseUp(int button, float X, float Y)
{
    SnapToGrid(X, Y);
    if (button == LeftButton) {
        const qint16 found = FindDot(X, Y);
        if (found >= 0) {
            mcolDotX.removeAt(found - 1);
            mcolDotY.removeAt(found - 1);
        } else {
            mcolDotX.append(X);
            mcolDotY.append(Y);
        }
        return;
    }
    const auto row = qint32(Y);
    mlngBarY = (row == mlngBarY) ? 0 : row;
}

QList<QPoint> ChordBox::dotCells() const
{
    QList<QPoint> cells;
    for (int i = 0; i < dotCount(); ++i) {
        cells.append({(int(mcolDotX.at(i)) - firstCellCentreX) / boardCellPitch + 1,
                      (int(mcolDotY.at(i)) - firstCellCentreY) / boardCellPitch + 1});
    }
    return cells;
}

int ChordBox::barFretSpace() const
{
    return hasBar() ? (mlngBarY - firstCellCentreY) / boardCellPitch + 1 : 0;
}

void ChordBox::setDot(int string, int fretSpace)
{
    const auto x = float(cellCentreX(string));
    const auto y = float(cellCentreY(fretSpace));
    if (FindDot(x, y) < 0) {
        mcolDotX.append(x);
        mcolDotY.append(y);
    }
}

void ChordBox::setBar(int fretSpace)
{
    mlngBarY = cellCentreY(fretSpace);
}

QString ChordBox::fretLabel(int fret)
{
    const int lastTwo = fret % 100;
    QString suffix = QStringLiteral("th");
    if (lastTwo < 11 || lastTwo > 13) {
        switch (fret % 10) {
        case 1: suffix = QStringLiteral("st"); break;
        case 2: suffix = QStringLiteral("nd"); break;
        case 3: suffix = QStringLiteral("rd"); break;
        default: break;
        }
    }
    return QString::number(fret) + suffix + QStringLiteral(" Fret");
}

QStringList ChordBox::topFretList()
{
    QStringList list{QString()};
    for (int fret = firstListedFret; fret <= lastListedFret; ++fret)
        list.append(fretLabel(fret));
    return list;
}
