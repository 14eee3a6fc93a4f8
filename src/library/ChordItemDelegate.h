#pragma once

#include <QStyledItemDelegate>

// Draws a chord's cell: its picture above its name. The picture is drawn
// pixel for pixel, enlarged only by whole device pixels on high-density
// screens and never smoothed, so the fine lines of a ChordBox stay sharp.
// Every cell keeps room for a picture, so the layout does not move while
// pictures are still being read.
class ChordItemDelegate final : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    // Every cell has the same size: the picture and two lines of name.
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    static QSize cellSize(const QFontMetrics &metrics);

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
};
