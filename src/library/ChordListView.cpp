#include "library/ChordListView.h"

#include <QImage>
#include <QMimeData>

namespace {

constexpr int chordIconWidth = 40;
constexpr int chordIconHeight = 48;
constexpr int imageRole = Qt::UserRole + 1;

} // namespace

ChordListView::ChordListView(QWidget *parent) : QListWidget(parent)
{
    setViewMode(QListView::IconMode);
    setIconSize(QSize(chordIconWidth, chordIconHeight));
    setResizeMode(QListView::Adjust);
    setMovement(QListView::Static);
    setWordWrap(true);
    setSortingEnabled(true);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setContextMenuPolicy(Qt::CustomContextMenu);
}

bool ChordListView::addChord(const QString &key, const QString &displayName)
{
    const QImage picture(key);
    if (picture.isNull())
        return false;
    auto *item = new QListWidgetItem(QIcon(QPixmap::fromImage(picture)), displayName);
    item->setData(ChordKeyRole, key);
    // The picture as read, so a drag gives the file's own pixels.
    item->setData(imageRole, picture);
    addItem(item);
    return true;
}

QStringList ChordListView::mimeTypes() const
{
    return {QStringLiteral("application/x-qt-image")};
}

QMimeData *ChordListView::mimeData(const QList<QListWidgetItem *> &items) const
{
    if (items.isEmpty())
        return nullptr;
    auto *data = new QMimeData;
    data->setImageData(items.first()->data(imageRole).value<QImage>());
    return data;
}
