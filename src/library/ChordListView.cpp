#include "library/ChordListView.h"

#include "library/ChordItemDelegate.h"
#include "library/ChordThumbnails.h"

#include <QKeyEvent>
#include <QMimeData>

#include <algorithm>

namespace {

// Between two cells.
constexpr int cellSpacing = 4;

// Alphabetical by name in any letter case, then by exact name, then by key,
// so the order is the same at every listing.
bool chordLessThan(const QString &leftName, const QString &leftKey, const QString &rightName,
                   const QString &rightKey)
{
    if (const int byName = leftName.compare(rightName, Qt::CaseInsensitive))
        return byName < 0;
    if (const int exact = leftName.compare(rightName))
        return exact < 0;
    return leftKey < rightKey;
}

class ChordListItem final : public QListWidgetItem
{
public:
    ChordListItem(const QString &key, const QString &displayName) : QListWidgetItem(displayName)
    {
        setData(ChordListView::ChordKeyRole, key);
    }

    bool operator<(const QListWidgetItem &other) const override
    {
        return chordLessThan(text(), ChordListView::chordKey(this), other.text(), ChordListView::chordKey(&other));
    }
};

} // namespace

ChordListView::ChordListView(QWidget *parent) : QListWidget(parent)
{
    setViewMode(QListView::IconMode);
    setIconSize(ChordThumbnails::chordPictureSize);
    setItemDelegate(new ChordItemDelegate(this));
    // Every cell has the same size, so ten thousand chords lay out at once.
    setUniformItemSizes(true);
    setGridSize(ChordItemDelegate::cellSize(fontMetrics()) + QSize(cellSpacing, cellSpacing));
    setLayoutMode(QListView::Batched);
    setBatchSize(500);
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setWordWrap(true);
    setTextElideMode(Qt::ElideRight);
    setSortingEnabled(true);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setContextMenuPolicy(Qt::CustomContextMenu);
}

QListWidgetItem *ChordListView::addChord(const QString &key, const QString &displayName, const QImage &picture)
{
    auto *item = new ChordListItem(key, displayName);
    setPicture(item, picture);
    addItem(item);
    // Hiding takes effect only on an item in the list.
    applyFilter(item);
    return item;
}

void ChordListView::addChords(QList<Chord> chords)
{
    std::sort(chords.begin(), chords.end(), [](const Chord &left, const Chord &right) {
        return chordLessThan(left.displayName, left.key, right.displayName, right.key);
    });
    // Items given in order need no sorted insertion one by one.
    setSortingEnabled(false);
    setUpdatesEnabled(false);
    const bool alreadySorted = count() == 0;
    for (const Chord &chord : std::as_const(chords)) {
        auto *item = new ChordListItem(chord.key, chord.displayName);
        addItem(item);
        applyFilter(item);
    }
    if (!alreadySorted)
        sortItems();
    setSortingEnabled(true);
    setUpdatesEnabled(true);
}

QListWidgetItem *ChordListView::findChord(const QString &key) const
{
    for (int row = 0; row < count(); ++row) {
        if (chordKey(item(row)) == key)
            return item(row);
    }
    return nullptr;
}

QListWidgetItem *ChordListView::selectedChord() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

QString ChordListView::chordKey(const QListWidgetItem *item)
{
    return item ? item->data(ChordKeyRole).toString() : QString();
}

void ChordListView::setPicture(QListWidgetItem *item, const QImage &picture)
{
    if (!picture.isNull())
        item->setData(ChordPictureRole, picture);
}

void ChordListView::setFilterText(const QString &text)
{
    if (text == m_filterText)
        return;
    m_filterText = text;
    setUpdatesEnabled(false);
    for (int row = 0; row < count(); ++row)
        applyFilter(item(row));
    setUpdatesEnabled(true);
    // A chord the filter hides cannot stay selected: Delete and Copy would
    // act on a chord the user no longer sees.
    if (QListWidgetItem *selected = selectedChord(); selected && selected->isHidden())
        clearSelection();
}

void ChordListView::applyFilter(QListWidgetItem *item)
{
    item->setHidden(!m_filterText.isEmpty() && !item->text().contains(m_filterText, Qt::CaseInsensitive));
}

void ChordListView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        emit deletePressed();
        return;
    }
    QListWidget::keyPressEvent(event);
}

QStringList ChordListView::mimeTypes() const
{
    return {QStringLiteral("application/x-qt-image")};
}

QMimeData *ChordListView::mimeData(const QList<QListWidgetItem *> &items) const
{
    if (items.isEmpty())
        return nullptr;
    // The file's own picture, read now: the list may show it fitted, and a
    // file gone since the listing offers nothing.
    const QImage picture = ChordThumbnails::readPicture(chordKey(items.first()));
    if (picture.isNull())
        return nullptr;
    auto *data = new QMimeData;
    data->setImageData(picture);
    return data;
}

Qt::DropActions ChordListView::supportedDropActions() const
{
    return Qt::CopyAction;
}
