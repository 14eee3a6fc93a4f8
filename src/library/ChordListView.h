#pragma once

#include <QImage>
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
    // The picture shown for the item (a QImage); null until it is read.
    static constexpr int ChordPictureRole = Qt::UserRole + 1;

    struct Chord
    {
        QString key;
        QString displayName;
    };

    explicit ChordListView(QWidget *parent = nullptr);

    // Adds one chord in its alphabetical place.
    QListWidgetItem *addChord(const QString &key, const QString &displayName, const QImage &picture = {});
    // Adds many chords at once, far quicker than one by one; their pictures
    // come later through setPicture.
    void addChords(QList<Chord> chords);
    // The item of that chord key, or nullptr.
    QListWidgetItem *findChord(const QString &key) const;
    // The selected item, or nullptr when nothing is selected.
    QListWidgetItem *selectedChord() const;

    static QString chordKey(const QListWidgetItem *item);
    static void setPicture(QListWidgetItem *item, const QImage &picture);

    // Shows only the chords whose name contains the text, in any letter case;
    // an empty text shows all.
    void setFilterText(const QString &text);
    QString filterText() const { return m_filterText; }

signals:
    // The Delete key was pressed in the list.
    void deletePressed();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QList<QListWidgetItem *> &items) const override;
    // A drag copies the picture: a target that would take it as a move
    // must not remove the chord from the list.
    Qt::DropActions supportedDropActions() const override;

private:
    void applyFilter(QListWidgetItem *item);

    QString m_filterText;
};
