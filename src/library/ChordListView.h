#pragma once

#include <QListWidget>

// The chord list: one item a chord file, its picture and display name,
// kept in alphabetical order. Dragging an item offers the chord's picture,
// which the song and any program that takes pictures accept.
class ChordListView final : public QListWidget
{
    Q_OBJECT
public:
    // The role under which an item keeps its chord key (the file's full path).
    static constexpr int ChordKeyRole = Qt::UserRole;

    explicit ChordListView(QWidget *parent = nullptr);

    // Adds the chord file; false when it cannot be read as a picture.
    bool addChord(const QString &key, const QString &displayName);

protected:
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QList<QListWidgetItem *> &items) const override;
};
