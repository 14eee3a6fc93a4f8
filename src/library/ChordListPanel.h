#pragma once

#include <QWidget>

class ChordListView;

// The chord list beside the song and its commands: listing the current
// library, adding a chord just saved, copying and deleting a chord, and
// choosing another library.
class ChordListPanel final : public QWidget
{
    Q_OBJECT
public:
    explicit ChordListPanel(QWidget *parent = nullptr);

    ChordListView *list() const { return ListView1; }

    // Lists the current library (gstrChordLibPath) afresh.
    void LoadBitMaps();
    // Adds the chord the editor has just saved (gstrNewChordName), or lists
    // the whole library again when that chord cannot be added.
    void LoadNewBitMap();

    void Copy();
    void Delete();
    void Libraries();

signals:
    // The status text for the current library ("Chord Library: Default").
    void statusChanged(const QString &text);

private:
    bool addChordItem(const QString &fileName);

    ChordListView *ListView1;
};
