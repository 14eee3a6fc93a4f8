#include "library/ChordItemDelegate.h"

#include "library/ChordListView.h"
#include "library/ChordThumbnails.h"

#include <QApplication>
#include <QPainter>

#include <cmath>

namespace {

constexpr int nameLines = 2;
constexpr int cellMargin = 4;
constexpr int cellWidth = 80;

} // namespace

QSize ChordItemDelegate::cellSize(const QFontMetrics &metrics)
{
    return {cellWidth, ChordThumbnails::chordPictureSize.height() + 2 * cellMargin + nameLines * metrics.lineSpacing()};
}

QSize ChordItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    Q_UNUSED(index);
    return cellSize(option.fontMetrics);
}

void ChordItemDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    // The style keeps the room; paint() draws the picture itself.
    option->features |= QStyleOptionViewItem::HasDecoration;
    option->decorationSize = ChordThumbnails::chordPictureSize;
    option->icon = QIcon();
    // The name right under the picture, not in the middle of its room.
    option->displayAlignment = Qt::AlignHCenter | Qt::AlignTop;
}

void ChordItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);

    const QImage picture = index.data(ChordListView::ChordPictureRole).value<QImage>();
    if (picture.isNull())
        return;
    const QRect room = style->subElementRect(QStyle::SE_ItemViewItemDecoration, &cell, widget);
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
    // Whole device pixels per picture pixel.
    const int scale = std::max(1, int(std::floor(ratio + 0.01)));
    const QSizeF size = QSizeF(picture.size() * scale) / ratio;
    QPointF topLeft(room.x() + (room.width() - size.width()) / 2, room.y() + (room.height() - size.height()) / 2);
    // On the device pixel grid, so no picture pixel is split.
    topLeft = QPointF(std::round(topLeft.x() * ratio) / ratio, std::round(topLeft.y() * ratio) / ratio);
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter->drawImage(QRectF(topLeft, size), picture);
    painter->restore();
}
