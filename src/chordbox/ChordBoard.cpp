#include "chordbox/ChordBoard.h"

#include "chordbox/ChordBox.h"
#include "chordbox/ChordBoxGeometry.h"
#include "chordbox/ChordBoxRenderer.h"

#include <QMouseEvent>
#include <QPainter>

using namespace ChordBoxGeometry;

namespace {

constexpr int sunkenBorder = 2;

int buttonNumber(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton: return ChordBox::LeftButton;
    case Qt::RightButton: return ChordBox::RightButton;
    case Qt::MiddleButton: return ChordBox::MiddleButton;
    default: return int(button);
    }
}

// A ring around the cell, so the mark shows on an empty cell and on a dot.
void drawHoverRing(QImage &board, QPoint centre)
{
    for (int dy = -hoverRadius; dy <= hoverRadius; ++dy) {
        for (int dx = -hoverRadius; dx <= hoverRadius; ++dx) {
            const int distanceSquared = dx * dx + dy * dy;
            const QPoint pixel = centre + QPoint(dx, dy);
            if (distanceSquared <= hoverRadius * hoverRadius
                && distanceSquared > (hoverRadius - hoverRingWidth) * (hoverRadius - hoverRingWidth)
                && board.rect().contains(pixel))
                board.setPixel(pixel, hoverColour);
        }
    }
}

} // namespace

ChordBoard::ChordBoard(const ChordBox &chord, QWidget *parent) : QFrame(parent), m_chord(chord)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(sunkenBorder);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
}

void ChordBoard::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QImage board = ChordBoxRenderer::boardImage(m_chord);
    if (m_hovered)
        drawHoverRing(board, *m_hovered);
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), board);
}

QPointF ChordBoard::boardPosition(QPointF widgetPosition) const
{
    return widgetPosition - QPointF(contentsRect().topLeft());
}

void ChordBoard::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF position = boardPosition(event->position());
    std::optional<QPoint> cell;
    if (QRectF(0, 0, boardSize, boardSize).contains(position)) {
        auto x = float(position.x());
        auto y = float(position.y());
        ChordBox::SnapToGrid(x, y);
        cell = QPoint(int(x), int(y));
    }
    if (cell != m_hovered) {
        m_hovered = cell;
        update();
    }
    QFrame::mouseMoveEvent(event);
}

void ChordBoard::mouseReleaseEvent(QMouseEvent *event)
{
    const QPointF position = boardPosition(event->position());
    emit released(buttonNumber(event->button()), float(position.x()), float(position.y()));
    update();
}

void ChordBoard::leaveEvent(QEvent *event)
{
    if (m_hovered) {
        m_hovered.reset();
        update();
    }
    QFrame::leaveEvent(event);
}
