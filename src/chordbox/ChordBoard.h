#pragma once

#include <QFrame>
#include <QPoint>

#include <optional>

class ChordBox;

// The large editing board: the fretboard five times magnified with the
// chord's dots and bar, drawn afresh from the chord whenever it is painted.
// While the pointer is over it, the cell a click would edit is marked.
class ChordBoard final : public QFrame
{
    Q_OBJECT
public:
    explicit ChordBoard(const ChordBox &chord, QWidget *parent = nullptr);

    // The cell centre under the pointer, in board pixels; none when the
    // pointer is elsewhere.
    std::optional<QPoint> hoveredCell() const { return m_hovered; }

signals:
    // A pointer button was released; the position is in board pixels and
    // may lie outside the board when the press was on it.
    void released(int button, float x, float y);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QPointF boardPosition(QPointF widgetPosition) const;

    const ChordBox &m_chord;
    std::optional<QPoint> m_hovered;
};
